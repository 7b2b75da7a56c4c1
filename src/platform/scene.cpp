#include "platform/scene.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <stdexcept>
#include <type_traits>

namespace brontix::platform {

// Shape and Line are standard-layout, so each attribute's offset is fixed
// and known; an attribute reaches its object by subtracting it.
void Shape::touched(void* attribute, int slot) {
    static constexpr std::size_t kOffset[] = {
        offsetof(Shape, Left),      offsetof(Shape, Top),         offsetof(Shape, Width),
        offsetof(Shape, Height),    offsetof(Shape, Form),        offsetof(Shape, BackColor),
        offsetof(Shape, BorderColor), offsetof(Shape, Visible),   offsetof(Shape, Z)};
    auto* self = reinterpret_cast<Shape*>(static_cast<char*>(attribute) - kOffset[slot]);
    if (self->tracking.log && !self->tracking.logged) self->tracking.log->add(*self);
}

void Line::touched(void* attribute, int slot) {
    static constexpr std::size_t kOffset[] = {
        offsetof(Line, X1),          offsetof(Line, Y1),          offsetof(Line, X2),
        offsetof(Line, Y2),          offsetof(Line, BorderColor), offsetof(Line, BorderWidth),
        offsetof(Line, Visible),     offsetof(Line, Z)};
    auto* self = reinterpret_cast<Line*>(static_cast<char*>(attribute) - kOffset[slot]);
    if (self->tracking.log && !self->tracking.logged) self->tracking.log->add(*self);
}

void loadPastLimit() {
#if defined(__cpp_exceptions)
    throw std::length_error("object array index past 32767");
#else
    std::abort();
#endif
}

void ChangeLog::add(Shape& s) {
    s.tracking.logged = true;
    shapes_.push_back({&s, s});
}

void ChangeLog::add(Line& l) {
    l.tracking.logged = true;
    lines_.push_back({&l, l});
}

void ChangeLog::clear() {
    for (const ShapeChange& c : shapes_) c.object->tracking.logged = false;
    for (const LineChange& c : lines_) c.object->tracking.logged = false;
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

}  // namespace brontix::platform
