// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Player input and window modes: mouse, click, key, Demo and Full Screen.
#pragma once

#include <cstdint>

#include "game/form1.h"

namespace brontix::input {

// A pointer movement over the playfield, X and Y in playfield pixels.
void Form_MouseMove(game::Form1& form, std::int16_t button, std::int16_t shift, float x, float y);
void Form_Click(game::Form1& form);
// A typed character, by its character code.
void Form_KeyPress(game::Form1& form, int keyAscii);
void mnuDemo_Click(game::Form1& form);
void mnuFS_Click(game::Form1& form);
// Full Screen's placing of the game window: in the middle of the backdrop.
// Run again when the backdrop changes size under a game window it owns.
void centreOnBackdrop(scene::Services& windows);

// The demo's phase of the tick: keeps the paddle under the ball whose
// position record the tick's brick counter names (always ball 0 here).
void demoAutopilot(game::Form1& form, float brickIndex, float ballSize);

}  // namespace brontix::input
