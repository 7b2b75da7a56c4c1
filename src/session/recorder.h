// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Writes a session down as a replay script while it runs: a heading that
// says what made it and when, the clock the random source was seeded from,
// every event the handlers received, and the ticks between them. Each line
// is handed on as soon as its event has been handled, the ticks at least
// once a second of play and whenever the game comes to stand still, so a game killed at
// any moment has lost at most its last second of play.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "scene/scene.h"
#include "session/commands.h"

namespace brontix::session {

class Recorder {
public:
    // Takes one line, with its line break, and keeps it (a file flushes it).
    using Sink = std::function<void(std::string_view)>;

    // Ticks written at the latest after this many ran: one second of play.
    static constexpr std::uint64_t kTicksPerLine = scene::kTicksPerSecond;
    // A check of the game's state after every this many ticks from
    // start-up (a minute of play and a little more).
    static constexpr std::uint64_t kTicksPerCheck = 4096;

    // `begun` is when the recording begins, in seconds since 1970 (UTC):
    // the heading and the format are handed on at once.
    Recorder(Sink sink, std::int64_t begun);

    // "# Brontix VERSION recording, begun YYYY-MM-DDTHH:MM:SSZ", with its
    // line break.
    static std::string heading(std::int64_t begun);

    // The clock value a handler just seeded the random source from: written
    // before the line of the event that ran the handler.
    void seeded(std::uint64_t clock) { clock_ = clock; }
    // One expiry of Timer1 that is running the tick.
    void ticked() {
        if (++ticks_ >= kTicksPerLine) writeTicks();
    }
    // An event the handlers received: the ticks before it, the clock it
    // read, then its own line.
    void event(std::string_view command);
    // Writes what is owed without an event: start-up's clock, or the ticks
    // up to a moment the game stands still (the timer went off, a box
    // opens, the end).
    void settle();
    // The hash of the game's state as it stands, after the ticks that
    // brought it there; not again while nothing was written since.
    void check(std::uint64_t hash);

    // The lines of the events: "move X Y" with the pointer as the handler
    // got it (each the shortest decimal that reads back as the same
    // single-precision value), "click", "key CODE", "menu WHAT".
    static std::string move(float x, float y);
    static std::string click() { return std::string(words::kClick); }
    static std::string key(int code);
    static std::string menu(Command command);

private:
    void writeTicks();

    Sink sink_;
    std::uint64_t ticks_ = 0;
    std::optional<std::uint64_t> clock_;
    bool checked_ = false;  // the last line written is a check
};

}  // namespace brontix::session
