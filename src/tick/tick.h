// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game tick: everything that happens when Timer1 expires.
#pragma once

#include "game/form1.h"

namespace brontix::tick {

void Timer1_Timer(game::Form1& form);

}  // namespace brontix::tick
