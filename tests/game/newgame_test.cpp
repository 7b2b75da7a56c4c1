// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "game/basic.h"
#include "input/input.h"
#include "support/fixture.h"

namespace brontix::game {
namespace {

using testing::Game;

TEST(NewGame, ServesBallZeroHeldOnThePaddle) {
    Game g;
    g.tick(3);
    Form1& f = g.form();
    f.LFire[0].Visible = true;
    f.RFire[0].Visible = true;
    input::Form_Click(f);
    f.Ball[0].Width = 22;
    f.Ball[0].Height = 22;
    g.state().stickyPaddle = True;
    f.Timer1.Enabled = false;

    g.newGame();
    const GameState& st = g.state();
    EXPECT_TRUE(f.Ball[0].Visible);
    EXPECT_EQ(f.Ball[0].Width, 14);
    EXPECT_EQ(f.Ball[0].Height, 14);
    EXPECT_EQ(st.ballHeld[0], True);
    EXPECT_EQ(st.ballPos[0].x, 308.5f);
    EXPECT_EQ(st.ballPos[0].y, 427.0f);
    EXPECT_EQ(st.ballVel[0].x, 0.5f);
    EXPECT_FALSE(f.Ball[1].Visible);
    EXPECT_FALSE(f.Ball[2].Visible);
    for (int i = 0; i <= f.LFire.UBound(); ++i) EXPECT_FALSE(f.LFire[i].Visible);
    for (int i = 0; i <= f.RFire.UBound(); ++i) EXPECT_FALSE(f.RFire[i].Visible);
    EXPECT_EQ(f.LFire.UBound(), 1);  // hidden, not destroyed
    EXPECT_EQ(st.stickyPaddle, False);
    EXPECT_TRUE(f.Timer1.Enabled);
}

TEST(NewGame, DealsAWallTintedByThreeFactors) {
    Game g;
    g.newGame({0.99f, 0.5f, 0.0f, 0.0f, 0.0f});
    Form1& f = g.form();
    // 0.99 * 260 = 257.4 counts as 255; 0.5 * 260 = 130.
    EXPECT_EQ(f.Shape1[0].BackColor, game::RGB(255, 130, 0));
    EXPECT_EQ(f.Shape1[0].BorderColor, 0);
    // Brick 259: fill 0.99 -> 1, 0.5 -> 0 (the tie goes to even); outline
    // 0.99 * 259 = 256.41 -> 255, 0.5 * 259 = 129.5 -> 130.
    EXPECT_EQ(f.Shape1[259].BackColor, game::RGB(1, 0, 0));
    EXPECT_EQ(f.Shape1[259].BorderColor, game::RGB(255, 130, 0));
}

TEST(NewGame, BandsOfElevenRowsShowOnlyTheBottomNine) {
    Game g;
    g.newGame({0.5f, 0.5f, 0.5f, 0.2f, 0.95f});  // p = 0, q = 11
    int shown = 0;
    for (int i = 0; i < 260; ++i) {
        EXPECT_EQ(g.form().Shape1[i].Visible, i >= 13 * 11) << i;
        shown += g.form().Shape1[i].Visible ? 1 : 0;
    }
    EXPECT_EQ(shown, 117);
}

TEST(NewGame, CheckerboardWhenPIsOne) {
    Game g;
    g.newGame({0.5f, 0.5f, 0.5f, 0.7f, 0.1f});  // p = 1, q = 2
    for (int i = 0; i < 260; ++i) EXPECT_EQ(g.form().Shape1[i].Visible, (i + i / 26) % 2 == 0) << i;
}

TEST(NewGame, LeavesScoreDemoFadeCapsulesPaddleAndCaptionAlone) {
    Game g;
    g.newGame();
    g.tick(4);
    Form1& f = g.form();
    GameState& st = g.state();
    st.score = 120;
    st.demoMode = True;
    st.ballVel[0].y = -2.25f;
    st.ballFade[1] = 0.25;
    f.Paddle.Left = 100;
    f.Paddle.Width = 105;
    f.PowUp[0].Move(50, 60);
    f.capsules.show(f.PowUp, 0);
    st.capsuleSpeed[0] = 1.5f;
    f.Ball[0].BackColor = 0x646464;
    f.Ball[1].Width = 30;
    g.form().services.setCaption("Brontix [Paused]");

    g.newGame();
    EXPECT_EQ(st.score, 120);
    EXPECT_EQ(st.demoMode, True);
    EXPECT_EQ(st.ballVel[0].y, -2.25f);
    EXPECT_EQ(st.ballFade[1], 0.25);
    EXPECT_EQ(f.Paddle.Left, 100);
    EXPECT_EQ(f.Paddle.Width, 105);
    // Ball 0 at the centre of the widened paddle.
    EXPECT_EQ(st.ballPos[0].x, 152.5f);
    EXPECT_TRUE(f.PowUp[0].Visible);
    EXPECT_EQ(st.capsuleSpeed[0], 1.5f);
    EXPECT_EQ(f.Ball[0].BackColor, 0x646464);
    EXPECT_EQ(f.Ball[1].Width, 30);  // hidden extra balls keep their size
    EXPECT_EQ(g.caption(), "Brontix [Paused]");
}

TEST(NewGame, SeedsFromTheClock) {
    // Start-up seeded all three from clock 0; a New Game that did not reseed
    // would deal one wall for every clock.
    Game a, b, c;
    a.host().setClock(5);
    b.host().setClock(5);
    c.host().setClock(6);
    for (Game* g : {&a, &b, &c}) ng_Click(g->form());
    auto fills = [](Game& g) {
        std::vector<scene::Colour> v;
        for (const auto& brick : g.form().Shape1) v.push_back(brick.BackColor);
        return v;
    };
    EXPECT_EQ(fills(a), fills(b));
    EXPECT_NE(fills(a), fills(c));
}

}  // namespace
}  // namespace brontix::game
