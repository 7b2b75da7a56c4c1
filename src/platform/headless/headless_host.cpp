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

bool HeadlessHost::messageBox(const std::string& text) {
    messages_.push_back(text);
    if (onMessageBox) onMessageBox(text);
    return true;
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
