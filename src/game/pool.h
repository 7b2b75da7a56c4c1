// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Bookkeeping beside a pool of like scene objects (capsules, shots): which
// elements are shown, in index order, and which hidden ones are ready for
// reuse. It lets the tick and the click visit only elements that matter;
// the scene's Visible flags stay the truth, and every change of them in a
// pool goes through show() and hide().
#pragma once

#include <functional>
#include <queue>
#include <vector>

#include "scene/scene.h"

namespace brontix::game {

class Pool {
public:
    // `first` is the lowest index that belongs to the pool.
    explicit Pool(int first) : first_(first) {}

    // Recomputes everything from the array's Visible flags.
    void rebuild(const scene::ObjectArray<scene::Shape>& array);

    // The lowest hidden element, or -1 when every element is shown.
    int lowestFree(const scene::ObjectArray<scene::Shape>& array);

    void show(scene::ObjectArray<scene::Shape>& array, int i);
    void hide(scene::ObjectArray<scene::Shape>& array, int i);
    // Records an element just loaded (hidden) into the array.
    void loaded(int i) { free_.push(i); }

    // Shown elements that still take part in the tick, in index order.
    const std::vector<int>& active() const { return active_; }
    // The same, copied for a walk whose steps show, hide or park elements.
    // The copy keeps its storage, so a walk every tick allocates nothing.
    const std::vector<int>& activeCopy() {
        walk_ = active_;
        return walk_;
    }
    // Takes a shown element out of the per-tick work; it stays shown.
    void park(int i);

private:
    int first_;
    std::vector<int> active_;
    std::vector<int> walk_;
    // Hidden indexes, lowest first. An entry may have been shown since it
    // was pushed; such entries are skipped when they come to the top.
    std::priority_queue<int, std::vector<int>, std::greater<int>> free_;
};

}  // namespace brontix::game
