// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "input/input.h"

namespace brontix::input {

void Form_MouseMove(game::Form1& form, std::int16_t /*button*/, std::int16_t /*shift*/, float x,
                    float /*y*/) {
    // Nothing moves while the game is paused or over.
    if (!form.Timer1.Enabled) return;
    const float oldLeft = form.Paddle.Left;
    // Centred under the pointer, with no clamping at the walls.
    form.Paddle.Left = x - form.Paddle.Width / 2;
    // Held balls move by the paddle's actual displacement, so each keeps its
    // offset on the paddle. Their shapes follow at the next tick.
    game::GameState& st = form.state;
    for (int i = 0; i <= form.Ball.UBound(); ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (st.ballHeld[n] == game::True)
            st.ballPos[n].x = st.ballPos[n].x + (form.Paddle.Left - oldLeft);
    }
}

}  // namespace brontix::input
