// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "game/captions.h"
#include "input/input.h"

namespace brontix::input {

namespace {
constexpr int kPauseKey = 112;  // lower-case p only
}

void Form_KeyPress(game::Form1& form, int keyAscii) {
    if (keyAscii != kPauseKey) return;
    // Paused and ended are alike here: both have the timer off, and p turns
    // it on, so p after a lost game shows the message again next tick.
    if (form.Timer1.Enabled) {
        form.Timer1.Enabled = false;
        form.services.setCaption(game::kPausedCaption);
        form.services.report({scene::GameEvent::Kind::Paused, {}});
    } else {
        form.Timer1.Enabled = true;
        form.services.setCaption(game::resumeLine(form.state.score));
        form.services.report({scene::GameEvent::Kind::Resumed, {}});
    }
}

}  // namespace brontix::input
