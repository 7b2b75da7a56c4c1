// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game's single random source: SplitMix64, seeded from a clock value,
// returning single-precision values in [0, 1).
#pragma once

#include <cstdint>

namespace brontix::scene {

class SplitMix64 {
public:
    void seed(std::uint64_t value) { state_ = value; }

    float next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z = z ^ (z >> 31);
        // 24 bits fit a float's mantissa exactly, so the value is < 1.
        return static_cast<float>(z >> 40) / 16777216.0f;
    }

private:
    std::uint64_t state_ = 0;
};

}  // namespace brontix::scene
