// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The player's commands and the words a replay script names them by: the
// recorder writes them, the script reader reads them, from this one table.
#pragma once

#include <array>
#include <string_view>

namespace brontix::session {

// The three commands of the menu bar.
enum class Command { NewGame = 0, Demo = 1, FullScreen = 2 };

namespace words {
inline constexpr std::string_view kClock = "clock";
inline constexpr std::string_view kRandom = "random";
inline constexpr std::string_view kTick = "tick";
inline constexpr std::string_view kMove = "move";
inline constexpr std::string_view kClick = "click";
inline constexpr std::string_view kKey = "key";
inline constexpr std::string_view kMenu = "menu";
inline constexpr std::string_view kDump = "dump";
// What follows `menu`, by Command.
inline constexpr std::array<std::string_view, 3> kMenuWhat = {"new", "demo", "fullscreen"};
}  // namespace words

}  // namespace brontix::session
