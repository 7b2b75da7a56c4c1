// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "support/fixture.h"

namespace brontix::input {
namespace {

using testing::Game;

class Click : public ::testing::Test {
protected:
    Click() { g.newGameWithOneBrick(); }
    void mountCannons() {
        g.form().LFire[0].Visible = true;
        g.form().RFire[0].Visible = true;
    }
    void click() { Form_Click(g.form()); }
    game::Form1& f() { return g.form(); }
    Game g;
};

TEST_F(Click, ReleasesEveryHeldBallAndFiresNothingWithoutCannons) {
    g.state().ballHeld[1] = game::True;
    g.state().ballHeld[2] = game::True;
    click();
    for (auto held : g.state().ballHeld) EXPECT_EQ(held, game::False);
    EXPECT_EQ(f().LFire.UBound(), 0);
    EXPECT_EQ(f().RFire.UBound(), 0);
}

TEST_F(Click, FirstShotPairIsLoadedRedOnTheCannons) {
    mountCannons();
    f().RFire[0].Left = 327;
    click();
    ASSERT_EQ(f().LFire.UBound(), 1);
    ASSERT_EQ(f().RFire.UBound(), 1);
    for (auto* side : {&f().LFire, &f().RFire}) {
        const scene::Shape& shot = (*side)[1];
        EXPECT_TRUE(shot.Visible);
        EXPECT_EQ(shot.BackColor, 0x0000FF);
        EXPECT_EQ(shot.Left, (*side)[0].Left);
        EXPECT_EQ(shot.Top, 432);
        EXPECT_EQ(shot.Width, 9);
        EXPECT_EQ(shot.Height, 25);
    }
}

TEST_F(Click, ShotsTakeTheLowestFreeIndexOnEachSideIndependently) {
    mountCannons();
    click();
    click();
    click();
    EXPECT_EQ(f().LFire.UBound(), 3);
    EXPECT_EQ(f().RFire.UBound(), 3);
    // Left shot 1 has ended, right shot 1 is still flying.
    f().leftShots.hide(f().LFire, 1);
    f().LFire[2].Top = 100;
    click();
    EXPECT_EQ(f().LFire.UBound(), 3);
    EXPECT_TRUE(f().LFire[1].Visible);
    EXPECT_EQ(f().LFire[1].Top, 432);
    EXPECT_EQ(f().LFire[2].Top, 100);  // shots in flight stay where they are
    EXPECT_EQ(f().RFire.UBound(), 4);
    EXPECT_TRUE(f().RFire[4].Visible);
}

TEST_F(Click, WhilePausedShotsWaitOnTheCannons) {
    mountCannons();
    f().Timer1.Enabled = false;
    click();
    g.tick(10);
    EXPECT_EQ(f().LFire[1].Top, 432);
    EXPECT_EQ(g.state().ballHeld[0], game::False);
    EXPECT_EQ(g.state().ballPos[0].y, 427);
}

TEST_F(Click, AFullSideFiresNothingAndLeavesItsShotsAlone) {
    mountCannons();
    f().Timer1.Enabled = false;
    for (int n = 0; n < 32767; ++n) click();
    ASSERT_EQ(f().LFire.UBound(), 32767);
    ASSERT_EQ(f().RFire.UBound(), 32767);
    f().LFire[7].Top = 5;
    f().rightShots.hide(f().RFire, 9);
    click();
    EXPECT_EQ(f().LFire.UBound(), 32767);
    EXPECT_EQ(f().LFire[7].Top, 5);
    for (int i = 1; i <= 32767; ++i) ASSERT_TRUE(f().LFire[i].Visible);
    EXPECT_EQ(f().RFire.UBound(), 32767);
    EXPECT_TRUE(f().RFire[9].Visible);
    click();  // both sides full: still nothing breaks
    EXPECT_EQ(f().RFire.UBound(), 32767);
}

}  // namespace
}  // namespace brontix::input
