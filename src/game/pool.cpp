// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "game/pool.h"

#include <algorithm>

namespace brontix::game {

void Pool::rebuild(const scene::ObjectArray<scene::Shape>& array) {
    active_.clear();
    free_ = {};
    for (int i = first_; i <= array.UBound(); ++i) {
        if (array[i].Visible)
            active_.push_back(i);
        else
            free_.push(i);
    }
}

int Pool::lowestFree(const scene::ObjectArray<scene::Shape>& array) {
    while (!free_.empty() && array[free_.top()].Visible) free_.pop();
    return free_.empty() ? -1 : free_.top();
}

void Pool::show(scene::ObjectArray<scene::Shape>& array, int i) {
    if (array[i].Visible) return;
    array[i].Visible = true;
    active_.insert(std::lower_bound(active_.begin(), active_.end(), i), i);
}

void Pool::hide(scene::ObjectArray<scene::Shape>& array, int i) {
    if (!array[i].Visible) return;
    array[i].Visible = false;
    auto it = std::lower_bound(active_.begin(), active_.end(), i);
    if (it != active_.end() && *it == i) active_.erase(it);
    free_.push(i);
}

void Pool::park(int i) {
    auto it = std::lower_bound(active_.begin(), active_.end(), i);
    if (it != active_.end() && *it == i) active_.erase(it);
}

}  // namespace brontix::game
