// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/x11_window.h"

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>

namespace brontix::platform::qt {

namespace {

xcb_connection_t* connection() {
    auto* x11 = QGuiApplication::platformName() == "xcb"
                    ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Whether a window of this depth and visual holds 0x00RRGGBB in 32-bit
// little-endian pixels, as the frame's 0xFFRRGGBB words (the top byte is
// ignored).
bool frameLayout(xcb_connection_t* c, std::uint8_t depth, xcb_visualid_t visual) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (depth != 24 || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    bool format = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == depth) format = f.data->bits_per_pixel == 32;
    if (!format) return false;
    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d)) {
            if (d.data->depth != depth) continue;
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == visual)
                    return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                           v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 &&
                           v.data->blue_mask == 0xFF;
        }
    return false;
}

}  // namespace

std::unique_ptr<X11Window> X11Window::open(std::uintptr_t id) {
    xcb_connection_t* c = connection();
    if (!c) return nullptr;
    const auto window = static_cast<xcb_window_t>(id);
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    const bool fits = geometry && attributes && frameLayout(c, geometry->depth, attributes->visual);
    std::free(geometry);
    std::free(attributes);
    if (!fits) return nullptr;
    const std::uint32_t gc = xcb_generate_id(c);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(c, gc, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    // Four bytes a unit; the request's own header takes a few.
    const std::size_t maxPixels = xcb_get_maximum_request_length(c) - 8;
    return std::unique_ptr<X11Window>(new X11Window(c, window, gc, maxPixels));
}

X11Window::~X11Window() { xcb_free_gc(static_cast<xcb_connection_t*>(connection_), gc_); }

void X11Window::put(const render::PixelBuffer& frame, std::span<const render::Rect> rects) {
    auto* c = static_cast<xcb_connection_t*>(connection_);
    for (const render::Rect& whole : rects) {
        const render::Rect r = whole.intersected(frame.rect());
        if (r.empty()) continue;
        // In bands of rows that fit in one request.
        const int band = std::max(1, static_cast<int>(maxPixels_ / static_cast<std::size_t>(r.w)));
        for (int top = r.y; top < r.bottom(); top += band) {
            const int rows = std::min(band, r.bottom() - top);
            scratch_.resize(static_cast<std::size_t>(r.w) * static_cast<std::size_t>(rows));
            for (int y = 0; y < rows; ++y)
                std::copy(frame.row(top + y) + r.x, frame.row(top + y) + r.right(),
                          scratch_.begin() + static_cast<std::ptrdiff_t>(y) * r.w);
            xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                          static_cast<std::uint16_t>(r.w), static_cast<std::uint16_t>(rows),
                          static_cast<std::int16_t>(r.x), static_cast<std::int16_t>(top), 0, 24,
                          static_cast<std::uint32_t>(scratch_.size() * 4),
                          reinterpret_cast<const std::uint8_t*>(scratch_.data()));
        }
    }
    xcb_flush(c);
}

}  // namespace brontix::platform::qt
