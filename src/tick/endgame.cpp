// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Losing, winning and the score line in the caption.
#include "game/captions.h"
#include "tick/phases.h"

namespace brontix::tick {

void loseTest(Form1& form) {
    for (int i = 0; i <= form.Ball.UBound(); ++i)
        if (form.Ball[i].Visible) return;
    // Off before the box opens, so no tick can follow while it is showing.
    form.Timer1.Enabled = false;
    form.services.messageBox("You lose!");
}

void winTest(Form1& form, const TickLocals& t) {
    // The count is the last visible ball's pass: a brick cleared in that
    // very pass is counted from the next tick on.
    if (t.hiddenCount >= game::kBrickCount) {
        form.services.messageBox("You win!");
        form.Timer1.Enabled = false;
    }
}

void showScoreLine(Form1& form, int visibleCount) {
    form.services.setCaption(game::scoreLine(form.state.score, visibleCount));
}

}  // namespace brontix::tick
