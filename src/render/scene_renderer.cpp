// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "render/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/raster.h"

namespace brontix::render {

namespace {

// Past this many changed rectangles one rectangle around them all is
// cheaper to draw than their overlaps.
constexpr std::size_t kMaxDirtyRects = 48;

}  // namespace

using Span = SceneRenderer::Span;
using Drawn = SceneRenderer::Drawn;

bool Drawn::operator==(const Drawn& o) const {
    return object == o.object && z == o.z && x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2 &&
           width == o.width && from == o.from && steep == o.steep && form == o.form &&
           fill == o.fill && border == o.border;
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
        case ShapeForm::Rectangle: return {dx_, dx_ + w_ - 1};
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

const std::vector<Span>& SceneRenderer::Figures::spans(ShapeForm form, int w, int h) {
    // Every brick, ball or shot of one size shares its figure; only sizes
    // that fit in 16 bits are kept, the rest are worked out each time.
    const bool keep = w < 65536 && h < 65536;
    const std::uint64_t key = (static_cast<std::uint64_t>(form) << 32) |
                              (static_cast<std::uint64_t>(w) << 16) | static_cast<std::uint64_t>(h);
    if (keep) {
        auto it = cache_.find(key);
        if (it != cache_.end()) return it->second;
    }
    const Figure f(form, w, h);
    std::vector<Span> rows(static_cast<std::size_t>(f.height()) + 2, Span{1, 0});
    for (int row = 0; row < f.height(); ++row) rows[static_cast<std::size_t>(row) + 1] = f.at(row);
    if (!keep) {
        scratch_ = std::move(rows);
        return scratch_;
    }
    return cache_.emplace(key, std::move(rows)).first->second;
}

namespace {

using Figure = SceneRenderer::Figure;

// Filled, with an outline `thick` pixels deep on the figure's own edge: a
// pixel belongs to it when a pixel up to `thick` above, below, left or
// right of it lies outside the figure. `rows` holds the figure's spans with
// an empty row before and after.
void drawShape(Raster& raster, const Rect& clip, const Drawn& d, const std::vector<Span>& rows,
               int thick) {
    const Figure f(d.form, d.x2, d.y2);
    const std::uint32_t fill = toPixel(d.fill);
    const std::uint32_t border = toPixel(d.border);
    const int top = d.y1 + f.top();
    const int first = std::max(0, clip.y - top);
    const int last = std::min(f.height() - 1, clip.bottom() - 1 - top);
    auto rowAt = [&rows](int row) {
        // Rows above the first wrap round to past the last: empty too.
        const std::size_t n = static_cast<std::size_t>(row) + 1;
        return n < rows.size() ? rows[n] : Span{1, 0};
    };
    for (int row = first; row <= last; ++row) {
        const Span cur = rowAt(row);
        if (cur.l > cur.r) continue;
        int innerL = cur.l + thick, innerR = cur.r - thick;
        // An empty row near by leaves no inside on this one (its l > r).
        if (thick == 1) {
            // The common case, on the hot path of every frame at scale 1.
            const Span up = rows[static_cast<std::size_t>(row)];
            const Span down = rows[static_cast<std::size_t>(row) + 2];
            innerL = up.l > up.r || down.l > down.r ? cur.r + 1 : std::max({up.l, down.l, innerL});
            innerR = std::min({up.r, down.r, innerR});
        }
        for (int k = 1; k <= thick && thick > 1; ++k)
            for (const Span near : {rowAt(row - k), rowAt(row + k)}) {
                innerL = std::max(innerL, near.l > near.r ? cur.r + 1 : near.l);
                innerR = std::min(innerR, near.r);
            }
        const int py = top + row;
        const int x = d.x1;
        if (innerL > innerR) {
            raster.span(py, x + cur.l, x + cur.r, border);
            continue;
        }
        raster.span(py, x + cur.l, x + innerL - 1, border);
        raster.span(py, x + innerL, x + innerR, fill);
        raster.span(py, x + innerR + 1, x + cur.r, border);
    }
}

void drawLine(Raster& raster, const Drawn& d) {
    raster.band({d.x1, d.y1, d.x2, d.y2, d.from, d.width, d.steep}, toPixel(d.border));
}

Drawn describe(const Shape& s, const void* object, const Scale& scale) {
    Drawn d{};
    d.object = object;
    d.z = s.Z;
    const int left = toWholePixel(s.Left), top = toWholePixel(s.Top);
    d.x1 = scale.at(left);
    d.y1 = scale.at(top);
    d.x2 = scale.at(left + toWholePixel(s.Width)) - d.x1;
    d.y2 = scale.at(top + toWholePixel(s.Height)) - d.y1;
    d.form = s.Form;
    d.fill = s.BackColor;
    d.border = s.BorderColor;
    d.box = Rect{d.x1, d.y1, std::max(0, d.x2), std::max(0, d.y2)};
    return d;
}

Drawn describe(const Line& l, const void* object, const Scale& scale) {
    Drawn d{};
    d.object = object;
    d.z = l.Z;
    const Band b =
        Band::of(toWholePixel(l.X1), toWholePixel(l.Y1), toWholePixel(l.X2), toWholePixel(l.Y2),
                 std::max(1, static_cast<int>(l.BorderWidth)), scale);
    d.x1 = b.x1;
    d.y1 = b.y1;
    d.x2 = b.x2;
    d.y2 = b.y2;
    d.width = b.width;
    d.from = b.from;
    d.steep = b.steep;
    d.border = l.BorderColor;
    const int pad = std::max({b.width, -b.from, b.from + b.width});
    const int left = std::min(d.x1, d.x2) - pad, top = std::min(d.y1, d.y2) - pad;
    d.box = Rect{left, top, std::max(d.x1, d.x2) + pad + 1 - left,
                 std::max(d.y1, d.y2) + pad + 1 - top};
    return d;
}

// Whether an object in this state puts any pixel in the frame.
template <class Object>
bool shows(const Object& o, const Drawn& d, const PixelBuffer& frame) {
    return o.Visible && d.box.intersects(frame.rect());
}

// Background, then every object that reaches the clip, back to front.
void drawRect(PixelBuffer& frame, const PixelBuffer& background, const SceneRenderer::Stack& drawn,
              SceneRenderer::Figures& figures, const Rect& clip, int outline) {
    const Rect r = clip.intersected(frame.rect());
    if (r.empty()) return;
    for (int y = r.y; y < r.bottom(); ++y)
        std::memcpy(frame.row(y) + r.x, background.row(y) + r.x,
                    static_cast<std::size_t>(r.w) * sizeof(std::uint32_t));
    Raster raster(frame, r);
    for (std::size_t i = 0; i < drawn.boxes.size(); ++i) {
        if (!drawn.boxes[i].intersects(r)) continue;
        const Drawn& d = drawn.items[i];
        if (d.width > 0) {
            drawLine(raster, d);
            continue;
        }
        if (d.x2 <= 0 || d.y2 <= 0) continue;
        drawShape(raster, r, d, figures.spans(d.form, d.x2, d.y2), outline);
    }
}

std::vector<Drawn> collect(const Scene& scene, const PixelBuffer& frame, const Scale& scale) {
    std::vector<Scene::Item> items;
    scene.visibleBackToFront(items);
    std::vector<Drawn> drawn;
    drawn.reserve(items.size());
    for (const Scene::Item& item : items) {
        const Drawn d = item.shape ? describe(*item.shape, item.shape, scale)
                                   : describe(*item.line, item.line, scale);
        if (d.box.intersects(frame.rect())) drawn.push_back(d);
    }
    return drawn;
}

bool byZ(const Drawn& a, const Drawn& b) { return a.z < b.z; }

// Shows rectangle `r` of a frame at scale 1 in a frame at the whole scale
// k: each pixel a k x k square.
void repeat(const PixelBuffer& from, const Rect& r, int k, PixelBuffer& to) {
    const std::ptrdiff_t left = static_cast<std::ptrdiff_t>(r.x) * k;
    const std::size_t width = static_cast<std::size_t>(r.w) * static_cast<std::size_t>(k);
    for (int y = r.y; y < r.bottom(); ++y) {
        const std::uint32_t* src = from.row(y) + r.x;
        std::uint32_t* const first = to.row(y * k) + left;
        std::uint32_t* out = first;
        for (int x = 0; x < r.w; ++x, ++src)
            for (int i = 0; i < k; ++i) *out++ = *src;
        for (int i = 1; i < k; ++i)
            std::memcpy(to.row(y * k + i) + left, first, width * sizeof(std::uint32_t));
    }
}

// Shapes and lines laid out at a whole scale are laid out at 1 and their
// pixels repeated, so that each playfield pixel is a square.
Scale layoutScale(const Scale& scale) { return scale.whole() ? Scale{} : scale; }

}  // namespace

PixelBuffer frameAt(const Scale& scale) {
    return {scale.at(scene::kPlayfieldWidth), scale.at(scene::kPlayfieldHeight)};
}

void SceneRenderer::Stack::assign(std::vector<Drawn> drawn) {
    items = std::move(drawn);
    boxes.clear();
    for (const Drawn& d : items) boxes.push_back(d.box);
}

std::ptrdiff_t SceneRenderer::Stack::find(const Drawn& d) const {
    // Stacking keys are unique, so the key finds the entry.
    const auto it = std::lower_bound(items.begin(), items.end(), d, byZ);
    return it != items.end() && it->object == d.object ? it - items.begin() : -1;
}

void SceneRenderer::Stack::replace(std::ptrdiff_t at, const Drawn& d) {
    items[static_cast<std::size_t>(at)] = d;
    boxes[static_cast<std::size_t>(at)] = d.box;
}

void SceneRenderer::Stack::erase(std::ptrdiff_t at) {
    items.erase(items.begin() + at);
    boxes.erase(boxes.begin() + at);
}

void SceneRenderer::Stack::insert(const Drawn& d) {
    const auto at = std::upper_bound(items.begin(), items.end(), d, byZ) - items.begin();
    items.insert(items.begin() + at, d);
    boxes.insert(boxes.begin() + at, d.box);
}

void drawWholeFrame(PixelBuffer& frame, const BackgroundPicture& background, const Scene& scene,
                    const Scale& scale) {
    const Scale layout = layoutScale(scale);
    const bool repeated = scale.whole() && scale.num() > 1;
    PixelBuffer unscaled = repeated ? frameAt({}) : PixelBuffer{0, 0};
    PixelBuffer& canvas = repeated ? unscaled : frame;
    const PixelBuffer scaledGround =
        layout == Scale{} ? PixelBuffer{0, 0} : background.drawnAt(layout);
    const PixelBuffer& ground = layout == Scale{} ? background.pixels() : scaledGround;
    SceneRenderer::Figures figures;
    SceneRenderer::Stack drawn;
    drawn.assign(collect(scene, canvas, layout));
    drawRect(canvas, ground, drawn, figures, canvas.rect(), layout.width(1));
    if (repeated) repeat(canvas, canvas.rect(), static_cast<int>(scale.num()), frame);
}

void SceneRenderer::setScale(const Scale& scale) {
    scale_ = scale;
    geometry_ = layoutScale(scale);
    unscaled_ = scale.whole() && scale.num() > 1 ? frameAt({}) : PixelBuffer{0, 0};
    following_ = false;
}

PixelBuffer& SceneRenderer::canvas(PixelBuffer& frame) {
    return unscaled_.width() > 0 ? unscaled_ : frame;
}

const PixelBuffer& SceneRenderer::ground(const BackgroundPicture& background) {
    if (geometry_ == Scale{}) return background.pixels();
    if (groundOf_ != &background || groundStrokes_ != background.strokes() ||
        scaledGround_.width() != geometry_.at(background.pixels().width())) {
        scaledGround_ = background.drawnAt(geometry_);
        groundOf_ = &background;
        groundStrokes_ = background.strokes();
    }
    return scaledGround_;
}

const std::vector<Rect>& SceneRenderer::shown(PixelBuffer& frame) {
    if (unscaled_.width() == 0) return dirty_;
    const int k = static_cast<int>(scale_.num());
    shown_.clear();
    for (const Rect& r : dirty_) {
        repeat(unscaled_, r, k, frame);
        shown_.push_back({r.x * k, r.y * k, r.w * k, r.h * k});
    }
    return shown_;
}

void SceneRenderer::render(PixelBuffer& frame, const BackgroundPicture& background, Scene& scene) {
    PixelBuffer& onto = canvas(frame);
    drawn_.assign(collect(scene, onto, geometry_));
    drawRect(onto, ground(background), drawn_, figures_, onto.rect(), geometry_.width(1));
    dirty_.assign(1, onto.rect());
    shown(frame);
    scene.changes.clear();
    following_ = true;
}

template <class Change>
void SceneRenderer::follow(const Change& change, const PixelBuffer& canvas) {
    const Drawn before = describe(change.before, change.object, geometry_);
    const Drawn after = describe(*change.object, change.object, geometry_);
    const bool shown = shows(change.before, before, canvas);
    const bool showing = shows(*change.object, after, canvas);
    if (shown == showing && (!shown || before == after)) return;
    const std::ptrdiff_t at = shown ? drawn_.find(before) : -1;
    if (shown) addDirty(before.box);
    if (showing) addDirty(after.box);
    // A move or a change of colour keeps its place in the stacking order.
    if (at >= 0 && showing && before.z == after.z) {
        drawn_.replace(at, after);
        return;
    }
    if (at >= 0) drawn_.erase(at);
    if (showing) drawn_.insert(after);
}

void SceneRenderer::addDirty(Rect r) {
    // Overlapping rectangles merge, so no pixel is drawn twice.
    for (std::size_t i = 0; i < dirty_.size();) {
        if (dirty_[i].intersects(r)) {
            r = r.united(dirty_[i]);
            dirty_[i] = dirty_.back();
            dirty_.pop_back();
            i = 0;
        } else {
            ++i;
        }
    }
    dirty_.push_back(r);
}

const std::vector<Rect>& SceneRenderer::renderChanges(PixelBuffer& frame,
                                                      const BackgroundPicture& background,
                                                      Scene& scene) {
    if (!following_) {
        render(frame, background, scene);
        return unscaled_.width() > 0 ? shown_ : dirty_;
    }
    dirty_.clear();
    PixelBuffer& onto = canvas(frame);
    for (const auto& c : scene.changes.shapes()) follow(c, onto);
    for (const auto& c : scene.changes.lines()) follow(c, onto);
    scene.changes.clear();

    for (Rect& r : dirty_) r = r.intersected(onto.rect());
    std::erase_if(dirty_, [](const Rect& r) { return r.empty(); });
    if (dirty_.size() > kMaxDirtyRects) {
        Rect all;
        for (const Rect& r : dirty_) all = all.united(r);
        dirty_.assign(1, all);
    }
    const PixelBuffer& under = ground(background);
    for (const Rect& r : dirty_) drawRect(onto, under, drawn_, figures_, r, geometry_.width(1));
    return shown(frame);
}

}  // namespace brontix::render
