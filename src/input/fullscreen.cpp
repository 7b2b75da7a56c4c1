// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "input/input.h"

namespace brontix::input {

void mnuFS_Click(game::Form1& form) {
    scene::Services& s = form.services;
    s.showBackdrop();
    s.hideGameWindow();
    centreOnBackdrop(s);
    s.showGameWindowOwnedByBackdrop();
}

void centreOnBackdrop(scene::Services& s) {
    // Centred on the backdrop's own frame, not the screen, so the game sits
    // in the middle of whatever the maximised backdrop covers.
    const scene::WindowRect back = s.backdropRect();
    const scene::WindowRect game = s.gameWindowRect();
    const float left = back.Width / 2 + back.Left - game.Width / 2;
    const float top = back.Height / 2 + back.Top - game.Height / 2;
    s.moveGameWindow(left, top);
}

}  // namespace brontix::input
