// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A seeded random walk over fuzz inputs, for machines without libFuzzer:
//   brontix-fuzz-walk [--seconds N] [--seed S] [--budget TICKS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "replay_fuzz.h"

int main(int argc, char** argv) {
    double seconds = 60;
    unsigned long long seed = 1;
    long long budget = 300000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seconds")) seconds = std::atof(argv[i + 1]);
        if (!std::strcmp(argv[i], "--seed")) seed = std::strtoull(argv[i + 1], nullptr, 10);
        if (!std::strcmp(argv[i], "--budget")) budget = std::atoll(argv[i + 1]);
    }
    std::mt19937_64 rng(seed);
    brontix::fuzz::Reach reach;
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::uint8_t> input;
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
           seconds) {
        input.resize(1 + rng() % 600);
        for (auto& byte : input) byte = static_cast<std::uint8_t>(rng());
        brontix::fuzz::runInput(input.data(), input.size(), budget, reach);
    }
    std::printf("fuzz walk (seed %llu, %.0f s): %s\n", seed, seconds, reach.summary().c_str());
    return 0;
}
