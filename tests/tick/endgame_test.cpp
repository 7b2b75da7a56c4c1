// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "session/inside.h"
#include "support/fixture.h"

namespace brontix::tick {
namespace {

using testing::Game;

class EndOfGame : public ::testing::Test {
protected:
    // The last brick, 253, under a held ball that knocks it out at once.
    void lastBrickUnderBall(int ball) { g.placeBall(ball, 338, 310, -1, -2, true); }
    bool timer() { return g.form().Timer1.Enabled; }
    Game g;
};

TEST_F(EndOfGame, LastBrickInTheOnlyBallsPassIsSeenOnTheNextTick) {
    g.newGameWithBricks({253});
    lastBrickUnderBall(0);
    bool timerWhileShowing = false;
    session::Inside::onBoxOpening(g.session(),
                                  [&](const std::string&) { timerWhileShowing = timer(); });
    g.tick();
    EXPECT_FALSE(g.form().Shape1[253].Visible);
    EXPECT_TRUE(g.messages().empty());
    EXPECT_TRUE(timer());
    g.tick();
    ASSERT_EQ(g.messages(), std::vector<std::string>{"You win!"});
    EXPECT_TRUE(timerWhileShowing);  // the box opens before the timer stops
    EXPECT_FALSE(timer());
}

TEST_F(EndOfGame, ALaterBallInTheSameTickSeesTheWinAtOnce) {
    g.newGameWithBricks({253});
    lastBrickUnderBall(0);
    g.placeBall(1, 100, 100, 0, 0, true);
    g.tick();
    EXPECT_EQ(g.messages(), std::vector<std::string>{"You win!"});
    EXPECT_FALSE(timer());
}

TEST_F(EndOfGame, ABallLostWhileClearingTheLastBrickLosesInstead) {
    g.newGameWithBricks({253});
    // Ball 0 leaves play in this tick while its brick pass lets a shot knock
    // out the last brick.
    g.placeBall(0, 100, 590, 0, 1);
    g.form().LFire[0].Visible = true;
    g.form().RFire[0].Visible = true;
    g.form().LFire[0].Move(300, 326);
    g.form().RFire[0].Move(600, 326);
    input::Form_Click(g.form());
    g.tick();
    EXPECT_FALSE(g.form().Shape1[253].Visible);
    EXPECT_FALSE(g.form().Ball[0].Visible);
    EXPECT_TRUE(g.messages().empty());
    g.tick();
    EXPECT_EQ(g.messages(), std::vector<std::string>{"You lose!"});
    EXPECT_FALSE(timer());
}

TEST_F(EndOfGame, OnlyBallLostInTickNIsLostAtTickNPlusOne) {
    g.newGameWithOneBrick();
    g.placeBall(0, 100, 590, 0, 1);
    g.tick();
    EXPECT_FALSE(g.form().Ball[0].Visible);
    EXPECT_TRUE(timer());
    EXPECT_TRUE(g.messages().empty());

    g.form().Paddle.Left = 200;
    float cannonDuringBox = 0;
    bool timerDuringBox = true;
    session::Inside::onBoxOpening(g.session(), [&](const std::string&) {
        timerDuringBox = timer();
        cannonDuringBox = g.form().LFire[0].Left;
    });
    g.tick();
    EXPECT_EQ(g.messages(), std::vector<std::string>{"You lose!"});
    EXPECT_FALSE(timerDuringBox);
    EXPECT_EQ(cannonDuringBox, 280);             // placed only after the box
    EXPECT_EQ(g.form().LFire[0].Left, 200 + 8);  // the last phase still ran
    g.tick(10);                                  // the timer is off: nothing more
    EXPECT_EQ(g.messages().size(), 1u);
}

TEST_F(EndOfGame, TwoBallsOneLostPlayGoesOn) {
    g.newGameWithBricks({253, 0});
    g.placeBall(0, 100, 590, 0, 1);
    g.placeBall(2, 100, 100, 0, 0, true);
    g.tick(2);
    EXPECT_TRUE(g.messages().empty());
    EXPECT_TRUE(timer());
    lastBrickUnderBall(2);
    g.tick();
    EXPECT_EQ(g.caption(), "Brontix | 10 Balls: 1");
}

TEST_F(EndOfGame, BoardStaysAsItWasAfterTheEnd) {
    g.newGameWithBricks({0, 100});
    g.placeBall(0, 100, 590, 0, 1);
    g.form().PowUp[0].Move(300, 100);
    g.form().capsules.show(g.form().PowUp, 0);
    g.tick(2);  // lost, then "You lose!"
    ASSERT_EQ(g.messages(), std::vector<std::string>{"You lose!"});
    const float capsuleTop = g.form().PowUp[0].Top;
    g.tick(3);
    EXPECT_EQ(g.form().PowUp[0].Top, capsuleTop);
    EXPECT_EQ(g.messages().size(), 1u);
    EXPECT_TRUE(g.form().Shape1[100].Visible);
    EXPECT_EQ(g.form().Paddle.Left, 272);
}

}  // namespace
}  // namespace brontix::tick
