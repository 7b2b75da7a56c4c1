// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Power-up capsules: released by brick hits, falling faster and faster,
// caught by the paddle's left-edge test.
#include "game/basic.h"
#include "game/game.h"
#include "tick/phases.h"

namespace brontix::tick {

namespace {

constexpr double kFallAcceleration = 0.01;  // pixels per tick, per tick
constexpr float kReleaseThreshold = 0.85f;  // 15 % of hits release a capsule

bool caught(const Shape& c, const Shape& paddle) {
    return c.Top + c.Height > paddle.Top && c.Left > paddle.Left &&
           paddle.Left + paddle.Width > c.Left && paddle.Top + paddle.Height > c.Top;
}

// Once its top is below the client area a capsule can neither be caught
// (the paddle never leaves its row) nor be seen again, and it only falls
// further; it stays in flight and keeps its slot, but costs no more work.
bool pastClientArea(const Shape& c) { return c.Top > static_cast<float>(scene::kPlayfieldHeight); }

}  // namespace

void releaseCapsule(Form1& form, TickLocals& t, const Shape& brick) {
    t.capsuleFound = False;
    const int free = form.capsules.lowestFree(form.PowUp);
    if (free >= 0) {
        t.freeCapsule = free;
        t.capsuleFound = True;
    }
    // A slot is made whether or not this hit releases a capsule. At the
    // 16-bit limit none can be made; the draws still happen so the rest of
    // the game sees the same random values.
    bool haveSlot = t.capsuleFound == True;
    if (!haveSlot && !form.PowUp.full()) {
        form.capsules.loaded(form.PowUp.Load());
        t.freeCapsule = form.PowUp.UBound();
        haveSlot = true;
    }
    if (!(form.services.Rnd() > kReleaseThreshold)) return;
    const float kind = form.services.Rnd();
    if (!haveSlot) return;
    Shape& c = form.PowUp[t.freeCapsule];
    c.Move(brick.Left + 8, brick.Top);
    c.BackColor = game::QBColor(game::Int(kind * 10.0f));
    form.capsules.show(form.PowUp, t.freeCapsule);
}

void capsulePhase(Form1& form) {
    // A copy: catches change the list while it is walked.
    for (int j : form.capsules.activeCopy()) {
        Shape& c = form.PowUp[j];
        float& speed = form.state.capsuleSpeed[static_cast<std::size_t>(j)];
        speed = static_cast<float>(double(speed) + kFallAcceleration);
        c.Top = c.Top + speed;
        if (caught(c, form.Paddle)) {
            form.capsules.hide(form.PowUp, j);
            speed = 0;
            applyEffect(form, c.BackColor);
        } else if (pastClientArea(c)) {
            form.capsules.park(j);
        }
    }
}

}  // namespace brontix::tick
