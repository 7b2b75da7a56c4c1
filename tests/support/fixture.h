// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A game in a session on the headless front end, set up the way the program
// sets it up, with the random values of start-up chosen by the test.
#pragma once

#include <initializer_list>
#include <string>

#include "game/form1.h"
#include "game/game.h"
#include "replay/headless_host.h"
#include "session/inside.h"
#include "session/session.h"

namespace brontix::testing {

class Game {
public:
    // Creates the window and runs start-up, which draws the two pattern
    // values given (p = Int(2 r1), q = Int(10 r2) + 1).
    explicit Game(std::initializer_list<float> startupDraws = {0.0f, 0.0f});

    game::Form1& form() { return session::Inside::form(session_); }
    game::GameState& state() { return form().state; }
    platform::headless::HeadlessHost& host() { return host_; }
    session::Session& session() { return session_; }
    const std::string& caption() { return form().services.caption(); }

    void queue(std::initializer_list<float> values);
    void tick(int count = 1);
    // New Game with the five draws given: three colour factors, then p and q.
    void newGame(std::initializer_list<float> draws = {0.5f, 0.5f, 0.5f, 0.0f, 0.0f});
    // New Game, then every brick but brick 0 (top left, at 8, 0) hidden,
    // so balls fly without hits and the game is not yet won.
    void newGameWithOneBrick();
    // New Game, then only the bricks listed shown.
    void newGameWithBricks(std::initializer_list<int> shown);
    // The shape and records of one ball, placed and set moving.
    void placeBall(int i, float x, float y, float vx, float vy, bool held = false);
    // A capsule of palette colour `kind` over the paddle, falling into it at
    // the next tick: its index in PowUp.
    int dropCapsuleOnPaddle(int kind);

    const std::vector<std::string>& messages() const { return session_.messages(); }

private:
    platform::headless::HeadlessHost host_;
    session::Session session_{host_, [] { return std::int64_t{0}; }};
};

}  // namespace brontix::testing
