// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "support/fixture.h"
#include "support/stub_services.h"

namespace brontix::input {
namespace {

using testing::Game;

TEST(FullScreen, CentresTheGameWindowOnTheBackdrop) {
    Game g;
    const auto& w1 = g.host().form1();
    const auto& w2 = g.host().form2();
    EXPECT_FALSE(w2.exists);
    mnuFS_Click(g.form());
    EXPECT_TRUE(w2.visible);
    EXPECT_EQ(w2.width, 1920);
    EXPECT_EQ(w2.height, 1080);
    EXPECT_TRUE(w1.visible);
    EXPECT_TRUE(g.host().ownedByBackdrop());
    EXPECT_EQ(w1.left, (1920 - 648) / 2);
    EXPECT_EQ(w1.top, (1080 - 578) / 2);
    EXPECT_EQ(w1.width, 648);
}

TEST(FullScreen, ASecondCommandKeepsOneBackdropAndRecentres) {
    Game g;
    mnuFS_Click(g.form());
    g.form().services.windows.moveGameWindow(15 * 10, 15 * 20);  // the player moved it
    mnuFS_Click(g.form());
    EXPECT_EQ(g.host().form1().left, 636);
    EXPECT_EQ(g.host().form1().top, 251);
}

TEST(FullScreen, PauseAndCaptionStay) {
    Game g;
    g.newGame();
    Form_KeyPress(g.form(), 112);
    mnuFS_Click(g.form());
    EXPECT_FALSE(g.form().Timer1.Enabled);
    EXPECT_EQ(g.caption(), "Brontix [Paused]");
}

// The centring arithmetic, on windows of any size.
class MeasuredWindows : public testing::StubServices {
public:
    scene::WindowRect back, game;
    float movedLeft = -1, movedTop = -1;
    scene::WindowRect backdropRect() const override { return back; }
    scene::WindowRect gameWindowRect() const override { return game; }
    void moveGameWindow(float l, float t) override {
        movedLeft = l;
        movedTop = t;
    }
};

TEST(FullScreen, AHalfSizeWindowLandsAtAQuarter) {
    MeasuredWindows s;
    game::Form1 form(s);
    s.back = {0, 0, 28800, 16200};
    s.game = {123, 456, 14400, 8100};
    mnuFS_Click(form);
    EXPECT_EQ(s.movedLeft, 7200);
    EXPECT_EQ(s.movedTop, 4050);
    // On an offset backdrop the centre follows the backdrop, not the screen;
    // a window wider than it goes negative and is left so.
    s.back = {1500, 300, 9000, 6000};
    s.game = {0, 0, 12000, 3000};
    mnuFS_Click(form);
    EXPECT_EQ(s.movedLeft, 4500 + 1500 - 6000);
    EXPECT_EQ(s.movedTop, 3000 + 300 - 1500);
    s.back = {0, 0, 3000, 3000};
    mnuFS_Click(form);
    EXPECT_EQ(s.movedLeft, 1500 - 6000);
}

}  // namespace
}  // namespace brontix::input
