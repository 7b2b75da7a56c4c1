// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "support/fixture.h"

namespace brontix::tick {
namespace {

using testing::Game;

// A game whose wall is empty, so balls meet only walls and paddle; the
// paddle is at its layout place (272, 440, 73 x 17).
class BallTest : public ::testing::Test {
protected:
    BallTest() { g.newGameWithOneBrick(); }

    game::BallVector& pos(int i = 0) { return g.state().ballPos[static_cast<std::size_t>(i)]; }
    game::BallVector& vel(int i = 0) { return g.state().ballVel[static_cast<std::size_t>(i)]; }
    double& fade(int i = 0) { return g.state().ballFade[static_cast<std::size_t>(i)]; }
    scene::Shape& ball(int i = 0) { return g.form().Ball[i]; }

    Game g;
};

using PaddleBounce = BallTest;

TEST_F(PaddleBounce, ClampsUpwardSpeedOfAHeldBall) {
    struct Case {
        float before, after;
    };
    for (const Case c : {Case{5, -3.5f}, Case{3.5f, -3.5f}, Case{2, -2.5f}, Case{-4.5f, -3.5f}}) {
        g.newGameWithOneBrick();
        vel().y = c.before;
        g.tick();
        EXPECT_EQ(vel().y, c.after) << c.before;
        EXPECT_EQ(fade(), 0.001);
    }
}

TEST_F(PaddleBounce, AFreeBallGainsItsFadeBeforeTheBounce) {
    for (const float vy : {3.5f, 2.0f}) {
        g.placeBall(0, 300, 427, 0, vy);
        fade() = 0;
        g.tick();
        const float arriving = static_cast<float>(double(vy) + 0.0002);
        const float leaving = vy > 3 ? -arriving : -arriving - 0.5f;
        EXPECT_EQ(vel().y, leaving);
        EXPECT_FLOAT_EQ(vel().y, vy > 3 ? -3.5002f : -2.5002f);
    }
}

TEST_F(PaddleBounce, HeldBallOnTheServeGainsHalfAPixelPerTickUpToThreeAndAHalf) {
    // New Game leaves vy as it was (0 after start-up): the ball is held one
    // pixel into the paddle, so it meets the paddle test on every tick.
    ASSERT_EQ(vel().y, 0.0f);
    const float expected[] = {-0.5f, -1.0f, -1.5f, -2.0f, -2.5f, -3.0f, -3.5f, -3.5f, -3.5f};
    for (const float vy : expected) {
        g.tick();
        EXPECT_EQ(vel().y, vy);
        EXPECT_EQ(fade(), 0.001);
        EXPECT_EQ(pos().x, 308.5f);  // the middle zone keeps vx, and a held ball does not move
        EXPECT_EQ(pos().y, 427.0f);
        EXPECT_EQ(vel().x, 0.5f);
    }
}

TEST_F(PaddleBounce, StickyPaddleHoldsTheBallTwoPixelsAboveIt) {
    g.state().stickyPaddle = game::True;
    g.placeBall(0, 300, 427, 0, 2);
    g.tick();
    EXPECT_EQ(g.state().ballHeld[0], game::True);
    EXPECT_EQ(pos().y, 440 - 14 - 2);
    EXPECT_EQ(ball().Top, 427 + 2);  // drawn there only from the next tick
    EXPECT_LT(vel().y, 0);
    g.tick();
    EXPECT_EQ(ball().Top, 424);
    EXPECT_EQ(pos().y, 424);
}

using Steering = BallTest;

TEST_F(Steering, PushesAwayFromTheCentreOutsideTheMiddleZone) {
    struct Case {
        float centre, vxBefore, vxAfter;
    };
    for (const Case c :
         {Case{280, 1, -1.46875f}, Case{330, -0.5f, 1.1875f}, Case{300, 0.7f, 0.7f}}) {
        // Held, so both centres are equal.
        g.placeBall(0, c.centre - 7, 427, c.vxBefore, 1, true);
        g.tick();
        EXPECT_EQ(vel().x, c.vxAfter) << c.centre;
    }
}

TEST_F(Steering, ThirtyFivePercentPointBelongsToTheMiddleZone) {
    const float point = 272.0f + 0.35f * 73.0f;  // 297.55
    g.placeBall(0, point - 7, 427, 0.7f, 1, true);
    ASSERT_EQ(pos().x + 14 - 7, point);
    g.tick();
    EXPECT_EQ(vel().x, 0.7f);
}

TEST_F(Steering, OldCentreOnTheBoundaryStillSteersWhenTheNewOneIsPastSixtyFivePercent) {
    const float point = 272.0f + 0.35f * 73.0f;
    g.placeBall(0, point - 7, 427, 25, 1);
    g.tick();
    // New centre 322.55, 14.05 right of the paddle's centre 308.5:
    // 1.25 * (0.75 * 14.05 / 15 + 0.25 * 25) = 1.25 * 6.9525.
    EXPECT_NEAR(vel().x, 8.690625, 1e-5);
}

TEST_F(Steering, PaddleCentreIsWorkedInDoubleWithTheBlend) {
    // 0.1f + 36.5 is not a single-precision value: rounding the paddle's
    // centre first would give 0xBF399998.
    g.form().Paddle.Left = 0.1f;
    g.placeBall(0, 20 - 7, 427, 1, 1, true);
    g.tick();
    EXPECT_EQ(std::bit_cast<std::uint32_t>(vel().x), 0xBF399999u) << vel().x;
}

using Walls = BallTest;

TEST_F(Walls, LeftAndTopBounceOnlyStrictlyPastTheEdge) {
    g.placeBall(0, 9, 200, -1, 0);
    g.tick();
    EXPECT_EQ(pos().x, 8);
    EXPECT_EQ(vel().x, -1);

    g.placeBall(0, 8.9f, 200, -1, 0);
    g.tick();
    EXPECT_EQ(vel().x, 1);

    g.placeBall(0, 300, 1, 0, -1);
    fade() = 0;
    g.tick();
    EXPECT_EQ(pos().y, 0);
    EXPECT_LT(vel().y, 0);

    g.placeBall(0, 300, 0.9f, 0, -1);
    g.tick();
    EXPECT_GT(vel().y, 0);
}

TEST_F(Walls, RightTestUsesTheEdgeFromBeforeTheStep) {
    g.placeBall(0, 618, 200, 5, 0);  // right edge exactly at 632
    g.tick();
    EXPECT_EQ(pos().x, 623);
    EXPECT_EQ(vel().x, 5);
    g.tick();
    EXPECT_EQ(vel().x, -5);
}

TEST_F(Walls, LossAtSixHundredIsStrictAndForcesTheSignUp) {
    g.placeBall(0, 100, 586, 0, 3);  // bottom edge at 600
    g.tick();
    EXPECT_TRUE(ball().Visible);

    g.placeBall(0, 100, 586.5f, 0, 3);  // 600.5
    fade() = 0;
    g.tick();
    EXPECT_FALSE(ball().Visible);
    EXPECT_EQ(vel().y, -static_cast<float>(3 + 0.0002));
    EXPECT_EQ(ball().Top, 589.5f);  // still drawn at its new place in that tick
}

using BallColour = BallTest;

TEST_F(BallColour, FadeSetsTheGreyLevel) {
    struct Case {
        double fade;
        scene::Colour fill, border;
    };
    for (const Case c : {Case{0.01, 0x646464, 0x9B9B9B}, Case{0.0012, 0xFFFFFF, 0x000000},
                         Case{0.5, 0x020202, 0xFDFDFD}}) {
        g.placeBall(0, 300, 200, 0, 0);
        // A black ball 0 closes the fade gate, so the fade is used as set.
        ball().BackColor = 0;
        fade() = c.fade;
        g.tick();
        EXPECT_EQ(fade(), c.fade);
        EXPECT_EQ(ball().BackColor, c.fill) << c.fade;
        EXPECT_EQ(ball().BorderColor, c.border) << c.fade;
    }
}

TEST_F(BallColour, ZeroFadeKeepsTheColour) {
    g.placeBall(0, 300, 200, 0, 0);
    ball().BackColor = 0;
    ball().BorderColor = 0x123456;
    fade() = 0;
    g.tick();
    EXPECT_EQ(ball().BackColor, 0);
    EXPECT_EQ(ball().BorderColor, 0x123456);
}

TEST_F(BallColour, TinyFadesAreWhiteInsteadOfOverflowing) {
    for (const double f : {1.0 / 40000, 1e-300, 4.9e-324}) {
        g.placeBall(0, 300, 200, 0, 0);
        ball().BackColor = 0;
        fade() = f;
        g.tick();
        EXPECT_EQ(ball().BackColor, 0xFFFFFF) << f;
    }
}

TEST_F(BallColour, BallZerosFillGatesEveryBallsFade) {
    g.placeBall(0, 100, 100, 0, 0);
    g.placeBall(1, 200, 100, 0, 0);
    g.form().Ball[0].BackColor = 0;
    fade(0) = 0;
    fade(1) = 0.01;
    g.tick();
    EXPECT_EQ(fade(0), 0);
    EXPECT_EQ(fade(1), 0.01);

    fade(0) = 0.001;  // ball 0 is recoloured first, which opens the gate for ball 1
    g.tick();
    EXPECT_EQ(fade(1), 0.01 + 0.0002);
}

TEST_F(BallColour, FreshBallTurnsGreyAfterAboutFifteenTicks) {
    g.placeBall(0, 300, 100, 0, 0);
    fade() = 0.001;
    for (int t = 1; t <= 14; ++t) {
        g.tick();
        EXPECT_EQ(ball().BackColor, 0xFFFFFF) << t;
    }
    g.tick();
    g.tick();
    EXPECT_NE(ball().BackColor, 0xFFFFFF);
}

TEST_F(BallTest, GravityIsTheFadeAddedInDouble) {
    g.placeBall(0, 300, 100, 0.25f, 1);
    fade() = 0.1;
    g.tick();
    EXPECT_EQ(pos().x, 300.25f);
    EXPECT_EQ(pos().y, 101);
    EXPECT_EQ(vel().y, static_cast<float>(1 + (0.1 + 0.0002)));
}

TEST_F(BallTest, HiddenBallsAreSkippedEntirely) {
    g.placeBall(1, 100, 100, 1, 1);
    g.form().Ball[1].Visible = false;
    g.tick();
    EXPECT_EQ(pos(1).x, 100);
    EXPECT_EQ(fade(1), 0);
}

}  // namespace
}  // namespace brontix::tick
