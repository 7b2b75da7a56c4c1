// States to measure, built the way the game builds them.
#pragma once

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
};

}  // namespace brontix::bench
