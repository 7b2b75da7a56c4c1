// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The libFuzzer entry point (built with clang's -fsanitize=fuzzer).
#include <cstdlib>

#include "replay_fuzz.h"

// Ball-ticks an input may run (BRONTIX_FUZZ_TICK_BUDGET sets another): at
// about 10 us a ball-tick under the sanitizers, a third of a second at
// most, so that libFuzzer tries tens of inputs a second; the random walk
// goes ten times deeper.
constexpr long long kTickBudget = 30000;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static brontix::fuzz::Reach reach;
    const char* budget = std::getenv("BRONTIX_FUZZ_TICK_BUDGET");
    brontix::fuzz::runInput(data, size, budget ? std::atoll(budget) : kTickBudget, reach);
    return 0;
}
