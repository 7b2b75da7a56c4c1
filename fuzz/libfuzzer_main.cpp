// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The libFuzzer entry point (built with clang's -fsanitize=fuzzer).
#include <cstdlib>

#include "replay_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static brontix::fuzz::Reach reach;
    const char* budget = std::getenv("BRONTIX_FUZZ_TICK_BUDGET");
    brontix::fuzz::runInput(data, size, budget ? std::atoll(budget) : 300000, reach);
    return 0;
}
