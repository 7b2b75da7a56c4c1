// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "session/recorder.h"

#include <charconv>

namespace brontix::session {

namespace {

std::string line(std::string_view word, std::uint64_t value) {
    std::string s(word);
    s += ' ';
    s += std::to_string(value);
    return s;
}

}  // namespace

void Recorder::settle() {
    if (ticks_ > 0) sink_(line(words::kTick, ticks_) + "\n");
    ticks_ = 0;
    if (clock_) sink_(line(words::kClock, *clock_) + "\n");
    clock_.reset();
}

void Recorder::event(std::string_view command) {
    settle();
    std::string line(command);
    line += '\n';
    sink_(line);
}

std::string Recorder::move(float x, float y) {
    char buf[64];
    char* end = std::to_chars(buf, buf + sizeof buf, x).ptr;
    *end++ = ' ';
    end = std::to_chars(end, buf + sizeof buf, y).ptr;
    std::string s(words::kMove);
    s += ' ';
    s.append(buf, end);
    return s;
}

std::string Recorder::key(int code) { return line(words::kKey, static_cast<std::uint64_t>(code)); }

std::string Recorder::menu(Command command) {
    std::string s(words::kMenu);
    s += ' ';
    s += words::kMenuWhat[static_cast<std::size_t>(command)];
    return s;
}

}  // namespace brontix::session
