// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A moment of a game kept to come back to: what the viewer of recordings
// seeks from instead of playing the whole script again. It keeps every part
// of the main window that its list names, so a part added there is kept
// too.
#include <type_traits>

#include "game/form1.h"
#include "session/core.h"

namespace brontix::session {

namespace {

// An object array is kept as its elements; every other part as it is.
template <class T>
struct Kept {
    using type = T;
};
template <class T>
struct Kept<scene::ObjectArray<T>> {
    using type = std::vector<T>;
};

template <class T>
std::vector<T> kept(const scene::ObjectArray<T>& array) {
    std::vector<T> copy;
    copy.reserve(static_cast<std::size_t>(array.UBound()) + 1);
    for (const T& item : array) copy.push_back(item);
    return copy;
}
template <class T>
const T& kept(const T& part) {
    return part;
}

// Arrays only grow, and a session that has just started has the layout's:
// loading brings each up to the saved length, then every element takes the
// saved one's attributes (logged, so the next frame shows them).
template <class T>
void putBack(scene::ObjectArray<T>& array, const std::vector<T>& from) {
    while (array.UBound() + 1 < static_cast<int>(from.size())) array.Load();
    for (std::size_t i = 0; i < from.size(); ++i) array[static_cast<int>(i)] = from[i];
}
template <class T>
void putBack(T& part, const T& from) {
    part = from;
}

// What a kept part holds beyond its own size.
template <class T>
std::size_t heapBytes(const std::vector<T>& v) {
    return v.size() * sizeof(T);
}
template <class T>
std::size_t heapBytes(const T&) {
    return 0;
}
std::size_t heapBytes(const game::GameState& st) {
    std::size_t bytes = 0;
#define BRONTIX_SIZE(T, name, initial) bytes += heapBytes(st.name);
    BRONTIX_GAME_STATE(BRONTIX_SIZE)
#undef BRONTIX_SIZE
    return bytes;
}

}  // namespace

struct Saved {
    explicit Saved(const game::Form1& f)
        :
#define BRONTIX_SAVE(T, name) name(kept(f.name)),
          BRONTIX_FORM1_PARTS(BRONTIX_SAVE)
#undef BRONTIX_SAVE
              stacking(f.stacking) {
    }

#define BRONTIX_KEEP(T, name) Kept<decltype(game::Form1::name)>::type name;
    BRONTIX_FORM1_PARTS(BRONTIX_KEEP)
#undef BRONTIX_KEEP
    scene::Stacking stacking;
    std::deque<float> queue;
    scene::SplitMix64 generator;
    std::string caption;
    std::vector<std::string> messages;
    std::uint64_t ticks = 0;
};

std::shared_ptr<const Saved> Core::save() const {
    const game::Form1& f = *form_;
    auto s = std::make_shared<Saved>(f);
    s->queue = services_.queue;
    s->generator = services_.generator;
    s->caption = services_.caption();
    s->messages = messages_;
    s->ticks = ticks_;
    return s;
}

void Core::restore(const Saved& s) {
    game::Form1& f = *form_;
#define BRONTIX_RESTORE(T, name) putBack(f.name, s.name);
    BRONTIX_FORM1_PARTS(BRONTIX_RESTORE)
#undef BRONTIX_RESTORE
    f.stacking = s.stacking;
    services_.queue = s.queue;
    services_.generator = s.generator;
    services_.setCaption(s.caption);
    messages_ = s.messages;
    ticks_ = s.ticks;
    gate_ = Gate::Open;
}

std::size_t Core::savedBytes(const Saved& s) {
    std::size_t bytes = sizeof(Saved) + s.queue.size() * sizeof(float);
    for (const std::string& text : s.messages) bytes += sizeof(std::string) + text.size();
#define BRONTIX_SIZE(T, name) bytes += heapBytes(s.name);
    BRONTIX_FORM1_PARTS(BRONTIX_SIZE)
#undef BRONTIX_SIZE
    return bytes;
}

}  // namespace brontix::session
