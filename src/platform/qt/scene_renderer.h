// Draws one frame: the background picture, then the visible scene objects
// back to front, aliased and on whole pixels, at the playfield's own size.
#pragma once

#include <QImage>
#include <vector>

#include "platform/scene.h"

namespace brontix::platform::qt {

class SceneRenderer {
public:
    // `frame` must have the background's size.
    void render(QImage& frame, const QImage& background, const Scene& scene);

private:
    std::vector<Scene::Item> items_;
};

}  // namespace brontix::platform::qt
