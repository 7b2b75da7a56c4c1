#include "platform/web/web_services.h"

#include "platform/web/page.h"

namespace brontix::platform::web {

namespace {

WindowRect inTwips(void (*measure)(std::int32_t*)) {
    std::int32_t r[4] = {};
    measure(r);
    return pixelsInTwips(r[0], r[1], r[2], r[3]);
}

}  // namespace

WebServices::WebServices(Colour backColour)
    : picture_(kPlayfieldWidth, kPlayfieldHeight, backColour) {}

void WebServices::Randomize() { generator_.seed(pageClock()); }

void WebServices::showCaption(const std::string& text) {
    pageSetCaption(text.data(), static_cast<int>(text.size()));
}

void WebServices::messageBox(const std::string& text) {
    if (beforeBox) beforeBox();
    boxOpen_ = true;
    pageMessageBox(text.data(), static_cast<int>(text.size()));
}

void WebServices::showBackdrop() { pageShowBackdrop(); }
WindowRect WebServices::backdropRect() const { return inTwips(pageBackdropRect); }
void WebServices::hideGameWindow() { pageHideGame(); }
WindowRect WebServices::gameWindowRect() const { return inTwips(pageGameRect); }

void WebServices::moveGameWindow(float leftTwips, float topTwips) {
    pageMoveGame(twipsToPixels(leftTwips), twipsToPixels(topTwips));
}

void WebServices::showGameWindowOwnedByBackdrop() { pageShowGameOwned(); }

}  // namespace brontix::platform::web
