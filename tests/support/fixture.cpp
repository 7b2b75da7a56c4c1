// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "support/fixture.h"

#include "game/basic.h"

namespace brontix::testing {

Game::Game(std::initializer_list<float> startupDraws) {
    queue(startupDraws);
    host_.placeWindows(session_);
    session_.start();
}

void Game::queue(std::initializer_list<float> values) {
    for (float v : values) session_.queueRandom(v);
}

void Game::tick(int count) { host_.expire(session_, static_cast<std::uint64_t>(count)); }

void Game::newGame(std::initializer_list<float> draws) {
    queue(draws);
    session_.menu(session::Command::NewGame);
}

void Game::newGameWithOneBrick() { newGameWithBricks({0}); }

void Game::newGameWithBricks(std::initializer_list<int> shown) {
    newGame();
    for (auto& brick : form().Shape1) brick.Visible = false;
    for (int k : shown) form().Shape1[k].Visible = true;
}

void Game::placeBall(int i, float x, float y, float vx, float vy, bool held) {
    game::GameState& st = form().state;
    st.fitBallRecords(form().Ball.UBound());
    const auto n = static_cast<std::size_t>(i);
    form().Ball[i].Visible = true;
    st.ballPos[n] = {x, y};
    st.ballVel[n] = {vx, vy};
    st.ballHeld[n] = held ? game::True : game::False;
}

int Game::dropCapsuleOnPaddle(int kind) {
    game::Form1& f = form();
    int j = f.capsules.lowestFree(f.PowUp);
    if (j < 0) {
        f.capsules.loaded(f.PowUp.Load());
        j = f.PowUp.UBound();
    }
    f.PowUp[j].Move(f.Paddle.Left + 1, 430);
    f.PowUp[j].BackColor = game::QBColor(kind);
    f.capsules.show(f.PowUp, j);
    return j;
}

}  // namespace brontix::testing
