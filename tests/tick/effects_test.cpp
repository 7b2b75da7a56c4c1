// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "game/basic.h"
#include "support/fixture.h"

namespace brontix::tick {
namespace {

using testing::Game;

// Each effect is triggered the way the game does it: a capsule of its
// colour caught by the paddle at the next tick.
class Effect : public ::testing::Test {
protected:
    Effect() { g.newGameWithBricks({0}); }
    void catchCapsule(int kind, std::initializer_list<float> draws = {}) {
        const int j = g.dropCapsuleOnPaddle(kind);
        g.queue(draws);
        g.tick();
        ASSERT_FALSE(g.form().PowUp[j].Visible);
    }
    game::Form1& f() { return g.form(); }
    game::GameState& st() { return g.state(); }
    Game g;
};

TEST_F(Effect, NarrowerPaddleStopsAboveSixtyFour) {
    catchCapsule(5);
    EXPECT_EQ(f().Paddle.Width, 41);
    EXPECT_EQ(f().Paddle.Left, 272);
    catchCapsule(5);
    EXPECT_EQ(f().Paddle.Width, 41);
}

TEST_F(Effect, WiderPaddleGrowsByThirtyTwoMostly) {
    struct Case {
        float r1, r2, growth;
    };
    for (const Case c : {Case{0.5f, 0.99f, 32}, Case{0.75f, 0.0f, 32}, Case{0.8f, 0.1f, 0},
                         Case{0.8f, 0.4f, 32}, Case{0.99f, 0.7f, 64}}) {
        const float before = f().Paddle.Width;
        catchCapsule(4, {c.r1, c.r2, 0.25f});
        EXPECT_EQ(f().Paddle.Width, before + c.growth) << c.r1 << " " << c.r2;
        EXPECT_EQ(f().Paddle.Left, 272);
        // Both draws are taken whatever the first one is.
        EXPECT_EQ(g.form().services.Rnd(), 0.25f);
    }
}

TEST_F(Effect, SmallerBallsStopAtSix) {
    g.placeBall(1, 100, 100, 0, 0, true);
    for (const float width : {10.0f, 6.0f, 6.0f}) {
        catchCapsule(9);
        EXPECT_EQ(f().Ball[0].Width, width);
        EXPECT_EQ(f().Ball[0].Height, width);
        EXPECT_EQ(f().Ball[1].Width, width);
    }
    EXPECT_EQ(f().Ball[2].Width, 14);  // hidden balls keep their size
}

TEST_F(Effect, BiggerBallsGrowFromTheirCorner) {
    g.placeBall(1, 100, 100, 0, 0, true);
    g.tick();
    catchCapsule(8);
    EXPECT_EQ(f().Ball[1].Width, 18);
    EXPECT_EQ(f().Ball[1].Height, 18);
    EXPECT_EQ(f().Ball[1].Left, 100);
    EXPECT_EQ(f().Ball[1].Top, 100);
    EXPECT_EQ(f().Ball[2].Width, 14);
}

TEST_F(Effect, StickyPaddleTogglesAndHoldsBouncingBalls) {
    const scene::Shape& paddle = f().Paddle;
    // Ball 1 falling onto the middle of the paddle, its bottom a pixel in.
    auto dropOntoPaddle = [&] {
        const float size = f().Ball[1].Width;
        g.placeBall(1, paddle.Left + paddle.Width / 2 - size / 2, paddle.Top - size + 1, 0, 2);
        g.tick();
    };
    catchCapsule(0);
    EXPECT_EQ(st().stickyPaddle, game::True);
    dropOntoPaddle();
    EXPECT_EQ(st().ballHeld[1], game::True);
    EXPECT_EQ(st().ballPos[1].y, paddle.Top - f().Ball[1].Height - 2);
    catchCapsule(0);
    EXPECT_EQ(st().stickyPaddle, game::False);
    dropOntoPaddle();
    EXPECT_EQ(st().ballHeld[1], game::False);
    EXPECT_LT(st().ballVel[1].y, 0);  // bounced off instead
}

TEST_F(Effect, GravityRemovedAndDoubled) {
    g.placeBall(1, 100, 100, 0, 0);
    g.tick(5);
    const double fade = st().ballFade[1];
    catchCapsule(2);  // doubled, then this tick's step adds its 0.0002
    EXPECT_EQ(st().ballFade[1], 2 * fade + 0.0002);
    catchCapsule(1);
    EXPECT_EQ(st().ballFade[1], 0.0002);
    EXPECT_EQ(st().ballFade[2], 0.0);  // every ball, visible or not
}

TEST_F(Effect, CannonsSwitchTogether) {
    catchCapsule(6);
    EXPECT_TRUE(f().LFire[0].Visible);
    EXPECT_TRUE(f().RFire[0].Visible);
    catchCapsule(6);
    EXPECT_FALSE(f().LFire[0].Visible);
    EXPECT_FALSE(f().RFire[0].Visible);
}

TEST_F(Effect, BricksDropAColumnOfThreeOverTwoGaps) {
    // Column 3, rows 15 to 17, over empty rows 18 and 19.
    for (auto& b : f().Shape1) b.Visible = false;
    f().Shape1[0].Visible = true;
    for (int r : {15, 16, 17}) f().Shape1[13 * r + 3].Visible = true;
    f().Shape1[13 * 19 + 5].Visible = true;  // row 19 never moves
    catchCapsule(7, {0.2f});                 // Int(0.2 * 5) = 1: two passes
    for (int r = 0; r < 20; ++r) EXPECT_EQ(f().Shape1[13 * r + 3].Visible, r >= 17) << r;
    EXPECT_TRUE(f().Shape1[13 * 19 + 5].Visible);
    // One row per pass: brick 0 ends two rows down.
    EXPECT_FALSE(f().Shape1[0].Visible);
    EXPECT_TRUE(f().Shape1[26].Visible);
}

using MultiBall = Effect;

TEST_F(MultiBall, AHiddenBallBecomesTheTwin) {
    game::Form1& form = f();
    st().ballVel[0] = {0.5f, -3.5f};
    catchCapsule(3, {0.75f});
    ASSERT_TRUE(form.Ball[1].Visible);
    EXPECT_FALSE(form.Ball[2].Visible);
    EXPECT_EQ(form.Ball.UBound(), 2);
    // 2 * 0.75 + 0.5 - 1 = 1; the twin was moved by the ball pass of the
    // same tick, from ball 0's position, and recoloured there.
    EXPECT_EQ(st().ballVel[1].x, 1.0f);
    EXPECT_EQ(st().ballPos[1].x, 308.5f + 1.0f);
    EXPECT_EQ(form.Ball[1].Left, 308.5f + 1.0f);
    EXPECT_EQ(form.Ball[1].Width, 14);
    EXPECT_NE(form.Ball[1].BackColor, 0x0000FF);
    EXPECT_GT(form.Ball[1].Z, form.Ball[2].Z);
    EXPECT_GT(form.Ball[1].Z, form.RFire[0].Z);  // brought to the front
}

TEST_F(MultiBall, ThreeVisibleBallsLoadThreeNewOnes) {
    g.placeBall(1, 100, 100, 0, 0, true);
    g.placeBall(2, 200, 100, 0, 0, true);
    catchCapsule(3, {0.5f, 0.5f, 0.5f});
    game::Form1& form = f();
    ASSERT_EQ(form.Ball.UBound(), 5);
    for (int i = 3; i <= 5; ++i) EXPECT_TRUE(form.Ball[i].Visible);
    EXPECT_EQ(st().ballVel.size(), 6u);
    EXPECT_EQ(st().ballPos.size(), 6u);
    EXPECT_EQ(st().ballHeld.size(), 6u);
    EXPECT_EQ(st().ballFade.size(), 6u);
    EXPECT_EQ(st().ballPos[4].x, 100);  // ball 1's twin
    EXPECT_EQ(st().ballPos[5].x, 200);
    EXPECT_EQ(st().ballHeld[4], game::False);
}

TEST_F(MultiBall, ARedBallGetsNoTwin) {
    g.placeBall(1, 100, 100, 0, 0, true);
    g.tick();
    f().Ball[0].BackColor = 0x0000FF;
    f().Ball[1].BackColor = 0x0000FF;
    // Held balls keep their colour, so both are still red at the catch.
    catchCapsule(3, {0.5f});
    EXPECT_FALSE(f().Ball[2].Visible);
    EXPECT_EQ(f().Ball.UBound(), 2);
    EXPECT_EQ(g.form().services.Rnd(), 0.5f);  // no draw was taken
}

TEST_F(MultiBall, NoTwinPastTheSixteenBitLimit) {
    game::Form1& form = f();
    while (!form.Ball.full()) form.Ball.Load();
    for (int i = 1; i <= form.Ball.UBound(); ++i) g.placeBall(i, 100, 100, 0, 0, true);
    catchCapsule(3, {0.5f});
    EXPECT_EQ(form.Ball.UBound(), 32767);
    EXPECT_EQ(g.form().services.Rnd(), 0.5f);
}

}  // namespace
}  // namespace brontix::tick
