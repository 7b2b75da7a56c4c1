// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A moment of a game kept to come back to: what the viewer of recordings
// seeks from instead of playing the whole script again.
#include <array>

#include "game/form1.h"
#include "session/session.h"

namespace brontix::session {

struct Session::Saved {
    std::vector<scene::Shape> Shape1, Ball, PowUp, LFire, RFire;
    std::vector<scene::Line> Line13, Line14;
    scene::Shape Paddle;
    std::array<scene::Line, 12> lines;
    game::Timer Timer1;
    game::GameState state;
    game::Pool capsules{0}, leftShots{1}, rightShots{1};
    scene::Stacking stacking;
    std::deque<float> queue;
    scene::SplitMix64 generator;
    std::string caption;
    std::uint64_t ticks = 0;
};

namespace {

template <class T>
std::vector<T> saved(const scene::ObjectArray<T>& array) {
    std::vector<T> copy;
    copy.reserve(static_cast<std::size_t>(array.UBound()) + 1);
    for (const T& item : array) copy.push_back(item);
    return copy;
}

// Arrays only grow, and a session that has just started has the layout's:
// loading brings each up to the saved length, then every element takes the
// saved one's attributes (logged, so the next frame shows them).
template <class T>
void restored(scene::ObjectArray<T>& array, const std::vector<T>& from) {
    while (array.UBound() + 1 < static_cast<int>(from.size())) array.Load();
    for (std::size_t i = 0; i < from.size(); ++i) array[static_cast<int>(i)] = from[i];
}

template <class Form>
auto singleLines(Form& f) {
    return std::array{&f.Line1, &f.Line2, &f.Line3, &f.Line4,  &f.Line5,  &f.Line6,
                      &f.Line7, &f.Line8, &f.Line9, &f.Line10, &f.Line11, &f.Line12};
}

}  // namespace

std::shared_ptr<const Session::Saved> Session::save() const {
    const game::Form1& f = *form_;
    auto s = std::make_shared<Saved>();
    s->Shape1 = saved(f.Shape1);
    s->Ball = saved(f.Ball);
    s->PowUp = saved(f.PowUp);
    s->LFire = saved(f.LFire);
    s->RFire = saved(f.RFire);
    s->Line13 = saved(f.Line13);
    s->Line14 = saved(f.Line14);
    s->Paddle = f.Paddle;
    const auto lines = singleLines(f);
    for (std::size_t i = 0; i < lines.size(); ++i) s->lines[i] = *lines[i];
    s->Timer1 = f.Timer1;
    s->state = f.state;
    s->capsules = f.capsules;
    s->leftShots = f.leftShots;
    s->rightShots = f.rightShots;
    s->stacking = f.stacking;
    s->queue = services_.queue;
    s->generator = services_.generator;
    s->caption = services_.caption();
    s->ticks = ticks_;
    return s;
}

void Session::restore(const Saved& s) {
    game::Form1& f = *form_;
    restored(f.Shape1, s.Shape1);
    restored(f.Ball, s.Ball);
    restored(f.PowUp, s.PowUp);
    restored(f.LFire, s.LFire);
    restored(f.RFire, s.RFire);
    restored(f.Line13, s.Line13);
    restored(f.Line14, s.Line14);
    f.Paddle = s.Paddle;
    const auto lines = singleLines(f);
    for (std::size_t i = 0; i < lines.size(); ++i) *lines[i] = s.lines[i];
    f.Timer1 = s.Timer1;
    f.state = s.state;
    f.capsules = s.capsules;
    f.leftShots = s.leftShots;
    f.rightShots = s.rightShots;
    f.stacking = s.stacking;
    services_.queue = s.queue;
    services_.generator = s.generator;
    services_.setCaption(s.caption);
    ticks_ = s.ticks;
    gate_ = Gate::Open;
}

std::size_t Session::savedBytes(const Saved& s) {
    const std::size_t shapes =
        s.Shape1.size() + s.Ball.size() + s.PowUp.size() + s.LFire.size() + s.RFire.size() + 1;
    const std::size_t lines = s.Line13.size() + s.Line14.size() + s.lines.size();
    const std::size_t balls = s.state.ballVel.size();
    return sizeof(Saved) + shapes * sizeof(scene::Shape) + lines * sizeof(scene::Line) +
           balls * (2 * sizeof(game::BallVector) + sizeof(game::Boolean) + sizeof(double)) +
           s.state.capsuleSpeed.size() * sizeof(float) + s.queue.size() * sizeof(float);
}

}  // namespace brontix::session
