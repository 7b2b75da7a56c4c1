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

#include "platform/headless/headless_host.h"
#include "session/session.h"

namespace brontix::replay {

class Replay {
public:
    explicit Replay(std::ostream& out);

    // Runs one script line; returns the reason when the line is an error,
    // in which case nothing of it has run.
    std::optional<std::string> runLine(std::string_view line);
    // The end of the script: the main window exists afterwards.
    void finish() { session_.start(); }

    session::Session& session() { return session_; }
    platform::headless::HeadlessHost& host() { return host_; }

private:
    std::ostream& out_;
    platform::headless::HeadlessHost host_;
    session::Session session_;
};

// Where a script's bytes come from: reads up to `n` of them into `into`
// and returns how many, 0 at the end, or -1 when the read failed (errno
// says why).
using ReadScript = std::function<long(char* into, std::size_t n)>;

// A line may hold this many bytes, its line break and a carriage return
// before it not counted.
inline constexpr std::size_t kMaxLineBytes = 1'048'576;

struct ScriptRun {
    ReadScript read;
    std::string name;                      // the script as messages name it
    std::optional<std::string> framePath;  // --frame FILE ("-": standard output)
};

// Runs a whole script; returns the exit status (0, or 2 on a script error,
// a failed read or a failed write).
int runScript(const ScriptRun& run, std::ostream& out, std::ostream& err);
// The same for a script in memory.
int runScript(std::istream& in, std::ostream& out, std::ostream& err);

// The frame as a binary PPM: "P6", 640 x 530, maxval 255.
std::string framePpm(const render::PixelBuffer& frame);

}  // namespace brontix::replay
