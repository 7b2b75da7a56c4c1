// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Frames as plain pixels: 32-bit 0xFFRRGGBB, row after row, and the
// rectangles of a frame that were drawn again.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "scene/scene.h"

namespace brontix::render {

using scene::Colour;

// &HBBGGRR as an opaque 0xFFRRGGBB pixel (a Qt RGB32 pixel, for one).
inline std::uint32_t toPixel(Colour c) {
    const auto v = static_cast<std::uint32_t>(c);
    return 0xFF000000u | (v & 0xFFu) << 16 | (v & 0xFF00u) | (v >> 16 & 0xFFu);
}

// A rectangle of whole pixels; empty when w or h is not positive.
struct Rect {
    int x = 0, y = 0, w = 0, h = 0;

    int right() const { return x + w; }   // one past the last column
    int bottom() const { return y + h; }  // one past the last row
    bool empty() const { return w <= 0 || h <= 0; }
    bool intersects(const Rect& o) const {
        return !empty() && !o.empty() && x < o.right() && o.x < right() && y < o.bottom() &&
               o.y < bottom();
    }
    Rect intersected(const Rect& o) const {
        const int l = std::max(x, o.x), t = std::max(y, o.y);
        const int r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
        return {l, t, r - l, b - t};
    }
    Rect united(const Rect& o) const {
        if (empty()) return o;
        if (o.empty()) return *this;
        const int l = std::min(x, o.x), t = std::min(y, o.y);
        return {l, t, std::max(right(), o.right()) - l, std::max(bottom(), o.bottom()) - t};
    }
    bool operator==(const Rect&) const = default;
};

class PixelBuffer {
public:
    PixelBuffer(int width, int height, std::uint32_t fill = 0xFF000000u)
        : width_(width),
          height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rect rect() const { return {0, 0, width_, height_}; }

    std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    std::uint32_t pixel(int x, int y) const { return row(y)[x]; }
    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }

    bool operator==(const PixelBuffer&) const = default;

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace brontix::render
