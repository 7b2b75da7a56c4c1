// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
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
    const auto byZ = [](const Item& a, const Item& b) { return a.z < b.z; };
    // An array stacks its elements in index order, but for the few brought
    // to the front since: each source comes nearly sorted, and merging the
    // sorted runs costs far less than sorting tens of thousands of balls.
    auto added = [&](std::size_t from) {
        const auto begin = out.begin() + static_cast<std::ptrdiff_t>(from);
        if (!std::is_sorted(begin, out.end(), byZ)) std::sort(begin, out.end(), byZ);
        std::inplace_merge(out.begin(), begin, out.end(), byZ);
    };
    for (const Shape* s : shapes_)
        if (s->Visible) out.push_back({s, nullptr, s->Z});
    for (const Line* l : lines_)
        if (l->Visible) out.push_back({nullptr, l, l->Z});
    added(0);
    for (const auto* a : shapeArrays_) {
        const std::size_t from = out.size();
        for (const Shape& s : *a)
            if (s.Visible) out.push_back({&s, nullptr, s.Z});
        added(from);
    }
    for (const auto* a : lineArrays_) {
        const std::size_t from = out.size();
        for (const Line& l : *a)
            if (l.Visible) out.push_back({nullptr, &l, l.Z});
        added(from);
    }
}

static_assert(std::is_standard_layout_v<Shape> && std::is_standard_layout_v<Line>,
              "attributes find their object by offset");
static_assert(sizeof(Shape) <= 48 && sizeof(Line) <= 48, "a shape or line fits in 48 bytes");

}  // namespace brontix::scene
