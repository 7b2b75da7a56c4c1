// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "replay_fuzz.h"

namespace brontix::fuzz {
namespace {

// However many ticks an input asks for, before the window exists or after,
// as bytes or as text, it runs no more than its budget allows: one for each
// command, one a ball for each tick (three balls at start-up).
TEST(FuzzHarness, EveryInputsWorkIsBounded) {
    const std::uint8_t commands[] = {0x07, 0xff, 0xff, 0xff, 0xff, 0x21};
    const std::string text = std::string(1, '\0') + "tick 3000000\ntick 3000000\n";
    for (const auto& [data, size] :
         {std::pair{commands, sizeof commands},
          std::pair{reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}}) {
        Reach reach;
        runInput(data, size, 3000, reach);
        // 3000 less the first command, in ticks of three balls.
        EXPECT_EQ(reach.ticks, 999);
    }
}

}  // namespace
}  // namespace brontix::fuzz
