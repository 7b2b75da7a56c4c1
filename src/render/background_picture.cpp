// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "render/background_picture.h"

#include <algorithm>
#include <cmath>

#include "render/raster.h"

namespace brontix::render {

BackgroundPicture::BackgroundPicture(int width, int height, Colour backColour)
    : pixels_(width, height, toPixel(backColour)) {}

void BackgroundPicture::drawLine(float x1, float y1, float x2, float y2) {
    Raster raster(pixels_, pixels_.rect());
    const std::uint32_t c = toPixel(penColour_);
    if (penWidth_ <= 1) {
        raster.segment(toWholePixel(x1), toWholePixel(y1), toWholePixel(x2), toWholePixel(y2), c);
        return;
    }
    const double r = penWidth_ / 2.0;
    const double ax = x1, ay = y1, dx = double(x2) - ax, dy = double(y2) - ay;
    const double len2 = dx * dx + dy * dy;
    const int left = static_cast<int>(std::floor(std::min(ax, ax + dx) - r));
    const int top = static_cast<int>(std::floor(std::min(ay, ay + dy) - r));
    const int right = static_cast<int>(std::ceil(std::max(ax, ax + dx) + r)) + 1;
    const int bottom = static_cast<int>(std::ceil(std::max(ay, ay + dy) + r)) + 1;
    const Rect box = Rect{left, top, right - left, bottom - top}.intersected(pixels_.rect());
    for (int y = box.y; y < box.bottom(); ++y)
        for (int x = box.x; x < box.right(); ++x) {
            // The nearest point of the line to the pixel's centre.
            const double cx = x + 0.5, cy = y + 0.5;
            double t = len2 > 0 ? ((cx - ax) * dx + (cy - ay) * dy) / len2 : 0;
            t = std::clamp(t, 0.0, 1.0);
            const double ox = cx - (ax + t * dx), oy = cy - (ay + t * dy);
            const double d2 = ox * ox + oy * oy;
            // A centre exactly on the edge belongs to the pen on the top
            // and left sides only, so a 15-pixel pen covers 15 rows.
            if (d2 < r * r || (d2 == r * r && (oy < 0 || (oy == 0 && ox < 0)))) raster.dot(x, y, c);
        }
}

}  // namespace brontix::render
