// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "support/fixture.h"

namespace brontix::input {
namespace {

using testing::Game;

class Demo : public ::testing::Test {
protected:
    Demo() {
        g.newGameWithBricks({0});
        mnuDemo_Click(g.form());
    }
    // Ball 0 free and still at x; the paddle at [left, left + width].
    void setUp(float ballX, float left, float width) {
        g.placeBall(0, ballX, 200, 0, 0);
        g.form().Ball[0].Width = 14;
        g.form().Paddle.Left = left;
        g.form().Paddle.Width = width;
    }
    float paddleLeft() { return g.form().Paddle.Left; }
    Game g;
};

TEST_F(Demo, MenuTogglesTheFlagAndNothingElse) {
    EXPECT_EQ(g.state().demoMode, game::True);
    const std::string caption = g.caption();
    mnuDemo_Click(g.form());
    EXPECT_EQ(g.state().demoMode, game::False);
    EXPECT_EQ(g.caption(), caption);
    EXPECT_TRUE(g.form().Timer1.Enabled);
}

TEST_F(Demo, SlidesThePaddleJustFarEnoughToSpanBallZero) {
    struct Case {
        float ballX, left, width, after;
    };
    for (const Case c : {Case{100, 120, 60, 100},   // ball left of the span: left edges meet
                         Case{170, 100, 60, 124},   // right of it: 170 + 14 - 60
                         Case{130, 120, 60, 120},   // inside: where the mouse left it
                         Case{100, 110, 10, 104}})  // wider than the paddle: right edges meet
    {
        setUp(c.ballX, c.left, c.width);
        g.tick();
        EXPECT_EQ(paddleLeft(), c.after) << c.ballX << " " << c.left;
    }
}

TEST_F(Demo, FollowsBallZeroEvenWhenItIsLost) {
    setUp(50, 300, 73);
    g.form().Ball[0].Visible = false;
    g.placeBall(1, 400, 200, 0, 0);
    g.tick();
    EXPECT_EQ(paddleLeft(), 50);
}

TEST_F(Demo, NeverReleasesTheServedBall) {
    g.newGame();
    g.tick(100);
    EXPECT_EQ(g.state().ballHeld[0], game::True);
    EXPECT_EQ(g.state().ballPos[0].y, 427);
}

TEST_F(Demo, SurvivesNewGame) {
    g.newGame();
    EXPECT_EQ(g.state().demoMode, game::True);
}

}  // namespace
}  // namespace brontix::input
