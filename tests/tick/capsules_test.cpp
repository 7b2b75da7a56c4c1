// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "game/basic.h"
#include "support/fixture.h"

namespace brontix::tick {
namespace {

using game::QBColor;
using testing::Game;

class Capsules : public ::testing::Test {
protected:
    Capsules() { g.newGameWithBricks({0}); }
    // A held ball that knocks out brick 253 at the next tick.
    void hitBrick253() {
        g.form().Shape1[253].Visible = true;
        g.placeBall(0, 338, 310, -1, -2, true);
    }
    scene::Shape& capsule(int j) { return g.form().PowUp[j]; }
    // A capsule in flight at (left, top) of the given kind.
    void launch(int j, float left, float top, int kind) {
        while (g.form().PowUp.UBound() < j) g.form().capsules.loaded(g.form().PowUp.Load());
        capsule(j).Move(left, top);
        capsule(j).BackColor = QBColor(kind);
        g.form().capsules.show(g.form().PowUp, j);
    }
    Game g;
};

TEST_F(Capsules, FirstReleaseUsesElementZeroAtTheBrick) {
    hitBrick253();
    g.queue({0.9f, 0.45f});  // released; kind Int(4.5) = 4
    g.tick();
    EXPECT_EQ(g.form().PowUp.UBound(), 0);
    EXPECT_TRUE(capsule(0).Visible);
    EXPECT_EQ(capsule(0).Left, 296 + 8);
    EXPECT_EQ(capsule(0).Top, 304);
    EXPECT_EQ(capsule(0).Width, 33);
    EXPECT_EQ(capsule(0).BackColor, 0x000080);
    EXPECT_EQ(g.state().capsuleSpeed[0], 0.0f);
    g.tick();  // it starts falling in the next tick
    EXPECT_EQ(capsule(0).Top, 304 + 0.01f);
}

TEST_F(Capsules, ReleaseNeedsADrawAboveEightyFivePercent) {
    hitBrick253();
    g.queue({0.85f});
    g.tick();
    EXPECT_FALSE(capsule(0).Visible);
    EXPECT_FALSE(g.form().Shape1[253].Visible);
}

TEST_F(Capsules, AHitWithNoFreeSlotLoadsOneEvenWithoutARelease) {
    launch(0, 100, 100, 1);
    hitBrick253();
    g.queue({0.5f});  // no capsule this time
    g.tick();
    EXPECT_EQ(g.form().PowUp.UBound(), 1);
    EXPECT_FALSE(capsule(1).Visible);
    // The next hit reuses the free element.
    hitBrick253();
    g.queue({0.95f, 0.05f});
    g.tick();
    EXPECT_EQ(g.form().PowUp.UBound(), 1);
    EXPECT_TRUE(capsule(1).Visible);
    EXPECT_EQ(capsule(1).BackColor, QBColor(0));
}

TEST_F(Capsules, SpeedGrowsByOneHundredthEveryTick) {
    launch(0, 100, 0, 1);
    g.tick();
    g.tick();
    g.tick();
    const float s1 = static_cast<float>(0.0 + 0.01);
    const float s2 = static_cast<float>(double(s1) + 0.01);
    const float s3 = static_cast<float>(double(s2) + 0.01);
    EXPECT_EQ(g.state().capsuleSpeed[0], s3);
    EXPECT_EQ(capsule(0).Top, ((0 + s1) + s2) + s3);
    EXPECT_NEAR(capsule(0).Top, 0.06, 1e-6);  // 0.01 * 3 * 4 / 2
}

TEST_F(Capsules, CaughtOnlyWithTheLeftEdgeInsideThePaddle) {
    // Bottom edge 440.51 after the fall: just past the paddle's top at 440.
    launch(0, 271, 423.5f, 5);
    g.tick();
    EXPECT_TRUE(capsule(0).Visible);
    EXPECT_EQ(g.form().Paddle.Width, 73);

    launch(1, 273, 423.5f, 5);
    g.tick();
    EXPECT_FALSE(capsule(1).Visible);
    EXPECT_EQ(g.state().capsuleSpeed[1], 0.0f);
    EXPECT_EQ(g.form().Paddle.Width, 41);  // narrower, applied at once
}

TEST_F(Capsules, TwoCatchesInOneTickApplyInIndexOrder) {
    g.form().Paddle.Width = 60;
    launch(0, 280, 430, 5);  // narrower: not above 64, so nothing
    launch(1, 290, 430, 4);  // wider by 32
    g.queue({0.5f, 0.0f});
    g.tick();
    EXPECT_FALSE(capsule(0).Visible);
    EXPECT_FALSE(capsule(1).Visible);
    EXPECT_EQ(g.form().Paddle.Width, 92);  // the other order would give 60
}

TEST_F(Capsules, AMissedCapsuleFallsOnAndKeepsItsSlot) {
    launch(0, 300, 460, 5);  // below the paddle's bottom edge (457)
    g.tick(400);
    EXPECT_TRUE(capsule(0).Visible);
    EXPECT_GT(capsule(0).Top, 530);
    EXPECT_EQ(g.form().Paddle.Width, 73);
    EXPECT_TRUE(g.form().capsules.active().empty());  // parked: no more work
    // Parked, it stays where it left the client area.
    const float top = capsule(0).Top;
    g.tick(10);
    EXPECT_EQ(capsule(0).Top, top);
    // A release cannot take its slot.
    hitBrick253();
    g.queue({0.9f, 0.0f});
    g.tick();
    EXPECT_EQ(g.form().PowUp.UBound(), 1);
    EXPECT_TRUE(capsule(1).Visible);
    EXPECT_TRUE(capsule(0).Visible);
}

TEST_F(Capsules, AtTheSixteenBitLimitAHitReleasesNothingButStillDraws) {
    // Every slot up to index 32767 holds a capsule that fell past the paddle.
    game::Form1& f = g.form();
    for (int j = 0; j <= 32767; ++j) launch(j, 300, 600, 1);
    g.tick();
    ASSERT_TRUE(f.capsules.active().empty());
    hitBrick253();
    g.queue({0.9f, 0.3f, 0.125f});
    g.tick();
    EXPECT_FALSE(f.Shape1[253].Visible);  // the brick still goes
    EXPECT_EQ(g.state().score, 10);
    EXPECT_EQ(f.PowUp.UBound(), 32767);
    EXPECT_EQ(g.form().services.Rnd(), 0.125f);  // both draws were taken
}

TEST_F(Capsules, NewGameLeavesCapsulesFalling) {
    launch(0, 100, 100, 5);
    g.tick(5);
    const float speed = g.state().capsuleSpeed[0];
    g.newGame();
    EXPECT_TRUE(capsule(0).Visible);
    EXPECT_EQ(g.state().capsuleSpeed[0], speed);
}

}  // namespace
}  // namespace brontix::tick
