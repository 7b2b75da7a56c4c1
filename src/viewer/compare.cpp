// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "viewer/compare.h"

#include <algorithm>

#include "render/raster.h"

namespace brontix::viewer {

namespace {

using Opened = std::variant<std::unique_ptr<Viewer>, std::string>;

// The point of a surveyed game's first New Game.
std::uint64_t newGamePoint(const Viewer& v) {
    for (const Mark& m : v.marks())
        if (m.kind == MarkKind::NewGame) return m.point;
    return 0;
}

}  // namespace

std::variant<std::unique_ptr<Comparison>, std::string> Comparison::open(std::string_view first,
                                                                        std::string_view second,
                                                                        const Bounds& bounds) {
    Opened a = Viewer::open(first, bounds);
    if (auto* why = std::get_if<std::string>(&a)) return "the first recording: " + *why;
    Opened b = Viewer::open(second, bounds);
    if (auto* why = std::get_if<std::string>(&b)) return "the second recording: " + *why;
    auto& one = std::get<std::unique_ptr<Viewer>>(a);
    auto& two = std::get<std::unique_ptr<Viewer>>(b);
    if (!one->firstWall() || !two->firstWall())
        return std::string(one->firstWall() ? "the second" : "the first") +
               " recording has no New Game: there is no wall to compare";
    if (*one->firstWall() != *two->firstWall())
        return "these recordings are not on the same wall: the first is on wall " +
               std::to_string(*one->firstWall()) + ", the second on wall " +
               std::to_string(*two->firstWall());
    return std::unique_ptr<Comparison>(new Comparison(std::move(one), std::move(two)));
}

Comparison::Comparison(std::unique_ptr<Viewer> first, std::unique_ptr<Viewer> second)
    : first_(std::move(first)), second_(std::move(second)), wall_(*first_->firstWall()) {
    first_->surveyAll();
    second_->surveyAll();
    from_[0] = newGamePoint(*first_);
    from_[1] = newGamePoint(*second_);
    last_ = std::max(first_->last() - from_[0], second_->last() - from_[1]);
    seek(0);
}

void Comparison::seek(std::uint64_t point) {
    point_ = std::min(point, last_);
    first_->seek(std::min(from_[0] + point_, first_->last()));
    second_->seek(std::min(from_[1] + point_, second_->last()));
}

bool Comparison::ended(int which) const {
    const Viewer& v = game(which);
    return from(which) + point_ > v.last();
}

void Comparison::setScale(const render::Scale& scale) {
    scale_ = scale;
    first_->setScale(scale);
}

const render::PixelBuffer& Comparison::frame() {
    frame_ = first_->frame();
    drawGhost(frame_, scale_, second_->paddleAndBalls());
    return frame_;
}

void drawGhost(render::PixelBuffer& frame, const render::Scale& scale,
               const std::vector<session::Figure>& figures) {
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
}

}  // namespace brontix::viewer
