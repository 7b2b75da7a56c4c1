#include "platform/qt/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace brontix::platform::qt {

namespace {

// Scene geometry is float and unbounded (a paddle can be steered far off
// screen); pixels are whole and must stay in range.
int toPixel(float v) {
    constexpr float kLimit = 1e6f;
    if (!(v > -kLimit)) return static_cast<int>(-kLimit);
    if (v > kLimit) return static_cast<int>(kLimit);
    return static_cast<int>(std::nearbyint(v));
}

std::uint32_t argb(Colour c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(c & 0xFF) << 16) |
           (static_cast<std::uint32_t>(c & 0xFF00)) | (static_cast<std::uint32_t>(c >> 16) & 0xFF);
}

}  // namespace

using Span = SceneRenderer::Span;

// The rows of a figure inscribed in a w x h bounding box.
class SceneRenderer::Figure {
public:
    Figure(ShapeForm form, int w, int h) : form_(form), w_(w), h_(h) {
        if (form == ShapeForm::Circle) {
            const int d = std::min(w, h);
            dx_ = (w - d) / 2;
            dy_ = (h - d) / 2;
            w_ = h_ = d;
        }
        corner_ = std::min(w_, h_) / 4.0;
    }
    int top() const { return dy_; }
    int height() const { return h_; }

    // Row `row` counted from the figure's own top.
    Span at(int row) const {
        if (row < 0 || row >= h_) return {1, 0};
        const double yc = row + 0.5;
        double inset = 0;
        switch (form_) {
        case ShapeForm::Rectangle:
            return {dx_, dx_ + w_ - 1};
        case ShapeForm::Oval:
        case ShapeForm::Circle: {
            const double rx = w_ / 2.0, ry = h_ / 2.0;
            const double t = (yc - ry) / ry;
            if (t * t > 1) return {1, 0};
            inset = rx - rx * std::sqrt(1 - t * t);
            break;
        }
        case ShapeForm::RoundedRectangle: {
            const double r = corner_;
            const double d = yc < r ? r - yc : (yc > h_ - r ? yc - (h_ - r) : 0);
            if (d > 0) inset = r - std::sqrt(std::max(0.0, r * r - d * d));
            break;
        }
        }
        const int l = static_cast<int>(std::ceil(inset - 0.5));
        return {dx_ + l, dx_ + w_ - 1 - l};
    }

private:
    ShapeForm form_;
    int w_, h_;
    int dx_ = 0, dy_ = 0;
    double corner_ = 0;
};

namespace {

using Figure = SceneRenderer::Figure;

// Aliased drawing straight into the frame's pixels, clipped to it.
class Raster {
public:
    explicit Raster(QImage& frame)
        : bits_(reinterpret_cast<std::uint32_t*>(frame.bits())),
          stride_(static_cast<int>(frame.bytesPerLine() / 4)),
          width_(frame.width()),
          height_(frame.height()) {}

    void span(int y, int x0, int x1, std::uint32_t c) {
        if (y < 0 || y >= height_) return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, width_ - 1);
        std::uint32_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * stride_;
        for (int x = x0; x <= x1; ++x) row[x] = c;
    }
    void dot(int x, int y, std::uint32_t c) {
        if (x >= 0 && x < width_ && y >= 0 && y < height_)
            bits_[static_cast<std::ptrdiff_t>(y) * stride_ + x] = c;
    }

    // Filled, with a 1-pixel outline on the figure's own edge pixels: those
    // with a neighbour above, below, left or right outside the figure.
    // `rows` holds the figure's spans with an empty row before and after.
    void shape(const Shape& s, const Figure& f, const std::vector<Span>& rows) {
        const int x = toPixel(s.Left);
        const int y = toPixel(s.Top);
        const std::uint32_t fill = argb(s.BackColor);
        const std::uint32_t border = argb(s.BorderColor);
        const int top = y + f.top();
        const int first = std::max(0, -top);
        const int last = std::min(f.height() - 1, height_ - 1 - top);
        for (int row = first; row <= last; ++row) {
            const auto n = static_cast<std::size_t>(row) + 1;
            const Span cur = rows[n];
            if (cur.l > cur.r) continue;
            const Span up = rows[n - 1];
            const Span down = rows[n + 1];
            const int innerL = std::max({up.l, down.l, cur.l + 1});
            const int innerR = std::min({up.r, down.r, cur.r - 1});
            const int py = top + row;
            if (innerL > innerR || up.l > up.r || down.l > down.r) {
                span(py, x + cur.l, x + cur.r, border);
                continue;
            }
            span(py, x + cur.l, x + innerL - 1, border);
            span(py, x + innerL, x + innerR, fill);
            span(py, x + innerR + 1, x + cur.r, border);
        }
    }

    // A solid line including both end points; a wider pen adds parallel
    // lines on both sides of it (a 2-pixel wall covers x - 1 and x).
    void line(const Line& l) {
        const std::uint32_t c = argb(l.BorderColor);
        const int x1 = toPixel(l.X1), y1 = toPixel(l.Y1), x2 = toPixel(l.X2), y2 = toPixel(l.Y2);
        const int width = std::max(1, l.BorderWidth);
        const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
        for (int k = -(width / 2); k < width - width / 2; ++k) {
            if (steep)
                segment(x1 + k, y1, x2 + k, y2, c);
            else
                segment(x1, y1 + k, x2, y2 + k, c);
        }
    }

private:
    void segment(int x1, int y1, int x2, int y2, std::uint32_t c) {
        if (y1 == y2) {
            span(y1, std::min(x1, x2), std::max(x1, x2), c);
            return;
        }
        // Bresenham, clipped point by point (the playfield's lines are short).
        const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
        const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
        int err = dx + dy;
        for (int n = 0; n <= 4 * (width_ + height_); ++n) {
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

    std::uint32_t* bits_;
    int stride_;
    int width_;
    int height_;
};

}  // namespace

void SceneRenderer::render(QImage& frame, const QImage& background, const Scene& scene) {
    // The background picture, then the scene over it, back to front.
    std::memcpy(frame.bits(), background.constBits(),
                static_cast<std::size_t>(std::min(frame.sizeInBytes(), background.sizeInBytes())));
    scene.visibleBackToFront(items_, static_cast<float>(frame.width()),
                             static_cast<float>(frame.height()));
    Raster raster(frame);
    for (const Scene::Item& item : items_) {
        if (!item.shape) {
            raster.line(*item.line);
            continue;
        }
        const Shape& s = *item.shape;
        const int w = toPixel(s.Width);
        const int h = toPixel(s.Height);
        if (w <= 0 || h <= 0) continue;
        const Figure figure(s.Form, w, h);
        raster.shape(s, figure, spans(figure, s.Form, w, h));
    }
}

const std::vector<SceneRenderer::Span>& SceneRenderer::spans(const Figure& f, ShapeForm form,
                                                             int w, int h) {
    // Every brick, ball or shot of one size shares its figure; only sizes
    // that fit in 16 bits are kept, the rest are worked out each time.
    const bool keep = w < 65536 && h < 65536;
    const std::uint64_t key = (static_cast<std::uint64_t>(form) << 32) |
                              (static_cast<std::uint64_t>(w) << 16) | static_cast<std::uint64_t>(h);
    if (keep) {
        auto it = spanCache_.find(key);
        if (it != spanCache_.end()) return it->second;
    }
    std::vector<Span> rows(static_cast<std::size_t>(f.height()) + 2, Span{1, 0});
    for (int row = 0; row < f.height(); ++row) rows[static_cast<std::size_t>(row) + 1] = f.at(row);
    if (!keep) {
        scratch_ = std::move(rows);
        return scratch_;
    }
    return spanCache_.emplace(key, std::move(rows)).first->second;
}

}  // namespace brontix::platform::qt
