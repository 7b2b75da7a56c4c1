// Draws the playfield: the background picture, then the visible scene
// objects back to front, aliased and on whole pixels, at the playfield's
// own size. Between two frames only what changed is drawn again.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/scene.h"

namespace brontix::platform::qt {

class SceneRenderer {
public:
    // Draws the whole frame; `frame` must have the background's size.
    void render(QImage& frame, const QImage& background, const Scene& scene);
    // Brings a frame drawn by this renderer up to date with the scene and
    // returns the area it drew again.
    QRegion renderChanges(QImage& frame, const QImage& background, const Scene& scene);

    // Which pixels of a row of a figure's bounding box it covers: [l, r],
    // empty when l > r. A pixel belongs to a figure when its centre does.
    struct Span {
        int l, r;
    };
    class Figure;

    // One object as it was drawn: enough to tell whether it looks the same.
    struct Drawn {
        const void* object;
        StackKey z;
        int x1, y1, x2, y2;  // a shape's box (x2, y2 its size), or a line's end points
        int width;           // a line's pen width; 0 for a shape
        ShapeForm form;
        Colour fill, border;
        QRect box;  // the pixels it can touch
        bool operator==(const Drawn& o) const;
    };

private:
    void collect(const Scene& scene, const QImage& frame);
    void draw(QImage& frame, const QImage& background, const QRect& clip);
    const std::vector<Span>& spans(const Figure& f, ShapeForm form, int w, int h);

    std::vector<Scene::Item> items_;
    std::vector<Drawn> drawn_;     // this frame's objects, back to front
    std::vector<Drawn> previous_;  // the last frame's
    bool havePrevious_ = false;
    std::unordered_map<const void*, std::size_t> previousIndex_;
    std::unordered_map<std::uint64_t, std::vector<Span>> spanCache_;
    std::vector<Span> scratch_;
};

}  // namespace brontix::platform::qt
