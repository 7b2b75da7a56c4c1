// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A served and launched rally, pinned against values worked out from the
// rules rather than taken from the program.
#include <gtest/gtest.h>

#include "support/replay_run.h"

namespace brontix::testing {
namespace {

// Start-up takes 0.5 and 0.5; New Game takes 0.2, 0.4, 0.6 for its colours
// and 0.1, 0 for p = 0 and q = 1, so the odd rows are shown and row 19
// (Y 304 to 321) is the lowest row of bricks.
constexpr const char* kServe =
    "clock 0\n"
    "random 0.5 0.5 0.2 0.4 0.6 0.1 0\n"
    "menu new\n"
    // Paddle left 300 - 36.5 = 263.5; the held ball moves by -8.5 to 300.
    "move 300 0\n"
    // Held one pixel into the paddle: vy -0.5, -1, ... -3.5 after 7 ticks.
    "tick 10\n"
    "dump\n"
    "click\n";

TEST(Rally, ServedBallRisesIntoRowNineteenOnItsThirtyFirstTick) {
    const std::string script = std::string(kServe) +
                               "tick 30\ndump\n"
                               // the release draw of the brick hit: no capsule
                               "random 0.1\n"
                               "tick\ndump\n";
    const auto r = replay(script);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto d = r.dumps();
    ASSERT_EQ(d.size(), 3u);

    const Json& held = d[0]["balls"][0];
    EXPECT_EQ(held["pos"][0].number, 300);
    EXPECT_EQ(held["pos"][1].number, 427);
    EXPECT_EQ(held["vel"][0].number, 0.5);
    EXPECT_EQ(held["vel"][1].number, -3.5);
    EXPECT_EQ(held["fade"].number, 0.001);
    EXPECT_EQ(d[0]["paddle"]["left"].number, 263.5);

    // Tick 1 after the click: the bottom edge is still at 441, so the paddle
    // bounces it again (-3.5 + 0.0012 keeps its speed, fade back to 0.001).
    // From tick 2 on it flies free: fade(k) = 0.001 + 0.0002 (k - 1),
    // vy(k) = -3.4988 + 0.001 (k - 1) + 0.0001 k (k - 1), and with m = k - 1
    // y(k) = 423.5 - 3.4988 m + 0.001 m (m - 1) / 2 + 0.0001 (m - 1) m (m + 1) / 3.
    const Json& before = d[1]["balls"][0];
    EXPECT_EQ(before["pos"][0].number, 315);  // 300 + 0.5 per tick
    EXPECT_NEAR(before["pos"][1].number, 323.2528, 2e-3);
    EXPECT_NEAR(before["vel"][1].number, -3.3828, 1e-4);
    EXPECT_NEAR(before["fade"].number, 0.0068, 1e-9);
    EXPECT_EQ(d[1]["score"].number, 0);
    EXPECT_EQ(d[1]["caption"].text, "Brontix");
    EXPECT_EQ(d[1]["bricks"]["visible"].text[253], '1');

    // Tick 31: top 319.87 <= 321, left 315.5, centre 322.5 within brick 253
    // (296 to 345): only its bottom face fires, so vy turns down, then both
    // components are slowed by 5 %.
    const Json& hit = d[2]["balls"][0];
    EXPECT_EQ(hit["pos"][0].number, 315.5);
    EXPECT_NEAR(hit["pos"][1].number, 319.87, 2e-3);
    EXPECT_NEAR(hit["vel"][1].number, 3.3758 * 0.95, 1e-4);
    EXPECT_NEAR(hit["vel"][0].number, 0.475, 1e-7);
    // Fade 0.007: shade 142.857, red 142.864, both round to 143 = &H8F.
    EXPECT_EQ(hit["fill"].number, 0x8F8F8F);
    EXPECT_EQ(hit["border"].number, 0x707070);
    EXPECT_EQ(d[2]["bricks"]["visible"].text[253], '0');
    int gone = 0;
    for (char c : d[2]["bricks"]["visible"].text) gone += c == '0';
    EXPECT_EQ(gone, 130 + 1);
    EXPECT_EQ(d[2]["score"].number, 10);
    EXPECT_EQ(d[2]["caption"].text, "Brontix | 10 Balls: 1");
    EXPECT_FALSE(d[2]["capsules"][0]["visible"].boolean);
    EXPECT_EQ(d[2]["tick"].number, 41);
}

TEST(Rally, PaddleFollowsThePointerWhileTheBallFlies) {
    const std::string script = std::string(kServe) + "tick 5\nmove 100 0\ndump\ntick\ndump\n";
    const auto d = replay(script).dumps();
    // A free ball does not ride along; the cannons follow at the end of the
    // next tick.
    EXPECT_EQ(d[1]["paddle"]["left"].number, 63.5);
    EXPECT_EQ(d[1]["balls"][0]["pos"][0].number, 302.5);
    EXPECT_EQ(d[1]["lfire"][0]["left"].number, 263.5 + 8);
    EXPECT_EQ(d[2]["lfire"][0]["left"].number, 63.5 + 8);
    EXPECT_EQ(d[2]["rfire"][0]["left"].number, 63.5 + 73 - 18);
}

}  // namespace
}  // namespace brontix::testing
