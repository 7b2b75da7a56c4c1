// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// States to measure, built the way the game builds them.
#pragma once

#include "session/inside.h"
#include "support/fixture.h"

namespace brontix::bench {

// A full New Game wall (checkerboard of single rows, 130 bricks) with
// `balls` balls in flight below it and `shots` shots rising under it.
class Scene {
public:
    explicit Scene(int balls = 1, int shots = 0, int parkedCapsules = 0);

    // Puts every ball and shot back where the scene started, so each
    // measured tick does the same work.
    void rewind();
    void tick();
    game::Form1& form() { return game_.form(); }

private:
    testing::Game game_;
    int balls_;
    int rewinds_ = 0;
};

// Fills the ball array, or puts `balls` balls in play: spread over the
// field below the wall and flying every way.
void fillBallArray(game::Form1& form, int balls = 0);

// The game of a script that multiplies the balls, played in `session` for
// `ticks` ticks: clock 7, New Game, Demo, the pointer at 320, one launch,
// and every capsule a multi-ball (each hit draws 0.9, then 0.35 for the
// kind).
void playCascade(session::Session& session, platform::headless::HeadlessHost& host, int ticks);

}  // namespace brontix::bench
