// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "game/basic.h"
#include "game/game.h"

namespace brontix::game {

namespace {

void hideAll(ObjectArray<Shape>& array, Pool& shots) {
    for (int i = 0; i <= array.UBound(); ++i) array[i].Visible = false;
    shots.rebuild(array);
}

}  // namespace

void ng_Click(Form1& form) {
    GameState& st = form.state;
    scene::Services& s = form.services;

    s.Randomize();
    st.ballHeld[0] = True;
    for (int i = 1; i <= form.Ball.UBound(); ++i) form.Ball[i].Visible = false;
    form.Ball[0].Width = kBallSize;
    form.Ball[0].Height = kBallSize;
    st.stickyPaddle = False;
    hideAll(form.LFire, form.leftShots);
    hideAll(form.RFire, form.rightShots);
    form.Ball[0].Visible = true;
    // The ball's left edge at the paddle's centre, its bottom one pixel into
    // the paddle, so the paddle test holds it there every tick.
    st.ballPos[0].y = 427;
    st.ballPos[0].x = form.Paddle.Width / 2 + form.Paddle.Left;
    st.ballVel[0].x = 0.5f;

    const float r1 = s.Rnd();
    const float r2 = s.Rnd();
    const float r3 = s.Rnd();
    const int p = Int(2.0f * s.Rnd());
    const int q = Int(11.0f * s.Rnd()) + 1;
    dealWall(form, p, q, [&](int i, Shape& brick) {
        const auto up = static_cast<float>(i);
        const auto down = static_cast<float>(260 - i);
        brick.BorderColor = RGB(double(r1 * up), double(r2 * up), double(r3 * up));
        brick.BackColor = RGB(double(r1 * down), double(r2 * down), double(r3 * down));
    });

    form.Timer1.Enabled = true;
    s.report({scene::GameEvent::Kind::NewGame, {}});
}

}  // namespace brontix::game
