// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game in its Qt window: the window and its front end, the session they
// drive, and the timer that wakes it. Every event the window receives, every
// wake-up and the answer to the box go to the session, and what it answers
// is applied: the rectangles shown, the caption set, the box opened, and
// the timer set for the next wake-up, or stopped.
#pragma once

#include <optional>

#include "platform/qt/main_window.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/wake_timer.h"
#include "session/session.h"
#include "viewer/race.h"

namespace brontix::platform::qt {

class QtGame {
public:
    QtGame();

    // Runs start-up (writing it to `recorder`, if any), then shows the
    // window and paces the ticks.
    void start(session::Recorder* recorder = nullptr);
    // A race on `wall` (after start()): New Game chosen with the wall as
    // its clock; the wall, and the race's result when its game ends, said
    // on standard output.
    void race(std::uint64_t wall);

    MainWindow& window() { return window_; }
    QtHost& host() { return host_; }
    session::Session& session() { return session_; }

private:
    // After every call into the session.
    void apply(const session::Answer& answer);

    MainWindow window_;
    QtHost host_{window_};
    session::Session session_{host_, &WakeTimer::now};
    WakeTimer timer_{[this] { apply(session_.wake()); }};
    std::optional<viewer::RaceReport> race_;
};

}  // namespace brontix::platform::qt
