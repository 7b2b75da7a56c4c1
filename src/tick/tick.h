// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game tick: everything that happens when Timer1 expires.
#pragma once

#include <array>
#include <string_view>

#include "game/form1.h"

namespace brontix::tick {

void Timer1_Timer(game::Form1& form);

// What a caught capsule does, told to players: its palette index (its
// colour), the effect's name and the effect in words.
struct CapsuleKind {
    int paletteIndex;
    std::string_view effect;
    std::string_view words;
};
// Every kind, from the table the tick applies.
std::array<CapsuleKind, 10> capsuleKinds();

}  // namespace brontix::tick
