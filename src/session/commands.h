// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The player's commands and the words a replay script names them by: the
// recorder writes them, the script reader reads them, from this one table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
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
inline constexpr std::string_view kFormat = "format";
inline constexpr std::string_view kCheck = "check";
// What follows `menu`, by Command.
inline constexpr std::array<std::string_view, 3> kMenuWhat = {"new", "demo", "fullscreen"};
}  // namespace words

// The version of the script format the recorder writes, and the only one
// read.
inline constexpr unsigned kFormatVersion = 1;

// A check's hash: 64-bit FNV-1a over bytes.
inline constexpr unsigned long long kFnvOffsetBasis = 0xcbf29ce484222325ULL;
inline constexpr unsigned long long kFnvPrime = 0x100000001b3ULL;

// A hash as a check line writes it: 16 lower-case hexadecimal digits.
inline std::string hashText(std::uint64_t hash) {
    std::string s(16, '0');
    for (auto i = s.size(); i-- > 0; hash >>= 4) s[i] = "0123456789abcdef"[hash & 15];
    return s;
}

}  // namespace brontix::session
