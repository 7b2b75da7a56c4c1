#include "platform/qt/x11_blit.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <xcb/xcb.h>

namespace brontix::platform::qt {

namespace {

xcb_connection_t* connection() {
    auto* x11 = QGuiApplication::platformName() == "xcb"
                    ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Whether a depth-24 ZPixmap is 32 bits a pixel in little-endian order,
// that is 0xFFRRGGBB words as the frame holds them (the padding byte is
// ignored).
bool sameLayout(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == 24) return it.data->bits_per_pixel == 32;
    return false;
}

}  // namespace

void X11Blit::attach(QWidget& widget) {
    xcb_connection_t* c = connection();
    if (c && gc_) xcb_free_gc(c, gc_);
    gc_ = 0;
    window_ = 0;
    connection_ = c;
    QWidget* top = widget.window();
    if (!c || !top->windowHandle() || widget.devicePixelRatio() != 1 || !sameLayout(c)) return;
    window_ = static_cast<std::uint32_t>(top->winId());
    const QPoint at = widget.mapTo(top, QPoint(0, 0));
    left_ = at.x();
    top_ = at.y();
    gc_ = xcb_generate_id(c);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(c, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
}

X11Blit::~X11Blit() {
    if (connection_ && gc_) xcb_free_gc(static_cast<xcb_connection_t*>(connection_), gc_);
}

void X11Blit::put(const render::PixelBuffer& frame, const std::vector<render::Rect>& rects) {
    auto* c = static_cast<xcb_connection_t*>(connection_);
    for (const render::Rect& r : rects) {
        scratch_.resize(static_cast<std::size_t>(r.w) * static_cast<std::size_t>(r.h));
        for (int y = 0; y < r.h; ++y)
            std::copy(frame.row(r.y + y) + r.x, frame.row(r.y + y) + r.right(),
                      scratch_.begin() + static_cast<std::ptrdiff_t>(y) * r.w);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, static_cast<std::uint16_t>(r.w),
                      static_cast<std::uint16_t>(r.h), static_cast<std::int16_t>(left_ + r.x),
                      static_cast<std::int16_t>(top_ + r.y), 0, 24,
                      static_cast<std::uint32_t>(scratch_.size() * 4),
                      reinterpret_cast<const std::uint8_t*>(scratch_.data()));
    }
    xcb_flush(c);
}

}  // namespace brontix::platform::qt
