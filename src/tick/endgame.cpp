// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Losing, winning and the score line in the caption.
#include "game/captions.h"
#include "tick/phases.h"

namespace brontix::tick {

namespace {
constexpr std::string_view kLost = "You lose!";
constexpr std::string_view kWon = "You win!";
}  // namespace

void loseTest(Form1& form) {
    for (int i = 0; i <= form.Ball.UBound(); ++i)
        if (form.Ball[i].Visible) return;
    // Off before the box opens, so no tick can follow while it is showing.
    form.Timer1.Enabled = false;
    form.services.report({scene::GameEvent::Kind::Lost, kLost});
    form.services.messageBox(std::string(kLost));
}

void winTest(Form1& form, const TickLocals& t) {
    // The count is the last visible ball's pass: a brick cleared in that
    // very pass is counted from the next tick on.
    if (t.hiddenCount >= game::kBrickCount) {
        form.services.report({scene::GameEvent::Kind::Won, kWon});
        form.services.messageBox(std::string(kWon));
        form.Timer1.Enabled = false;
    }
}

void showScoreLine(Form1& form, int visibleCount) {
    form.services.setCaption(game::scoreLine(form.state.score, visibleCount));
}

}  // namespace brontix::tick
