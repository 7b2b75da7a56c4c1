// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The main window's captions: the window's name, and the score lines the
// tick and the pause key write.
#pragma once

#include <cstdint>
#include <string>

namespace brontix::game {

inline constexpr const char* kCaption = "Brontix";
inline constexpr const char* kPausedCaption = "Brontix [Paused]";

// Written at every knock-out: the score and the balls in play.
inline std::string scoreLine(std::int32_t score, int balls) {
    return std::string(kCaption) + " | " + std::to_string(score) +
           " Balls: " + std::to_string(balls);
}

// Written on resume: the score alone, until the next knock-out.
inline std::string resumeLine(std::int32_t score) {
    return std::string(kCaption) + " | " + std::to_string(score);
}

}  // namespace brontix::game
