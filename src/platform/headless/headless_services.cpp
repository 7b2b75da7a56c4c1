#include "platform/headless/headless_services.h"

namespace brontix::platform::headless {

HeadlessServices::HeadlessServices() = default;

float HeadlessServices::Rnd() {
    if (!queued_.empty()) {
        const float v = queued_.front();
        queued_.pop_front();
        return v;
    }
    return generator_.next();
}

void HeadlessServices::drawLine(float x1, float y1, float x2, float y2) {
    strokes_.push_back({drawColour_, drawWidth_, x1, y1, x2, y2});
}

int HeadlessServices::scaleHeight() const { return kPlayfieldHeight; }

void HeadlessServices::messageBox(const std::string& text) {
    messages_.push_back(text);
    if (onMessageBox) onMessageBox(text);
}

void HeadlessServices::createGameWindow() {
    form1_.exists = true;
    form1_.visible = false;
    form1_.left = 0;
    form1_.top = 0;
    form1_.width = kPlayfieldWidth + 2 * kFrameBorder;
    form1_.height = kPlayfieldHeight + kFrameTitle + kFrameMenu + kFrameBorder;
}

void HeadlessServices::showBackdrop() {
    // Maximised: the whole screen, frame included.
    form2_.exists = true;
    form2_.visible = true;
    form2_.left = 0;
    form2_.top = 0;
    form2_.width = kScreenWidth;
    form2_.height = kScreenHeight;
}

void HeadlessServices::moveGameWindow(float leftTwips, float topTwips) {
    form1_.left = twipsToPixels(leftTwips);
    form1_.top = twipsToPixels(topTwips);
}

void HeadlessServices::showGameWindowOwnedByBackdrop() {
    form1_.visible = true;
    form1_.ownedByBackdrop = true;
}


}  // namespace brontix::platform::headless
