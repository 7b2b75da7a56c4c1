// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Start-up and New Game: the handlers that set up a wall and a ball.
#pragma once

#include "game/form1.h"

namespace brontix::game {

// Runs once, after the layout exists and before the window is first shown.
void Form_Load(Form1& form);

// "&New Game".
void ng_Click(Form1& form);

// Walks the 260 bricks with the pattern rule shared by start-up and New
// Game: p = 1 gives a checkerboard, and every band of q rows flips it.
template <class PerBrick>
void dealWall(Form1& form, int p, int q, PerBrick perBrick) {
    bool vis = true;
    for (int i = 0; i < kBrickCount; ++i) {
        if (p != 0) vis = !vis;
        if (i % (kBrickColumns * q) == 0) vis = !vis;
        form.Shape1[i].Visible = vis;
        perBrick(i, form.Shape1[i]);
    }
}

}  // namespace brontix::game
