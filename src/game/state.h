// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The eight game-state variables the handlers and the tick share.
#pragma once

#include <cstdint>
#include <vector>

#include "game/basic.h"

namespace brontix::game {

struct BallVector {
    float x = 0;
    float y = 0;
};

// The eight, each once, as X(type, name, initial value): the state is
// declared from this list, and sizing a kept moment walks it.
#define BRONTIX_GAME_STATE(X)                                                       \
    X(std::vector<BallVector>, ballVel, ) /* pixels per tick, per ball */           \
    X(std::vector<BallVector>, ballPos, ) /* left and top of each ball's square */  \
    X(std::int32_t, score, 0)                                                       \
    X(std::vector<Boolean>, ballHeld, )   /* resting on the paddle */               \
    X(std::vector<double>, ballFade, )    /* gravity and grey level, per ball */    \
    X(std::vector<float>, capsuleSpeed, ) /* fall speed per capsule, px per tick */ \
    X(Boolean, demoMode, False)                                                     \
    X(Boolean, stickyPaddle, False)

struct GameState {
#define BRONTIX_DECLARE(type, name, initial) type name{initial};
    BRONTIX_GAME_STATE(BRONTIX_DECLARE)
#undef BRONTIX_DECLARE

    // Gives every ball up to `last` its four records, keeping those it had:
    // a ball loaded outside the tick needs them before the tick sees it.
    void fitBallRecords(int last) {
        ReDimPreserve(ballVel, last);
        ReDimPreserve(ballPos, last);
        ReDimPreserve(ballHeld, last);
        ReDimPreserve(ballFade, last);
    }
};

// score += delta with the wrap-around of a 32-bit register rather than
// undefined behaviour; no real game comes near the limit.
inline void addScore(std::int32_t& score, std::int32_t delta) {
    score = static_cast<std::int32_t>(static_cast<std::uint32_t>(score) +
                                      static_cast<std::uint32_t>(delta));
}

}  // namespace brontix::game
