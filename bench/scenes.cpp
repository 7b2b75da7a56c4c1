// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "scenes.h"

#include "input/input.h"
#include "tick/tick.h"

namespace brontix::bench {

Scene::Scene(int balls, int shots, int parkedCapsules) : balls_(balls) {
    game_.newGame({0.3f, 0.6f, 0.9f, 0.7f, 0.0f});  // p = 1, q = 1
    game::Form1& f = game_.form();
    while (f.Ball.UBound() < balls - 1) f.Ball.Load();
    for (int i = 0; i < balls; ++i) game_.placeBall(i, 20 + (i % 580), 380, 0.5f, 0);

    if (shots > 0) {
        f.LFire[0].Visible = true;
        f.RFire[0].Visible = true;
        f.Timer1.Enabled = false;
        for (int n = 0; n < (shots + 1) / 2; ++n) input::Form_Click(f);
        f.Timer1.Enabled = true;
    }
    // Capsules that fell past the paddle: in flight for ever, parked.
    for (int j = 0; j < parkedCapsules; ++j) {
        if (j > 0) f.capsules.loaded(f.PowUp.Load());
        f.PowUp[j].Move(300, 600);
        f.capsules.show(f.PowUp, j);
    }
    game_.tick();  // sizes the arrays, parks the capsules
    rewind();
}

void Scene::rewind() {
    game::Form1& f = game_.form();
    game::GameState& st = f.state;
    // Every other tick starts two pixels to the right, so that each tick
    // moves every ball on screen and its frame has them all to draw again.
    const float shift = static_cast<float>(2 * (++rewinds_ % 2));
    for (int i = 0; i < balls_; ++i) {
        const auto n = static_cast<std::size_t>(i);
        st.ballPos[n] = {static_cast<float>(20 + (i % 580)) + shift, 380};
        st.ballVel[n] = {0.5f, 0};
        st.ballFade[n] = 0.001;
    }
    // Shots rise from below the wall, clear of every brick.
    for (int i : f.leftShots.active()) f.LFire[i].Top = 420;
    for (int i : f.rightShots.active()) f.RFire[i].Top = 420;
}

void Scene::tick() { tick::Timer1_Timer(game_.form()); }

void fillBallArray(game::Form1& f, int balls) {
    while (!f.Ball.full() && (balls == 0 || f.Ball.UBound() + 1 < balls)) f.Ball.Load();
    game::GameState& st = f.state;
    const int last = f.Ball.UBound();
    st.fitBallRecords(last);
    for (int i = 0; i <= last; ++i) {
        const auto n = static_cast<std::size_t>(i);
        f.Ball[i].Visible = true;
        st.ballPos[n] = {static_cast<float>(20 + i * 7 % 590),
                         static_cast<float>(330 + i * 13 % 110)};
        st.ballVel[n] = {static_cast<float>(i % 9 - 4), static_cast<float>(-1 - i % 3)};
        st.ballHeld[n] = game::False;
    }
}

void playCascade(session::Session& session, platform::headless::HeadlessHost& host, int ticks) {
    host.setClock(7);
    session.start();
    session.menu(session::Command::NewGame);
    session.menu(session::Command::Demo);
    session.pointer(320, 0);
    session.click();
    for (int n = 0; n < 2000; ++n) {
        session.queueRandom(0.9f);
        session.queueRandom(0.35f);
    }
    host.expire(session, static_cast<std::uint64_t>(ticks));
}

}  // namespace brontix::bench
