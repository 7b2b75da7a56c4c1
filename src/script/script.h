// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Replay scripts read: a line parsed into the command it stands for, or the
// reason it is an error, and a script's bytes split into lines as they
// arrive. Every reader of scripts (the replay driver, the viewer) reads
// them through here, so a script means the same, and fails with the same
// line and reason, everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "session/session.h"

namespace brontix::script {

// The commands, with their arguments as the session takes them.
struct Clock {
    std::uint64_t value;
};
struct Random {
    std::vector<float> values;
};
struct Tick {
    std::uint64_t count;
};
struct Move {
    float x, y;
};
struct Click {};
struct Key {
    int code;
};
struct Menu {
    session::Command command;
};
struct Dump {};
// The format the script is written in (only the known one parses).
struct Format {};
// The hash of the game's state as the recording game had it here.
struct Check {
    std::uint64_t hash;
    unsigned long long line = 0;  // where it stands, as the reader counts
};
// A blank line or a comment.
struct Nothing {};

using Command =
    std::variant<Nothing, Clock, Random, Tick, Move, Click, Key, Menu, Dump, Format, Check>;

// A line parsed: its command, or the reason it is an error.
struct Parsed {
    Command command;
    std::string error;  // empty when the line is well formed
};

// Parses one line, without its line break; a carriage return at its end is
// ignored.
Parsed parseLine(std::string_view line);

// Where a script's bytes come from: reads up to `n` of them into `into`
// and returns how many, 0 at the end, or -1 when the read failed (errno
// says why).
using ReadScript = std::function<long(char* into, std::size_t n)>;

// A line may hold this many bytes, its line break and a carriage return
// before it not counted.
inline constexpr std::size_t kMaxLineBytes = 1'048'576;

// Splits a script into lines as its bytes arrive, never keeping more of one
// line than the longest a script may have.
class LineReader {
public:
    enum class Got { Line, End, TooLong, Failed };

    explicit LineReader(ReadScript read) : read_(std::move(read)), buffer_(1 << 16) {}

    // The next line, without its line break (a carriage return before it
    // is left for the parser).
    Got next(std::string& line);

private:
    ReadScript read_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    bool ended_ = false;
};

// A script read command by command, as every reader of scripts reads it:
// lines counted from 1, and an error said as "line N: reason".
class CommandReader {
public:
    enum class Got { Command, End, Error, Failed };

    explicit CommandReader(ReadScript read) : lines_(std::move(read)) {}

    // The next line's command (a blank line or a comment is Nothing). At
    // Error, error() says which line and why; at Failed, the read failed
    // and errno says why.
    Got next(Command& command);
    const std::string& error() const { return error_; }
    // A reason said of the line last read: "line N: reason".
    std::string at(std::string_view reason) const;

private:
    LineReader lines_;
    std::string line_;
    std::string error_;
    unsigned long long number_ = 0;
    bool commanded_ = false;  // a command other than a comment came
};

// What a check that does not match says: "out of sync (recorded H1,
// replayed H2)".
std::string outOfSync(std::uint64_t recorded, std::uint64_t replayed);

}  // namespace brontix::script
