// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <cmath>

#include "input/input.h"

namespace brontix::input {

void mnuDemo_Click(game::Form1& form) { form.state.demoMode = game::Not(form.state.demoMode); }

void demoAutopilot(game::Form1& form, float brickIndex, float ballSize) {
    if (form.state.demoMode != game::True) return;
    // The position from the end of the last tick: the balls move later in
    // this one. Followed even when that ball is out of play.
    const float x = form.state.ballPos[static_cast<std::size_t>(std::nearbyint(brickIndex))].x;
    const float d = ballSize;
    if (x < form.Paddle.Left) form.Paddle.Left = x;
    // Runs last, so a ball wider than the paddle lines up on the right.
    if (form.Paddle.Width + form.Paddle.Left < d + x) form.Paddle.Left = d + x - form.Paddle.Width;
}

}  // namespace brontix::input
