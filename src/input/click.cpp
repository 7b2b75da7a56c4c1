// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "input/input.h"

namespace brontix::input {

namespace {

constexpr scene::Colour kShotColour = 0x0000FF;

// The lowest free shot from 1 up, or a new one at the end; 0 when the side
// has none free and its array already stands at the 16-bit limit.
int chooseShot(scene::ObjectArray<scene::Shape>& side, game::Pool& shots) {
    const int free = shots.lowestFree(side);
    if (free >= 1) return free;
    if (side.full()) return 0;
    shots.loaded(side.Load());
    return side.UBound();
}

void placeShot(scene::ObjectArray<scene::Shape>& side, game::Pool& shots, int i) {
    // Over its cannon exactly; the tick moves it up from there.
    side[i].Move(side[0].Left, side[0].Top);
    shots.show(side, i);
}

}  // namespace

void Form_Click(game::Form1& form) {
    for (int i = 0; i <= form.Ball.UBound(); ++i)
        form.state.ballHeld[static_cast<std::size_t>(i)] = game::False;
    if (!form.LFire[0].Visible) return;

    const int left = chooseShot(form.LFire, form.leftShots);
    const int right = chooseShot(form.RFire, form.rightShots);
    if (left > 0) form.LFire[left].BackColor = kShotColour;
    if (right > 0) form.RFire[right].BackColor = kShotColour;
    if (left > 0) placeShot(form.LFire, form.leftShots, left);
    if (right > 0) placeShot(form.RFire, form.rightShots, right);
}

}  // namespace brontix::input
