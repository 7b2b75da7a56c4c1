// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The replay driver: runs a script of input events and timer expiries
// through a session on the headless front end, printing dumps.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "replay/headless_host.h"
#include "script/script.h"
#include "session/session.h"

namespace brontix::replay {

class Replay {
public:
    // What a `dump` does with the replay: nothing by default (the viewer,
    // which carries no JSON writer).
    using Dumps = std::function<void(Replay&)>;
    explicit Replay(Dumps dumps = {});
    // Dumps written to `out` as JSON, a line each.
    explicit Replay(std::ostream& out);

    // Runs one script line; returns the reason when the line is an error,
    // in which case nothing of it has run, or when it is a check the game
    // does not match.
    std::optional<std::string> runLine(std::string_view line);
    // Runs one command; a check that does not match the game's state says
    // so ("out of sync (recorded H1, replayed H2)").
    std::optional<std::string> run(const script::Command& command);
    // The checks that matched so far.
    std::uint64_t checksPassed() const { return checksPassed_; }
    // The end of the script: the main window exists afterwards.
    void finish() { session_.start(); }

    session::Session& session() { return session_; }
    platform::headless::HeadlessHost& host() { return host_; }

private:
    // The session, its main window made (before its first command but a
    // clock or random values).
    session::Session& started();
    // An event opens no box, but its answer is applied all the same.
    void answer(const session::Answer& answer);

    Dumps dumps_;
    std::uint64_t checksPassed_ = 0;
    platform::headless::HeadlessHost host_;
    session::Session session_;
};

using script::ReadScript;

struct ScriptRun {
    ReadScript read;
    std::string name;                      // the script as messages name it
    std::optional<std::string> framePath;  // --frame FILE ("-": standard output)
    render::Scale scale;                   // --scale S: the frame's device pixels
    // --verify: no dumps, and one line of what the replay proves.
    bool verify = false;
};

// Runs a whole script; returns the exit status (0, 2 on a script error, a
// failed read or a failed write, 3 on a check that does not match or, to
// --verify, a script without checks).
int runScript(const ScriptRun& run, std::ostream& out, std::ostream& err);
// The same for a script in memory.
int runScript(std::istream& in, std::ostream& out, std::ostream& err);

// The frame as a binary PPM: "P6", its width and height, maxval 255.
std::string framePpm(const render::PixelBuffer& frame);

}  // namespace brontix::replay
