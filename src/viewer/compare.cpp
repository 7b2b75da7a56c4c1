// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "viewer/compare.h"

#include <algorithm>

#include "render/raster.h"

namespace brontix::viewer {

std::vector<render::Rect> drawGhost(render::PixelBuffer& frame, const render::Scale& scale,
                                    const std::vector<session::Figure>& figures) {
    std::vector<render::Rect> drawn;
    const auto put = [&frame](int x, int y, std::uint32_t colour) {
        if (x >= 0 && y >= 0 && x < frame.width() && y < frame.height()) frame.row(y)[x] = colour;
    };
    for (const session::Figure& f : figures) {
        const int x0 = scale.at(render::toWholePixel(f.left));
        const int y0 = scale.at(render::toWholePixel(f.top));
        const int x1 = std::max(x0 + 1, scale.at(render::toWholePixel(f.left + f.width)));
        const int y1 = std::max(y0 + 1, scale.at(render::toWholePixel(f.top + f.height)));
        // Off the frame entirely: nothing to outline (a paddle steered far
        // away, a ball lost below).
        if (x1 <= 0 || y1 <= 0 || x0 >= frame.width() || y0 >= frame.height()) continue;
        // A device pixel of the box lies inside the figure: the whole box for
        // the paddle, the ellipse the box bounds for a ball.
        const double cx = (x0 + x1) / 2.0, cy = (y0 + y1) / 2.0;
        const double rx = (x1 - x0) / 2.0, ry = (y1 - y0) / 2.0;
        const auto inside = [&](int x, int y) {
            if (x < x0 || y < y0 || x >= x1 || y >= y1) return false;
            if (!f.round) return true;
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            return dx * dx + dy * dy <= 1.0;
        };
        // The outline: the figure's own edge in black, the ring just outside
        // it in white.
        const int top = std::max(y0 - 1, 0), bottom = std::min(y1 + 1, frame.height());
        const int left = std::max(x0 - 1, 0), right = std::min(x1 + 1, frame.width());
        drawn.push_back({left, top, right - left, bottom - top});
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const int around = static_cast<int>(inside(x - 1, y)) + inside(x + 1, y) +
                                   inside(x, y - 1) + inside(x, y + 1);
                if (inside(x, y)) {
                    if (around < 4) put(x, y, kGhostInner);
                } else if (around > 0) {
                    put(x, y, kGhostOuter);
                }
            }
        }
    }
    return drawn;
}

}  // namespace brontix::viewer
