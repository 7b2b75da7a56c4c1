// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "session/inside.h"
#include "support/fixture.h"
#include "tick/tick.h"

namespace brontix::tick {
namespace {

using testing::Game;

TEST(TickDriver, FirstTickCreatesFadeAndCapsuleSpeedAtZero) {
    Game g;
    g.tick();
    const game::GameState& st = g.state();
    ASSERT_EQ(st.ballFade.size(), 3u);
    ASSERT_EQ(st.capsuleSpeed.size(), 1u);
    EXPECT_EQ(st.capsuleSpeed[0], 0.0f);
    // Ball 0 is held, so it gets no fade; balls 1 and 2 are free.
    EXPECT_EQ(st.ballFade[0], 0.0);
    EXPECT_EQ(st.ballFade[1], 0.0002);
    EXPECT_EQ(st.ballFade[2], 0.0002);
    // From the first tick on all three are drawn at their records, (0, 0).
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g.form().Ball[i].Left, 0.0f);
        EXPECT_EQ(g.form().Ball[i].Top, 0.0f);
    }
}

TEST(TickDriver, ResizesPerBallArraysButNotBallHeld) {
    Game g;
    g.form().Ball.Load();  // as if a ball had been loaded elsewhere
    g.form().PowUp.Load();
    g.tick();
    EXPECT_EQ(g.state().ballVel.size(), 4u);
    EXPECT_EQ(g.state().ballPos.size(), 4u);
    EXPECT_EQ(g.state().ballFade.size(), 4u);
    EXPECT_EQ(g.state().capsuleSpeed.size(), 2u);
    EXPECT_EQ(g.state().ballHeld.size(), 3u);
    // Existing entries are kept.
    EXPECT_EQ(g.state().ballVel[0].x, 1.0f);
}

TEST(TickDriver, WithNoBallThePhasesStillRunAroundTheLoseBox) {
    Game g;
    g.newGame();
    game::Form1& f = g.form();
    f.Ball[0].Visible = false;
    f.LFire[0].Visible = true;
    f.RFire[0].Visible = true;
    input::Form_Click(f);  // a shot pair on the cannons at top 432
    f.PowUp[0].Move(300, 100);
    f.capsules.show(f.PowUp, 0);
    input::Form_MouseMove(f, 0, 0, 100, 0);  // the cannons follow only at the end of the tick

    bool seen = false;
    session::Inside::onBoxOpening(g.session(), [&](const std::string& text) {
        seen = true;
        EXPECT_EQ(text, "You lose!");
        EXPECT_FALSE(f.Timer1.Enabled);
        EXPECT_EQ(f.LFire[1].Top, 432 - 16);
        EXPECT_EQ(f.RFire[1].Top, 432 - 16);
        EXPECT_EQ(f.PowUp[0].Top, 100.01f);
        EXPECT_EQ(f.LFire[0].Left, 280);
    });
    g.tick();
    EXPECT_TRUE(seen);
    EXPECT_EQ(f.LFire[0].Left, 63.5f + 8);
    EXPECT_EQ(f.RFire[0].Left, 63.5f + 73 - 18);
    // The shots were never tested against a brick, so they live on.
    EXPECT_TRUE(f.LFire[1].Visible);
}

}  // namespace
}  // namespace brontix::tick
