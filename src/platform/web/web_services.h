// The game's services in a web page: the page's caption and modal box, its
// full-screen backdrop, the clock, and the background picture. The page is
// reached through the functions it gives the WebAssembly module (page.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/random.h"
#include "platform/services.h"
#include "render/background_picture.h"

namespace brontix::platform::web {

class WebServices : public Services {
public:
    explicit WebServices(Colour backColour);

    void Randomize() override;
    float Rnd() override { return generator_.next(); }

    void setDrawColor(Colour colour) override { picture_.setPenColour(colour); }
    void setDrawWidth(int pixels) override { picture_.setPenWidth(pixels); }
    void drawLine(float x1, float y1, float x2, float y2) override {
        picture_.drawLine(x1, y1, x2, y2);
    }
    int scaleHeight() const override { return kPlayfieldHeight; }

    // A page cannot stop a tick half way until the player answers, so the
    // box opens as the tick returns; the board is shown as it stands at the
    // call, and nothing else of the tick until OK, as on the desktop.
    void messageBox(const std::string& text) override;

    void showBackdrop() override;
    WindowRect backdropRect() const override;
    void hideGameWindow() override;
    WindowRect gameWindowRect() const override;
    void moveGameWindow(float leftTwips, float topTwips) override;
    void showGameWindowOwnedByBackdrop() override;

    const render::BackgroundPicture& picture() const { return picture_; }
    bool boxOpen() const { return boxOpen_; }
    void boxClosed() { boxOpen_ = false; }
    // Shows the board before a box opens over it.
    std::function<void()> beforeBox;

private:
    void showCaption(const std::string& text) override;

    SplitMix64 generator_;
    render::BackgroundPicture picture_;
    bool boxOpen_ = false;
};

}  // namespace brontix::platform::web
