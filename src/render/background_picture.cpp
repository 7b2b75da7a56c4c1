// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "render/background_picture.h"

#include <algorithm>
#include <cmath>

#include "render/raster.h"

namespace brontix::render {

BackgroundPicture::BackgroundPicture(int width, int height, Colour backColour)
    : pixels_(width, height, toPixel(backColour)), backColour_(backColour) {}

void BackgroundPicture::drawLine(float x1, float y1, float x2, float y2) {
    const Stroke stroke{x1, y1, x2, y2, penWidth_, penColour_};
    strokes_.push_back(stroke);
    draw(pixels_, stroke, Scale{});
}

PixelBuffer BackgroundPicture::drawnAt(const Scale& scale) const {
    PixelBuffer scaled(scale.at(pixels_.width()), scale.at(pixels_.height()), toPixel(backColour_));
    for (const Stroke& s : strokes_) draw(scaled, s, scale);
    return scaled;
}

void BackgroundPicture::draw(PixelBuffer& into, const Stroke& stroke, const Scale& scale) {
    Raster raster(into, into.rect());
    const std::uint32_t c = toPixel(stroke.colour);
    if (stroke.width <= 1) {
        const Band b = Band::of(toWholePixel(stroke.x1), toWholePixel(stroke.y1),
                                toWholePixel(stroke.x2), toWholePixel(stroke.y2), 1, scale);
        raster.band(b, c);
        return;
    }
    const double s = scale.ratio();
    const double r = scale.width(stroke.width) / 2.0;
    const double ax = stroke.x1 * s, ay = stroke.y1 * s;
    const double dx = double(stroke.x2) * s - ax, dy = double(stroke.y2) * s - ay;
    const double len2 = dx * dx + dy * dy;
    const int left = static_cast<int>(std::floor(std::min(ax, ax + dx) - r));
    const int top = static_cast<int>(std::floor(std::min(ay, ay + dy) - r));
    const int right = static_cast<int>(std::ceil(std::max(ax, ax + dx) + r)) + 1;
    const int bottom = static_cast<int>(std::ceil(std::max(ay, ay + dy) + r)) + 1;
    const Rect box = Rect{left, top, right - left, bottom - top}.intersected(into.rect());
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
