// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Feeding scripts to the replay interpreter and checking, after every
// command, what must always hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace brontix::fuzz {

// How far the inputs have taken the game, summed over a run.
struct Reach {
    long long inputs = 0;
    long long commands = 0;
    long long ticks = 0;
    long long clicks = 0;
    int maxBall = 0;     // highest Ball upper bound seen
    int maxCapsule = 0;  // highest PowUp upper bound
    int maxShot = 0;     // highest LFire or RFire upper bound
    float maxBallWidth = 0;
    float maxPaddleWidth = 0;
    float minPaddleWidth = 1e30f;
    bool cannons = false;
    bool sticky = false;
    bool won = false;
    bool lost = false;
    std::string summary() const;
};

// Runs one input; aborts with a message on the first broken rule.
// `tickBudget` bounds the ball-ticks one input may run.
void runInput(const std::uint8_t* data, std::size_t size, long long tickBudget, Reach& reach);

}  // namespace brontix::fuzz
