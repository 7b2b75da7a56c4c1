// Puts changed rectangles of a frame straight into the X11 window that
// shows the widget, at the widget's place in it: one request a rectangle,
// with none of the widget painting machinery between. A frame 64 times a
// second costs several times less this way.
#pragma once

#include <cstdint>
#include <vector>

#include "render/pixels.h"

class QWidget;

namespace brontix::platform::qt {

class X11Blit {
public:
    // Rectangles larger than this go through Qt: one request must stay
    // under the smallest maximum request size a server may have (256 kB).
    static constexpr int kMaxPixels = 32768;

    ~X11Blit();

    // For the widget's top-level window, once it is shown: usable only on
    // X11 at one device pixel per pixel, where the screen's 24-bit pixels
    // are laid out like the frame's. Asked again whenever the window changes
    // screen.
    void attach(QWidget& widget);
    bool usable() const { return window_ != 0; }
    // Sends the rectangles of `frame` to the window.
    void put(const render::PixelBuffer& frame, const std::vector<render::Rect>& rects);

private:
    void* connection_ = nullptr;
    std::uint32_t window_ = 0;
    int left_ = 0, top_ = 0;  // the widget's place in its window
    std::uint32_t gc_ = 0;
    std::vector<std::uint32_t> scratch_;
};

}  // namespace brontix::platform::qt
