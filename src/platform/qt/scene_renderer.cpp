#include "platform/qt/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/qt/colours.h"

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

// Past this many changed rectangles one whole frame is cheaper.
constexpr int kMaxDirtyRects = 48;

}  // namespace

using Span = SceneRenderer::Span;
using Drawn = SceneRenderer::Drawn;

bool Drawn::operator==(const Drawn& o) const {
    return object == o.object && z == o.z && x1 == o.x1 && y1 == o.y1 && x2 == o.x2 &&
           y2 == o.y2 && width == o.width && form == o.form && fill == o.fill && border == o.border;
}

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

// Aliased drawing straight into the frame's pixels, inside a clip rectangle.
class Raster {
public:
    Raster(QImage& frame, const QRect& clip)
        : bits_(reinterpret_cast<std::uint32_t*>(frame.bits())),
          stride_(static_cast<int>(frame.bytesPerLine() / 4)),
          left_(clip.left()),
          top_(clip.top()),
          right_(clip.right()),
          bottom_(clip.bottom()) {}

    void span(int y, int x0, int x1, std::uint32_t c) {
        if (y < top_ || y > bottom_) return;
        x0 = std::max(x0, left_);
        x1 = std::min(x1, right_);
        std::uint32_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * stride_;
        for (int x = x0; x <= x1; ++x) row[x] = c;
    }
    void dot(int x, int y, std::uint32_t c) {
        if (x >= left_ && x <= right_ && y >= top_ && y <= bottom_)
            bits_[static_cast<std::ptrdiff_t>(y) * stride_ + x] = c;
    }

    // Filled, with a 1-pixel outline on the figure's own edge pixels: those
    // with a neighbour above, below, left or right outside the figure.
    // `rows` holds the figure's spans with an empty row before and after.
    void shape(const Drawn& d, const Figure& f, const std::vector<Span>& rows) {
        const std::uint32_t fill = toArgb(d.fill);
        const std::uint32_t border = toArgb(d.border);
        const int top = d.y1 + f.top();
        const int first = std::max(0, top_ - top);
        const int last = std::min(f.height() - 1, bottom_ - top);
        for (int row = first; row <= last; ++row) {
            const auto n = static_cast<std::size_t>(row) + 1;
            const Span cur = rows[n];
            if (cur.l > cur.r) continue;
            const Span up = rows[n - 1];
            const Span down = rows[n + 1];
            const int innerL = std::max({up.l, down.l, cur.l + 1});
            const int innerR = std::min({up.r, down.r, cur.r - 1});
            const int py = top + row;
            const int x = d.x1;
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
    void line(const Drawn& d) {
        const std::uint32_t c = toArgb(d.border);
        const bool steep = std::abs(d.y2 - d.y1) > std::abs(d.x2 - d.x1);
        for (int k = -(d.width / 2); k < d.width - d.width / 2; ++k) {
            if (steep)
                segment(d.x1 + k, d.y1, d.x2 + k, d.y2, c);
            else
                segment(d.x1, d.y1 + k, d.x2, d.y2 + k, c);
        }
    }

private:
    void segment(int x1, int y1, int x2, int y2, std::uint32_t c) {
        if (y1 == y2) {
            span(y1, std::min(x1, x2), std::max(x1, x2), c);
            return;
        }
        // Bresenham; the lines that reach the frame are the playfield's own,
        // a few hundred pixels long.
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

    std::uint32_t* bits_;
    int stride_;
    int left_, top_, right_, bottom_;
};

Drawn describe(const Scene::Item& item) {
    Drawn d{};
    d.z = item.z;
    if (item.shape) {
        const Shape& s = *item.shape;
        d.object = &s;
        d.x1 = toPixel(s.Left);
        d.y1 = toPixel(s.Top);
        d.x2 = toPixel(s.Width);
        d.y2 = toPixel(s.Height);
        d.form = s.Form;
        d.fill = s.BackColor;
        d.border = s.BorderColor;
        d.box = QRect(d.x1, d.y1, std::max(0, d.x2), std::max(0, d.y2));
    } else {
        const Line& l = *item.line;
        d.object = &l;
        d.x1 = toPixel(l.X1);
        d.y1 = toPixel(l.Y1);
        d.x2 = toPixel(l.X2);
        d.y2 = toPixel(l.Y2);
        d.width = std::max(1, l.BorderWidth);
        d.border = l.BorderColor;
        const int pad = d.width;
        d.box = QRect(QPoint(std::min(d.x1, d.x2) - pad, std::min(d.y1, d.y2) - pad),
                      QPoint(std::max(d.x1, d.x2) + pad, std::max(d.y1, d.y2) + pad));
    }
    return d;
}

}  // namespace

void SceneRenderer::collect(const Scene& scene, const QImage& frame) {
    scene.visibleBackToFront(items_, static_cast<float>(frame.width()),
                             static_cast<float>(frame.height()));
    drawn_.clear();
    for (const Scene::Item& item : items_) drawn_.push_back(describe(item));
}

void SceneRenderer::draw(QImage& frame, const QImage& background, const QRect& clip) {
    const QRect r = clip.intersected(frame.rect());
    if (r.isEmpty()) return;
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(frame.scanLine(y) + 4 * r.left(), background.constScanLine(y) + 4 * r.left(),
                    static_cast<std::size_t>(4 * r.width()));
    Raster raster(frame, r);
    for (const Drawn& d : drawn_) {
        if (!d.box.intersects(r)) continue;
        if (d.width > 0) {
            raster.line(d);
            continue;
        }
        if (d.x2 <= 0 || d.y2 <= 0) continue;
        const Figure figure(d.form, d.x2, d.y2);
        raster.shape(d, figure, spans(figure, d.form, d.x2, d.y2));
    }
}

void SceneRenderer::render(QImage& frame, const QImage& background, const Scene& scene) {
    collect(scene, frame);
    draw(frame, background, frame.rect());
    previous_.swap(drawn_);
    havePrevious_ = true;
}

QRegion SceneRenderer::renderChanges(QImage& frame, const QImage& background,
                                     const Scene& scene) {
    if (!havePrevious_) {
        render(frame, background, scene);
        return QRegion(frame.rect());
    }
    collect(scene, frame);
    previousIndex_.clear();
    for (std::size_t i = 0; i < previous_.size(); ++i) previousIndex_[previous_[i].object] = i;
    std::vector<bool> matched(previous_.size(), false);
    QRegion dirty;
    for (const Drawn& d : drawn_) {
        const auto it = previousIndex_.find(d.object);
        if (it != previousIndex_.end()) {
            matched[it->second] = true;
            if (previous_[it->second] == d) continue;
            dirty += previous_[it->second].box;
        }
        dirty += d.box;
    }
    for (std::size_t i = 0; i < previous_.size(); ++i)
        if (!matched[i]) dirty += previous_[i].box;
    dirty &= QRegion(frame.rect());
    if (dirty.rectCount() > kMaxDirtyRects) dirty = QRegion(dirty.boundingRect());
    for (const QRect& r : dirty) draw(frame, background, r);
    previous_.swap(drawn_);
    return dirty;
}

const std::vector<Span>& SceneRenderer::spans(const Figure& f, ShapeForm form, int w, int h) {
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
