// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "support/fixture.h"

namespace brontix::tick {
namespace {

using testing::Game;

class Shots : public ::testing::Test {
protected:
    Shots() {
        g.newGameWithBricks({0});
        f().LFire[0].Visible = true;
        f().RFire[0].Visible = true;
        // No capsule from any hit below.
        g.queue({0, 0, 0, 0, 0, 0});
    }
    // Fires a pair with the left cannon at x and the right one far right.
    void fireAt(float x, float top = 336) {
        f().LFire[0].Move(x, top);
        f().RFire[0].Move(620, top);
        input::Form_Click(f());
    }
    game::Form1& f() { return g.form(); }
    Game g;
};

TEST_F(Shots, AShotOverTwoBricksTakesOnlyTheLowerIndex) {
    f().Shape1[253].Visible = true;
    f().Shape1[254].Visible = true;
    fireAt(340);  // 340 to 349 overlaps 253 (to 345) and 254 (from 344)
    g.tick();     // risen to 320
    EXPECT_FALSE(f().Shape1[253].Visible);
    EXPECT_TRUE(f().Shape1[254].Visible);
    EXPECT_FALSE(f().LFire[1].Visible);
    EXPECT_EQ(g.state().score, 5);  // -5 for the shot, +10 for the brick
    EXPECT_EQ(g.caption(), "Brontix | 5 Balls: 1");
    // The ball of the running pass is slowed by a shot's hit as well.
    EXPECT_EQ(g.state().ballVel[0].x, 0.5f * 0.95f);
}

TEST_F(Shots, TwoShotsOnOneBrickNetNothingAndThreeCostFive) {
    f().Shape1[253].Visible = true;
    f().Timer1.Enabled = false;
    fireAt(300);
    fireAt(300);
    f().Timer1.Enabled = true;
    g.tick();
    EXPECT_FALSE(f().Shape1[253].Visible);
    EXPECT_EQ(g.state().score, 0);

    f().Shape1[253].Visible = true;
    f().Timer1.Enabled = false;
    fireAt(300);
    fireAt(300);
    fireAt(300);
    f().Timer1.Enabled = true;
    g.tick();
    EXPECT_EQ(g.state().score, -5);
    EXPECT_EQ(g.caption(), "Brontix | -5 Balls: 1");
}

TEST_F(Shots, AShotEndsOnceItsTopIsAboveZero) {
    fireAt(600, 32);  // clear of brick 0 (8 to 57)
    g.tick(2);
    EXPECT_EQ(f().LFire[1].Top, 0);
    EXPECT_TRUE(f().LFire[1].Visible);
    g.tick();
    EXPECT_EQ(f().LFire[1].Top, -16);
    EXPECT_FALSE(f().LFire[1].Visible);
    // Its slot is free for the next click.
    fireAt(600);
    EXPECT_EQ(f().LFire.UBound(), 1);
}

TEST_F(Shots, NoShotTestWhileTheLeftArrayHasNoShot) {
    // A right shot loaded while the left array still stands at upper bound
    // 0: the brick pass tests no shot at all.
    f().Shape1[253].Visible = true;
    f().rightShots.loaded(f().RFire.Load());
    f().RFire[1].Move(300, 336);
    f().rightShots.show(f().RFire, 1);
    g.tick();
    EXPECT_TRUE(f().Shape1[253].Visible);
    EXPECT_EQ(f().RFire[1].Top, 320);
}

TEST_F(Shots, WithNoVisibleBallShotsRiseUntested) {
    f().Shape1[253].Visible = true;
    fireAt(300);
    f().Ball[0].Visible = false;
    g.tick();  // the lose box; the shot rises anyway
    EXPECT_TRUE(f().Shape1[253].Visible);
    EXPECT_EQ(f().LFire[1].Top, 320);
    EXPECT_TRUE(f().LFire[1].Visible);
}

TEST_F(Shots, AShotsHitSlowsTheBallWhosePassIsRunning) {
    f().Shape1[254].Visible = true;
    g.placeBall(1, 100, 200, 0, 0, true);
    fireAt(360);
    g.tick();
    EXPECT_FALSE(f().Shape1[254].Visible);
    EXPECT_EQ(g.state().score, 5);
    // Ball 0's pass made the hit, so ball 0 was slowed, not ball 1.
    EXPECT_EQ(g.state().ballVel[0].x, 0.5f * 0.95f);
    EXPECT_EQ(g.state().ballVel[1].x, 0);
}

TEST_F(Shots, CannonsRideThePaddleButShotsDoNot) {
    fireAt(280);
    input::Form_MouseMove(f(), 0, 0, 308.5f, 0);  // paddle back at 272
    g.tick();
    EXPECT_EQ(f().LFire[0].Left, 280);
    EXPECT_EQ(f().RFire[0].Left, 327);
    input::Form_MouseMove(f(), 0, 0, 408.5f, 0);
    g.tick();
    EXPECT_EQ(f().LFire[0].Left, 380);
    EXPECT_EQ(f().LFire[1].Left, 280);
    EXPECT_EQ(f().LFire[0].Top, 336);  // the cannons' top is never changed here
}

}  // namespace
}  // namespace brontix::tick
