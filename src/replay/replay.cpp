#include "replay/replay.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <vector>

#include "game/game.h"
#include "input/input.h"
#include "replay/dump.h"
#include "tick/tick.h"

namespace brontix::replay {

namespace {

constexpr std::uint64_t kMaxTickCount = 100000000;
constexpr std::uint64_t kMaxKeyCode = 65535;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string_view> words(std::string_view line) {
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

struct Error {
    std::string reason;
};

template <class T>
struct Parsed {
    std::optional<T> value;
    std::string error;
};

// Decimal digits only, at most `max`.
Parsed<std::uint64_t> parseUnsigned(std::string_view w, std::uint64_t min, std::uint64_t max) {
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
Parsed<float> parseDecimal(std::string_view w, bool& negativeAsWritten) {
    bool negative = false;
    bool nonZero = false;
    if (!decimalSyntax(w, negative, nonZero)) return {std::nullopt, "not a number: " + quoted(w)};
    negativeAsWritten = negative && nonZero;
    const std::string copy(w);
    const float v = std::strtof(copy.c_str(), nullptr);
    if (std::isinf(v)) return {std::nullopt, "out of range: " + quoted(w)};
    return {v, {}};
}

Parsed<float> parseDecimal(std::string_view w) {
    bool negative = false;
    return parseDecimal(w, negative);
}

}  // namespace

Replay::Replay(std::ostream& out) : out_(out) {}
Replay::~Replay() = default;

void Replay::createWindow() {
    if (form_) return;
    form_ = std::make_unique<game::Form1>(services_);
    services_.createGameWindow();
    game::Form_Load(*form_);
    services_.showGameWindow();
}

void Replay::expire(std::uint64_t count) {
    for (std::uint64_t n = 0; n < count; ++n) {
        // Only a key, a click or a menu command can switch the timer back on,
        // so once it is off the remaining expiries change nothing.
        if (!form_->Timer1.Enabled) return;
        if (form_->Timer1.InHandler) {
            reentered_ = true;
            return;
        }
        if (tick::expire(*form_)) ++ticks_;
    }
}

std::optional<std::string> Replay::runLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> w = words(line);
    if (w.empty() || w[0].front() == '#') return std::nullopt;
    const std::string_view cmd = w[0];
    const std::size_t args = w.size() - 1;
    auto arity = [&](std::size_t min, std::size_t max) -> std::optional<std::string> {
        if (args < min) return "missing argument to " + quoted(cmd);
        if (args > max) return "extra argument to " + quoted(cmd);
        return std::nullopt;
    };

    if (cmd == "clock") {
        if (auto e = arity(1, 1)) return e;
        const auto n = parseUnsigned(w[1], 0, UINT64_MAX);
        if (!n.value) return n.error;
        services_.setClock(*n.value);
        return std::nullopt;
    }
    if (cmd == "random") {
        if (auto e = arity(1, SIZE_MAX)) return e;
        std::vector<float> values;
        for (std::size_t i = 1; i < w.size(); ++i) {
            bool negative = false;
            const auto v = parseDecimal(w[i], negative);
            if (!v.value) return v.error;
            if (negative || !(*v.value >= 0.0f) || !(*v.value < 1.0f))
                return "random value not in [0, 1): " + quoted(w[i]);
            values.push_back(*v.value);
        }
        for (float v : values) services_.queueRandom(v);
        return std::nullopt;
    }
    if (cmd == "tick") {
        if (auto e = arity(0, 1)) return e;
        std::uint64_t count = 1;
        if (args == 1) {
            const auto n = parseUnsigned(w[1], 1, kMaxTickCount);
            if (!n.value) return n.error;
            count = *n.value;
        }
        createWindow();
        expire(count);
        return std::nullopt;
    }
    if (cmd == "move") {
        if (auto e = arity(2, 2)) return e;
        const auto x = parseDecimal(w[1]);
        if (!x.value) return x.error;
        const auto y = parseDecimal(w[2]);
        if (!y.value) return y.error;
        createWindow();
        input::Form_MouseMove(*form_, 0, 0, *x.value, *y.value);
        return std::nullopt;
    }
    if (cmd == "click") {
        if (auto e = arity(0, 0)) return e;
        createWindow();
        input::Form_Click(*form_);
        return std::nullopt;
    }
    if (cmd == "key") {
        if (auto e = arity(1, 1)) return e;
        const auto code = parseUnsigned(w[1], 0, kMaxKeyCode);
        if (!code.value) return code.error;
        createWindow();
        input::Form_KeyPress(*form_, static_cast<int>(*code.value));
        return std::nullopt;
    }
    if (cmd == "menu") {
        if (auto e = arity(1, 1)) return e;
        void (*handler)(game::Form1&) = nullptr;
        if (w[1] == "new") handler = game::ng_Click;
        if (w[1] == "demo") handler = input::mnuDemo_Click;
        if (w[1] == "fullscreen") handler = input::mnuFS_Click;
        if (!handler) return "unknown menu command " + quoted(w[1]);
        createWindow();
        handler(*form_);
        return std::nullopt;
    }
    if (cmd == "dump") {
        if (auto e = arity(0, 0)) return e;
        createWindow();
        out_ << dumpJson(*form_, services_, ticks_) << '\n';
        return std::nullopt;
    }
    return "unknown command " + quoted(cmd);
}

int runScript(std::istream& in, std::ostream& out, std::ostream& err) {
    Replay replay(out);
    std::string line;
    for (unsigned long long number = 1; std::getline(in, line); ++number) {
        if (const auto error = replay.runLine(line)) {
            out.flush();
            err << "brontix-replay: line " << number << ": " << *error << '\n';
            return 2;
        }
    }
    replay.finish();
    out.flush();
    return 0;
}

}  // namespace brontix::replay
