// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "script/script.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "session/commands.h"

namespace brontix::script {

namespace {

constexpr std::uint64_t kMaxTickCount = 100000000;
constexpr std::uint64_t kMaxKeyCode = 65535;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string_view> split(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

// A word as it may appear in an error line: printable, and not too long.
std::string quoted(std::string_view word) {
    std::string s = "\"";
    for (std::size_t i = 0; i < word.size() && i < 40; ++i) {
        const auto c = static_cast<unsigned char>(word[i]);
        s += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    if (word.size() > 40) s += "...";
    return s + "\"";
}

template <class T>
struct Number {
    std::optional<T> value;
    std::string error;
};

// Decimal digits only, at most `max`.
Number<std::uint64_t> parseUnsigned(std::string_view w, std::uint64_t min, std::uint64_t max) {
    if (w.empty()) return {std::nullopt, "not a number: " + quoted(w)};
    std::uint64_t v = 0;
    bool over = false;
    for (char c : w) {
        if (!isDigit(c)) return {std::nullopt, "not a whole number: " + quoted(w)};
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (v > (UINT64_MAX - d) / 10) over = true;
        if (!over) v = v * 10 + d;
    }
    if (over || v < min || v > max) return {std::nullopt, "out of range: " + quoted(w)};
    return {v, {}};
}

// -?(digits[.digits*] | .digits)([eE][+-]?digits)?
bool decimalSyntax(std::string_view w, bool& negative, bool& nonZeroMantissa) {
    std::size_t i = 0;
    negative = false;
    nonZeroMantissa = false;
    if (i < w.size() && w[i] == '-') {
        negative = true;
        ++i;
    }
    std::size_t digits = 0;
    while (i < w.size() && isDigit(w[i])) {
        if (w[i] != '0') nonZeroMantissa = true;
        ++i;
        ++digits;
    }
    if (i < w.size() && w[i] == '.') {
        ++i;
        while (i < w.size() && isDigit(w[i])) {
            if (w[i] != '0') nonZeroMantissa = true;
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < w.size() && (w[i] == 'e' || w[i] == 'E')) {
        ++i;
        if (i < w.size() && (w[i] == '+' || w[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < w.size() && isDigit(w[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    return i == w.size();
}

// Straight to the nearest float, not through double. strtof rounds
// correctly in every C library we ship with and, unlike libstdc++'s
// from_chars, tells an underflow (a subnormal or zero, accepted) from an
// overflow (infinity, out of range); the syntax was checked first, so its
// extras (hexadecimal, inf, nan) never reach it.
Number<float> parseDecimal(std::string_view w, bool& negativeAsWritten) {
    bool negative = false;
    bool nonZero = false;
    if (!decimalSyntax(w, negative, nonZero)) return {std::nullopt, "not a number: " + quoted(w)};
    negativeAsWritten = negative && nonZero;
    const std::string copy(w);
    const float v = std::strtof(copy.c_str(), nullptr);
    if (std::isinf(v)) return {std::nullopt, "out of range: " + quoted(w)};
    return {v, {}};
}

Number<float> parseDecimal(std::string_view w) {
    bool negative = false;
    return parseDecimal(w, negative);
}

Parsed error(std::string why) { return {Nothing{}, std::move(why)}; }

}  // namespace

namespace {

using Words = std::vector<std::string_view>;
namespace words = session::words;

// Each command's arguments, w[1] on, their count already checked.
Parsed clock(const Words& w) {
    const auto n = parseUnsigned(w[1], 0, UINT64_MAX);
    if (!n.value) return error(n.error);
    return {Clock{*n.value}, {}};
}

Parsed random(const Words& w) {
    Random random;
    for (std::size_t i = 1; i < w.size(); ++i) {
        bool negative = false;
        const auto v = parseDecimal(w[i], negative);
        if (!v.value) return error(v.error);
        if (negative || !(*v.value >= 0.0f) || !(*v.value < 1.0f))
            return error("random value not in [0, 1): " + quoted(w[i]));
        random.values.push_back(*v.value);
    }
    return {std::move(random), {}};
}

Parsed tick(const Words& w) {
    if (w.size() == 1) return {Tick{1}, {}};
    const auto n = parseUnsigned(w[1], 1, kMaxTickCount);
    if (!n.value) return error(n.error);
    return {Tick{*n.value}, {}};
}

Parsed move(const Words& w) {
    const auto x = parseDecimal(w[1]);
    if (!x.value) return error(x.error);
    const auto y = parseDecimal(w[2]);
    if (!y.value) return error(y.error);
    return {Move{*x.value, *y.value}, {}};
}

Parsed click(const Words&) { return {Click{}, {}}; }

Parsed key(const Words& w) {
    const auto code = parseUnsigned(w[1], 0, kMaxKeyCode);
    if (!code.value) return error(code.error);
    return {Key{static_cast<int>(*code.value)}, {}};
}

Parsed menu(const Words& w) {
    for (int c = 0; c < static_cast<int>(words::kMenuWhat.size()); ++c)
        if (w[1] == words::kMenuWhat[static_cast<std::size_t>(c)])
            return {Menu{static_cast<session::Command>(c)}, {}};
    return error("unknown menu command " + quoted(w[1]));
}

Parsed dump(const Words&) { return {Dump{}, {}}; }

Parsed format(const Words& w) {
    const auto n = parseUnsigned(w[1], 0, UINT64_MAX);
    if (n.value && *n.value == session::kFormatVersion) return {Format{}, {}};
    if (!n.value && n.error.rfind("out of range", 0) != 0) return error(n.error);
    return error("format " + std::string(w[1].substr(0, 40)) + " is not known to this version");
}

Parsed check(const Words& w) {
    constexpr std::size_t kDigits = 16;
    std::uint64_t hash = 0;
    bool hex = w[1].size() == kDigits;
    for (std::size_t i = 0; hex && i < kDigits; ++i) {
        const char c = w[1][i];
        hex = isDigit(c) || (c >= 'a' && c <= 'f');
        hash = hash << 4 | static_cast<std::uint64_t>(isDigit(c) ? c - '0' : c - 'a' + 10);
    }
    if (!hex) return error("not a hash of 16 lower-case hexadecimal digits: " + quoted(w[1]));
    return {Check{hash}, {}};
}

// The commands: each one's word, how many arguments it takes, and how they
// are read.
struct Grammar {
    std::string_view word;
    std::size_t fewest, most;
    Parsed (*parse)(const Words&);
};
constexpr Grammar kGrammar[] = {
    {words::kClock, 1, 1, clock},   {words::kRandom, 1, SIZE_MAX, random},
    {words::kTick, 0, 1, tick},     {words::kMove, 2, 2, move},
    {words::kClick, 0, 0, click},   {words::kKey, 1, 1, key},
    {words::kMenu, 1, 1, menu},     {words::kDump, 0, 0, dump},
    {words::kFormat, 1, 1, format}, {words::kCheck, 1, 1, check},
};

}  // namespace

Parsed parseLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const Words w = split(line);
    if (w.empty() || w[0].front() == '#') return {Nothing{}, {}};
    const std::size_t args = w.size() - 1;
    for (const Grammar& g : kGrammar) {
        if (w[0] != g.word) continue;
        if (args < g.fewest) return error("missing argument to " + quoted(w[0]));
        if (args > g.most) return error("extra argument to " + quoted(w[0]));
        return g.parse(w);
    }
    return error("unknown command " + quoted(w[0]));
}

LineReader::Got LineReader::next(std::string& line) {
    line.clear();
    bool any = false;
    // One byte more than a line may hold, for a carriage return.
    auto length = [&line] { return line.size() - (!line.empty() && line.back() == '\r' ? 1 : 0); };
    for (;;) {
        if (pos_ == end_) {
            if (ended_)
                return any ? (length() > kMaxLineBytes ? Got::TooLong : Got::Line) : Got::End;
            const long n = read_(buffer_.data(), buffer_.size());
            if (n < 0) return Got::Failed;
            if (n == 0) ended_ = true;
            pos_ = 0;
            end_ = static_cast<std::size_t>(n);
            continue;
        }
        any = true;
        const char* from = buffer_.data() + pos_;
        const auto* nl = static_cast<const char*>(std::memchr(from, '\n', end_ - pos_));
        const std::size_t take = nl ? static_cast<std::size_t>(nl - from) : end_ - pos_;
        line.append(from, take);
        pos_ += take + (nl ? 1 : 0);
        if (nl) return length() > kMaxLineBytes ? Got::TooLong : Got::Line;
        if (line.size() > kMaxLineBytes + 1) return Got::TooLong;
    }
}

CommandReader::Got CommandReader::next(Command& command) {
    const LineReader::Got got = lines_.next(line_);
    if (got == LineReader::Got::End) return Got::End;
    if (got == LineReader::Got::Failed) return Got::Failed;
    ++number_;
    Parsed parsed;
    if (got == LineReader::Got::TooLong)
        parsed.error = "line too long";
    else
        parsed = parseLine(line_);
    // A script says its format before anything else it says.
    if (parsed.error.empty() && std::holds_alternative<Format>(parsed.command) && commanded_)
        parsed.error = "format is allowed only as the first command";
    if (!parsed.error.empty()) {
        error_ = at(parsed.error);
        return Got::Error;
    }
    if (!std::holds_alternative<Nothing>(parsed.command)) commanded_ = true;
    if (auto* c = std::get_if<Check>(&parsed.command)) c->line = number_;
    command = std::move(parsed.command);
    return Got::Command;
}

std::string CommandReader::at(std::string_view reason) const {
    return "line " + std::to_string(number_) + ": " + std::string(reason);
}

std::string outOfSync(std::uint64_t recorded, std::uint64_t replayed) {
    return "out of sync (recorded " + session::hashText(recorded) + ", replayed " +
           session::hashText(replayed) + ")";
}

}  // namespace brontix::script
