// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/headless/headless_host.h"

namespace brontix::platform::headless {

HeadlessHost::HeadlessHost() {
    form1_.exists = true;
    form1_.visible = true;
    form1_.width = scene::kPlayfieldWidth + 2 * kFrameBorder;
    form1_.height = scene::kPlayfieldHeight + kFrameTitle + kFrameMenu + kFrameBorder;
}

void HeadlessHost::apply(session::Session& session, const session::Answer& answer) {
    if (!answer.box) return;
    messages_.push_back(*answer.box);
    session.boxClosed();
}

void HeadlessHost::expire(session::Session& session, std::uint64_t count) {
    // The expiries after a box go on once it is answered (its tick has
    // switched the timer off by then, so they find nothing to run).
    while (count > 0) {
        const std::uint64_t before = session.ticksRun();
        const session::Answer answer = session.expire(count);
        count -= session.ticksRun() - before;
        apply(session, answer);
        if (!answer.box) return;
    }
}

void HeadlessHost::showBackdrop() {
    // Maximised: the whole screen, frame included.
    form2_ = {true, true, 0, 0, kScreenWidth, kScreenHeight};
}

void HeadlessHost::moveGameWindow(float leftTwips, float topTwips) {
    form1_.left = scene::twipsToPixels(leftTwips);
    form1_.top = scene::twipsToPixels(topTwips);
}

void HeadlessHost::showGameWindowOwnedByBackdrop() {
    form1_.visible = true;
    ownedByBackdrop_ = true;
}

}  // namespace brontix::platform::headless
