#include "scene/scene.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <stdexcept>
#include <type_traits>

namespace brontix::scene {

void loadPastLimit() {
#if defined(__cpp_exceptions)
    throw std::length_error("object array index past 32767");
#else
    std::abort();
#endif
}

void indexOutOfRange() {
#if defined(__cpp_exceptions)
    throw std::out_of_range("object array index out of range");
#else
    std::abort();
#endif
}

void ChangeLog::add(Shape& s) {
    s.logged.on = true;
    shapes_.push_back({&s, s});
}

void ChangeLog::add(Line& l) {
    l.logged.on = true;
    lines_.push_back({&l, l});
}

void ChangeLog::clear() {
    for (const ShapeChange& c : shapes_) c.object->logged.on = false;
    for (const LineChange& c : lines_) c.object->logged.on = false;
    shapes_.clear();
    lines_.clear();
}

void Scene::visibleBackToFront(std::vector<Item>& out) const {
    out.clear();
    for (const Shape* s : shapes_)
        if (s->Visible) out.push_back({s, nullptr, s->Z});
    for (const Line* l : lines_)
        if (l->Visible) out.push_back({nullptr, l, l->Z});
    for (const auto* a : shapeArrays_)
        for (const Shape& s : *a)
            if (s.Visible) out.push_back({&s, nullptr, s.Z});
    for (const auto* a : lineArrays_)
        for (const Line& l : *a)
            if (l.Visible) out.push_back({nullptr, &l, l.Z});
    std::sort(out.begin(), out.end(), [](const Item& a, const Item& b) { return a.z < b.z; });
}

static_assert(std::is_standard_layout_v<Shape> && std::is_standard_layout_v<Line>,
              "attributes find their object by offset");
static_assert(sizeof(Shape) <= 48 && sizeof(Line) <= 48, "a shape or line fits in 48 bytes");

}  // namespace brontix::scene
