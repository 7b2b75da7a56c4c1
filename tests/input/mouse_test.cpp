// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "support/fixture.h"

namespace brontix::input {
namespace {

using testing::Game;

class Mouse : public ::testing::Test {
protected:
    Mouse() { g.newGameWithOneBrick(); }
    void move(float x) { Form_MouseMove(g.form(), 0, 0, x, 123); }
    Game g;
};

TEST_F(Mouse, CentresThePaddleUnderThePointerForAnyWidth) {
    for (const float width : {73.0f, 105.0f, 41.0f, 200.0f}) {
        g.form().Paddle.Width = width;
        move(320);
        EXPECT_EQ(g.form().Paddle.Left, 320 - width / 2);
        EXPECT_EQ(g.form().Paddle.Top, 440);
        EXPECT_EQ(g.form().Paddle.Width, width);
    }
    move(0);
    EXPECT_EQ(g.form().Paddle.Left, -100);  // no clamping at the walls
}

TEST_F(Mouse, HeldBallsKeepTheirOffsetAndFreeBallsStay) {
    game::GameState& st = g.state();
    g.placeBall(0, 272 + 5, 427, 0, 0, true);
    g.placeBall(1, 290, 420, 0, 0, true);
    g.form().Ball[1].Visible = false;  // a hidden held ball still follows
    g.placeBall(2, 50, 50, 1, 1);
    for (const float x : {100.0f, 613.25f, -40.0f, 333.0f}) {
        move(x);
        EXPECT_EQ(st.ballPos[0].x - g.form().Paddle.Left, 5);
        EXPECT_EQ(st.ballPos[1].x - g.form().Paddle.Left, 18);
        EXPECT_EQ(st.ballPos[2].x, 50);
        EXPECT_EQ(st.ballPos[0].y, 427);
    }
}

TEST_F(Mouse, NothingMovesWhileTheTimerIsOff) {
    g.form().Timer1.Enabled = false;
    move(100);
    EXPECT_EQ(g.form().Paddle.Left, 272);
    EXPECT_EQ(g.state().ballPos[0].x, 308.5f);
}

TEST_F(Mouse, TheHeldShapeCatchesUpAtTheNextTick) {
    move(100);
    EXPECT_EQ(g.form().Ball[0].Left, 304);  // the layout place: no tick yet
    g.tick();
    EXPECT_EQ(g.form().Ball[0].Left, 100 - 36.5f + 36.5f);
}

}  // namespace
}  // namespace brontix::input
