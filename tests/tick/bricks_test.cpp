// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "support/fixture.h"

namespace brontix::tick {
namespace {

using testing::Game;

// Bricks 240, 241 (row 18) and 253, 254 (row 19) meet at X 344 to 345,
// Y 304 to 305. Balls are held, so the positions before and after the step
// are the same and are exactly where the test puts them.
class BrickHit : public ::testing::Test {
protected:
    void place(float x, float y, float vx, float vy) { g.placeBall(0, x, y, vx, vy, true); }
    game::BallVector& vel() { return g.state().ballVel[0]; }
    bool shown(int k) { return g.form().Shape1[k].Visible; }
    Game g;
};

TEST_F(BrickHit, CornerOverlapPassesTheGateButFiresNoCase) {
    g.newGameWithBricks({253, 0});
    // Centre (347, 325): right of the brick's width and below its height.
    place(340, 318, -1, -2);
    g.tick();
    EXPECT_TRUE(shown(253));
    EXPECT_EQ(vel().x, -1);
    EXPECT_EQ(vel().y, -2);
    EXPECT_EQ(g.state().score, 0);
    EXPECT_EQ(g.caption(), "Brontix");
}

TEST_F(BrickHit, BottomAndRightFacesTogetherKnockOutOnce) {
    g.newGameWithBricks({253, 0});
    place(338, 310, -1, -2);
    g.tick();
    EXPECT_FALSE(shown(253));
    EXPECT_EQ(vel().x, 1 * 0.95f);  // forced right, then slowed once
    EXPECT_EQ(vel().y, 2 * 0.95f);  // forced down, then slowed once
    EXPECT_EQ(g.state().score, 10);
    EXPECT_EQ(g.caption(), "Brontix | 10 Balls: 1");
}

TEST_F(BrickHit, ThreeBricksInOneTickInIndexOrder) {
    g.newGameWithBricks({240, 241, 253, 0});
    place(338, 300, 2, -1);
    g.tick();
    EXPECT_FALSE(shown(240));  // bottom face: vy forced down
    EXPECT_FALSE(shown(241));  // bottom face again
    EXPECT_FALSE(shown(253));  // right face and top face: vx right, vy up
    EXPECT_EQ(g.state().score, 30);
    EXPECT_EQ(vel().x, 2 * 0.95f * 0.95f * 0.95f);
    EXPECT_EQ(vel().y, -(1 * 0.95f * 0.95f) * 0.95f);
    EXPECT_EQ(g.caption(), "Brontix | 30 Balls: 1");
}

TEST_F(BrickHit, BottomFaceForcesDownwardRatherThanNegating) {
    for (const float vy : {2.0f, -2.0f}) {
        g.newGameWithBricks({253, 0});
        place(310, 315, 0.5f, vy);
        g.tick();
        EXPECT_FALSE(shown(253));
        EXPECT_EQ(vel().y, 2 * 0.95f) << vy;
        EXPECT_EQ(vel().x, 0.5f * 0.95f);
    }
}

TEST_F(BrickHit, SideFacesForceHorizontalSigns) {
    // Left face: the ball's right edge within a radius inside the brick's left edge.
    g.newGameWithBricks({253, 0});
    place(283, 305, 1.5f, 0);
    g.tick();
    EXPECT_FALSE(shown(253));
    EXPECT_EQ(vel().x, -1.5f * 0.95f);
    // Top face: the bottom edge within the brick's height, centre within its width.
    g.newGameWithBricks({253, 0});
    place(310, 292, 0, 1);
    g.tick();
    EXPECT_FALSE(shown(253));
    EXPECT_EQ(vel().y, -1 * 0.95f);
}

TEST_F(BrickHit, ABrickGoneInTheFirstPassIsHiddenForTheSecondBall) {
    g.newGameWithBricks({253, 0});
    place(338, 310, -1, -2);
    g.placeBall(1, 338, 310, -3, -4, true);
    g.tick();
    EXPECT_EQ(g.state().score, 10);
    EXPECT_EQ(g.state().ballVel[1].x, -3);  // ball 1 found nothing to hit
    EXPECT_EQ(g.state().ballVel[1].y, -4);
}

TEST_F(BrickHit, CaptionCountsVisibleBallsUpToTheHittingOne) {
    g.newGameWithBricks({253, 0});
    g.form().Ball[0].Visible = true;
    g.placeBall(2, 338, 310, -1, -2, true);
    place(100, 100, 0, 0);
    g.tick();
    EXPECT_EQ(g.caption(), "Brontix | 10 Balls: 2");
}

TEST_F(BrickHit, NegativeScoreIsShownWithItsSign) {
    g.newGameWithBricks({253, 0});
    g.state().score = -15;
    place(338, 310, -1, -2);
    g.tick();
    EXPECT_EQ(g.caption(), "Brontix | -5 Balls: 1");
}

// Before the first New Game, ball 0 is held at (0, 0) and ball 1 falls from
// there: ball 0's left face band overlaps brick 0 (8 to 57), so brick 0 goes
// in the first tick whenever start-up showed it.
TEST(BrickHitAtStartUp, BallZeroHeldInTheCornerKnocksOutBrickZero) {
    Game g({0.5f, 0.5f});  // p = 1, q = 6: brick 0 is shown
    ASSERT_TRUE(g.form().Shape1[0].Visible);
    g.tick();
    EXPECT_FALSE(g.form().Shape1[0].Visible);
    EXPECT_EQ(g.state().score, 10);
    // The left face forced start-up's 1.0 to the left, then the hit slowed it.
    EXPECT_EQ(g.state().ballVel[0].x, -0.95f);
    EXPECT_EQ(g.caption(), "Brontix | 10 Balls: 1");
}

}  // namespace
}  // namespace brontix::tick
