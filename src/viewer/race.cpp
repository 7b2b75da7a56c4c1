// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "viewer/race.h"

#include "viewer/viewer.h"

namespace brontix::viewer {

std::string RaceReport::started() const { return "race on wall " + std::to_string(wall_); }

std::optional<std::string> RaceReport::ended(const session::Event& event, std::int32_t score) {
    using Kind = session::Event::Kind;
    if (over_ || (event.kind != Kind::Lost && event.kind != Kind::Won)) return std::nullopt;
    over_ = true;
    return started() + ": " + std::string(event.what) + ", score " + std::to_string(score) +
           ", play time " + minutesSeconds(event.point - from_);
}

std::optional<std::uint64_t> racedWall(std::span<const script::Command> commands) {
    std::uint64_t clock = 0;
    int clocks = 0;
    for (const script::Command& c : commands) {
        if (std::holds_alternative<script::Format>(c)) continue;
        if (const auto* read = std::get_if<script::Clock>(&c)) {
            clock = read->value;
            ++clocks;
            continue;
        }
        const auto* menu = std::get_if<script::Menu>(&c);
        if (clocks >= 2 && menu && menu->command == session::Command::NewGame) return clock;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> firstWall(std::span<const script::Command> commands) {
    std::uint64_t clock = 0;
    for (const script::Command& c : commands) {
        if (const auto* read = std::get_if<script::Clock>(&c)) clock = read->value;
        const auto* menu = std::get_if<script::Menu>(&c);
        if (menu && menu->command == session::Command::NewGame) return clock;
    }
    return std::nullopt;
}

}  // namespace brontix::viewer
