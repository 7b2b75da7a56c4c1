#include "platform/scene.h"

#include <algorithm>

namespace brontix::platform {

namespace {

// Whether a box of the given edges can show any pixel of the client area.
// Written so that NaN edges count as off-screen.
bool overlapsClient(float left, float top, float right, float bottom, float clientWidth,
                    float clientHeight) {
    return right >= 0 && bottom >= 0 && left <= clientWidth && top <= clientHeight;
}

}  // namespace

void Scene::visibleBackToFront(std::vector<Item>& out, float clientWidth,
                               float clientHeight) const {
    out.clear();
    auto addShape = [&](const Shape& s) {
        if (s.Visible &&
            overlapsClient(s.Left, s.Top, s.Left + s.Width, s.Top + s.Height, clientWidth,
                           clientHeight))
            out.push_back({&s, nullptr, s.Z});
    };
    auto addLine = [&](const Line& l) {
        if (l.Visible && overlapsClient(std::min(l.X1, l.X2), std::min(l.Y1, l.Y2),
                                        std::max(l.X1, l.X2), std::max(l.Y1, l.Y2),
                                        clientWidth, clientHeight))
            out.push_back({nullptr, &l, l.Z});
    };
    for (const Shape* s : shapes_) addShape(*s);
    for (const Line* l : lines_) addLine(*l);
    for (const auto* a : shapeArrays_)
        for (const Shape& s : *a) addShape(s);
    for (const auto* a : lineArrays_)
        for (const Line& l : *a) addLine(l);
    std::sort(out.begin(), out.end(), [](const Item& a, const Item& b) { return a.z < b.z; });
}

}  // namespace brontix::platform
