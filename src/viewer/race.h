// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A race as a desktop front end tells it on standard output: the wall when
// it starts, and the result when the race's game ends ("You lose!" or "You
// win!", its score and its play time). Later games are not the race's.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "script/script.h"
#include "session/session.h"

namespace brontix::viewer {

class RaceReport {
public:
    // The race's New Game was chosen once `from` ticks had run.
    RaceReport(std::uint64_t wall, std::uint64_t from) : wall_(wall), from_(from) {}

    // "race on wall N"
    std::string started() const;
    // For the event that ends the race's game, its line ("race on wall N:
    // You win!, score 1520, play time 2:07"), once; none for any other.
    std::optional<std::string> ended(const session::Event& event, std::int32_t score);

private:
    std::uint64_t wall_;
    std::uint64_t from_;
    bool over_ = false;
};

// The wall a script races on: it begins as a race's recording does, with
// start-up's clock, the race's, then New Game, which reads the race's. None
// for any other script (one that sets a clock for start-up and New Game
// alike is a script by hand, not a race).
std::optional<std::uint64_t> racedWall(std::span<const script::Command> commands);
// The wall a script's first New Game deals: the clock it reads (0 when the
// script set none). None without a New Game.
std::optional<std::uint64_t> firstWall(std::span<const script::Command> commands);

}  // namespace brontix::viewer
