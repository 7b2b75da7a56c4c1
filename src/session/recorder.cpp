// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "session/recorder.h"

#include <charconv>

namespace brontix::session {

void Recorder::settle() {
    if (ticks_ > 0) sink_("tick " + std::to_string(ticks_) + "\n");
    ticks_ = 0;
    if (clock_) sink_("clock " + std::to_string(*clock_) + "\n");
    clock_.reset();
}

void Recorder::event(std::string_view command) {
    settle();
    std::string line(command);
    line += '\n';
    sink_(line);
}

std::string Recorder::move(float x, float y) {
    char buf[64] = "move ";
    char* end = std::to_chars(buf + 5, buf + sizeof buf, x).ptr;
    *end++ = ' ';
    end = std::to_chars(end, buf + sizeof buf, y).ptr;
    return std::string(buf, end);
}

}  // namespace brontix::session
