// Draws one frame: the background picture, then the visible scene objects
// back to front, aliased and on whole pixels, at the playfield's own size.
#pragma once

#include <QImage>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/scene.h"

namespace brontix::platform::qt {

class SceneRenderer {
public:
    // `frame` must have the background's size.
    void render(QImage& frame, const QImage& background, const Scene& scene);

    // Which pixels of a row of a figure's bounding box it covers: [l, r],
    // empty when l > r. A pixel belongs to a figure when its centre does.
    struct Span {
        int l, r;
    };
    class Figure;

private:
    const std::vector<Span>& spans(const Figure& f, ShapeForm form, int w, int h);

    std::vector<Scene::Item> items_;
    std::unordered_map<std::uint64_t, std::vector<Span>> spanCache_;
    std::vector<Span> scratch_;
};

}  // namespace brontix::platform::qt
