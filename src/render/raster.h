// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Aliased drawing straight into a frame's pixels, inside a clip rectangle:
// spans, dots and one-pixel segments, the building blocks of every figure
// and line.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "render/pixels.h"
#include "render/scale.h"

namespace brontix::render {

// Scene geometry is float and unbounded (a paddle can be steered far off
// screen); pixels are whole and must stay in range.
inline int toWholePixel(float v) {
    constexpr float kLimit = 1e6f;
    if (!(v > -kLimit)) return static_cast<int>(-kLimit);
    if (v > kLimit) return static_cast<int>(kLimit);
    return static_cast<int>(std::nearbyint(v));
}

// A line as a screen draws it: the one-pixel segment from (x1, y1) to
// (x2, y2), both ends included, repeated `width` times across the line
// (along x for a steep line, else along y) at offsets from `from` on.
struct Band {
    int x1, y1, x2, y2;
    int from, width;
    bool steep;

    // The line through playfield pixels (x1, y1) and (x2, y2), `w` pixels
    // wide, on a screen at `scale`: along the line it covers the device
    // pixels of the playfield pixels it covers; across it, it starts at the
    // device pixel nearest its playfield edge and is scale.width(w) wide
    // everywhere. At scale 1 a wide line adds lines on both sides of its
    // own (a 2-pixel wall at x covers x - 1 and x).
    static Band of(int x1, int y1, int x2, int y2, int w, const Scale& scale) {
        const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
        // Along the line each end takes in its whole pixel.
        auto ends = [&scale](int& a, int& b) {
            if (a <= b) {
                a = scale.at(a);
                b = std::max(a, scale.at(b + 1) - 1);
            } else {
                b = scale.at(b);
                a = std::max(b, scale.at(a + 1) - 1);
            }
        };
        Band band{x1, y1, x2, y2, 0, scale.width(w), steep};
        if (steep) {
            ends(band.y1, band.y2);
            band.x1 = scale.at(x1);
            band.x2 = scale.at(x2);
        } else {
            ends(band.x1, band.x2);
            band.y1 = scale.at(y1);
            band.y2 = scale.at(y2);
        }
        const int across = steep ? x1 : y1;
        band.from = scale.at(across - w / 2) - scale.at(across);
        return band;
    }
};

class Raster {
public:
    Raster(PixelBuffer& frame, const Rect& clip)
        : frame_(frame),
          left_(clip.x),
          top_(clip.y),
          right_(clip.right() - 1),
          bottom_(clip.bottom() - 1) {}

    // Row y from x0 to x1, both included.
    void span(int y, int x0, int x1, std::uint32_t c) {
        if (y < top_ || y > bottom_) return;
        x0 = std::max(x0, left_);
        x1 = std::min(x1, right_);
        std::uint32_t* row = frame_.row(y);
        for (int x = x0; x <= x1; ++x) row[x] = c;
    }
    void dot(int x, int y, std::uint32_t c) {
        if (x >= left_ && x <= right_ && y >= top_ && y <= bottom_) frame_.row(y)[x] = c;
    }

    // A one-pixel line including both end points.
    void segment(int x1, int y1, int x2, int y2, std::uint32_t c) {
        if (y1 == y2) {
            span(y1, std::min(x1, x2), std::max(x1, x2), c);
            return;
        }
        // Most of the playfield's lines are upright and cross every small
        // rectangle drawn again: only their rows inside the clip are walked.
        if (x1 == x2) {
            if (x1 < left_ || x1 > right_) return;
            const int from = std::max(std::min(y1, y2), top_);
            const int to = std::min(std::max(y1, y2), bottom_);
            for (int y = from; y <= to; ++y) frame_.row(y)[x1] = c;
            return;
        }
        if (std::max(x1, x2) < left_ || std::min(x1, x2) > right_ || std::max(y1, y2) < top_ ||
            std::min(y1, y2) > bottom_)
            return;
        // Bresenham; the lines that reach a frame are the playfield's own, a
        // few hundred pixels long, and a clamped far end stops the walk.
        const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
        const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
        int err = dx + dy;
        for (int n = 0; n <= 8192; ++n) {
            dot(x1, y1, c);
            if (x1 == x2 && y1 == y2) break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x1 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y1 += sy;
            }
        }
    }

    void band(const Band& b, std::uint32_t c) {
        for (int k = b.from; k < b.from + b.width; ++k) {
            if (b.steep)
                segment(b.x1 + k, b.y1, b.x2 + k, b.y2, c);
            else
                segment(b.x1, b.y1 + k, b.x2, b.y2 + k, c);
        }
    }

private:
    PixelBuffer& frame_;
    int left_, top_, right_, bottom_;
};

}  // namespace brontix::render
