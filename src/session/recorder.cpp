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

// Two digits of a date or a time.
void two(std::string& s, std::int64_t v) {
    s += static_cast<char>('0' + v / 10);
    s += static_cast<char>('0' + v % 10);
}

}  // namespace

Recorder::Recorder(Sink sink, std::int64_t begun) : sink_(std::move(sink)) {
    sink_(heading(begun));
    sink_(line(words::kFormat, kFormatVersion) + "\n");
}

std::string Recorder::heading(std::int64_t begun) {
    // The civil date of a day count since 1970-01-01, in the proleptic
    // Gregorian calendar, by eras of 400 years (146 097 days); no time
    // zone tables needed, the same on every front end.
    const std::int64_t secondOfDay = ((begun % 86400) + 86400) % 86400;
    const std::int64_t days = (begun - secondOfDay) / 86400 + 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    std::string s = "# Brontix " BRONTIX_VERSION " recording, begun ";
    s += std::to_string(year);
    s += '-';
    two(s, month);
    s += '-';
    two(s, day);
    s += 'T';
    two(s, secondOfDay / 3600);
    s += ':';
    two(s, secondOfDay / 60 % 60);
    s += ':';
    two(s, secondOfDay % 60);
    s += "Z\n";
    return s;
}

void Recorder::writeTicks() {
    if (ticks_ > 0) {
        sink_(line(words::kTick, ticks_) + "\n");
        checked_ = false;
    }
    ticks_ = 0;
}

void Recorder::check(std::uint64_t hash) {
    writeTicks();
    if (checked_) return;
    sink_(std::string(words::kCheck) + " " + hashText(hash) + "\n");
    checked_ = true;
}

void Recorder::settle() {
    writeTicks();
    if (clock_) sink_(line(words::kClock, *clock_) + "\n");
    clock_.reset();
}

void Recorder::event(std::string_view command) {
    settle();
    std::string line(command);
    line += '\n';
    sink_(line);
    checked_ = false;
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
