// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "replay/replay.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <ostream>
#include <vector>

#include "session/dump.h"

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

Replay::Replay(std::ostream& out) : out_(out), session_(host_, [] { return std::int64_t{0}; }) {}

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
        host_.setClock(*n.value);
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
        for (float v : values) session_.queueRandom(v);
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
        session_.start();
        host_.expire(session_, count);
        return std::nullopt;
    }
    if (cmd == "move") {
        if (auto e = arity(2, 2)) return e;
        const auto x = parseDecimal(w[1]);
        if (!x.value) return x.error;
        const auto y = parseDecimal(w[2]);
        if (!y.value) return y.error;
        session_.start();
        host_.apply(session_, session_.pointer(*x.value, *y.value));
        return std::nullopt;
    }
    if (cmd == "click") {
        if (auto e = arity(0, 0)) return e;
        session_.start();
        host_.apply(session_, session_.click());
        return std::nullopt;
    }
    if (cmd == "key") {
        if (auto e = arity(1, 1)) return e;
        const auto code = parseUnsigned(w[1], 0, kMaxKeyCode);
        if (!code.value) return code.error;
        session_.start();
        host_.apply(session_, session_.key(static_cast<int>(*code.value)));
        return std::nullopt;
    }
    if (cmd == "menu") {
        if (auto e = arity(1, 1)) return e;
        std::optional<session::Command> command;
        if (w[1] == "new") command = session::Command::NewGame;
        if (w[1] == "demo") command = session::Command::Demo;
        if (w[1] == "fullscreen") command = session::Command::FullScreen;
        if (!command) return "unknown menu command " + quoted(w[1]);
        session_.start();
        host_.apply(session_, session_.menu(*command));
        return std::nullopt;
    }
    if (cmd == "dump") {
        if (auto e = arity(0, 0)) return e;
        session_.start();
        out_ << session::dumpJson(session_, host_.messages(), host_.form1(), host_.form2()) << '\n';
        return std::nullopt;
    }
    return "unknown command " + quoted(cmd);
}

namespace {

// Splits the script into lines as its bytes arrive, never keeping more of
// one line than the longest a script may have.
class LineReader {
public:
    enum class Got { Line, End, TooLong, Failed };

    explicit LineReader(const ReadScript& read) : read_(read), buffer_(1 << 16) {}

    Got next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (pos_ == end_) {
                if (ended_) return any ? finish(line) : Got::End;
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
            if (nl) return finish(line);
            // One byte more than a line may hold, for a carriage return.
            if (line.size() > kMaxLineBytes + 1) return Got::TooLong;
        }
    }

private:
    static Got finish(std::string& line) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line.size() > kMaxLineBytes ? Got::TooLong : Got::Line;
    }

    const ReadScript& read_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    bool ended_ = false;
};

std::string reason(int error) { return std::strerror(error); }

bool writeFrame(const std::string& path, const std::string& ppm, std::ostream& out,
                std::ostream& err) {
    if (path == "-") {
        out.write(ppm.data(), static_cast<std::streamsize>(ppm.size()));
        return true;  // the caller checks standard output once more
    }
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(ppm.data(), 1, ppm.size(), f) == ppm.size();
    int error = errno;
    if (f && std::fclose(f) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) err << "brontix-replay: cannot write the frame to '" << path << "': " << reason(error) << '\n';
    return ok;
}

}  // namespace

std::string framePpm(const render::PixelBuffer& frame) {
    std::string ppm = "P6\n" + std::to_string(frame.width()) + " " +
                      std::to_string(frame.height()) + "\n255\n";
    ppm.reserve(ppm.size() + static_cast<std::size_t>(frame.width() * frame.height()) * 3);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const std::uint32_t p = frame.pixel(x, y);
            ppm += static_cast<char>(p >> 16 & 0xFF);
            ppm += static_cast<char>(p >> 8 & 0xFF);
            ppm += static_cast<char>(p & 0xFF);
        }
    return ppm;
}

int runScript(const ScriptRun& run, std::ostream& out, std::ostream& err) {
    Replay replay(out);
    // A dump that cannot be written ends the run: the cause, as the failed
    // write left it.
    auto written = [&] {
        if (out) return true;
        const int error = errno;
        err << "brontix-replay: cannot write to standard output: " << reason(error) << '\n';
        return false;
    };
    LineReader reader(run.read);
    std::string line;
    for (unsigned long long number = 1;; ++number) {
        errno = 0;
        const LineReader::Got got = reader.next(line);
        if (got == LineReader::Got::End) break;
        if (got == LineReader::Got::Failed) {
            const int error = errno;
            out.flush();
            if (!written()) return 2;
            err << "brontix-replay: cannot read " << run.name << ": " << reason(error) << '\n';
            return 2;
        }
        std::optional<std::string> error;
        if (got == LineReader::Got::TooLong)
            error = "line too long";
        else
            error = replay.runLine(line);
        if (error) {
            out.flush();
            if (!written()) return 2;
            err << "brontix-replay: line " << number << ": " << *error << '\n';
            return 2;
        }
        if (!written()) return 2;
    }
    replay.finish();
    if (run.framePath && !writeFrame(*run.framePath, framePpm(replay.session().drawnFrame()), out, err))
        return 2;
    out.flush();
    return written() ? 0 : 2;
}

int runScript(std::istream& in, std::ostream& out, std::ostream& err) {
    ScriptRun run;
    run.name = "the script";
    run.read = [&in](char* into, std::size_t n) {
        in.read(into, static_cast<std::streamsize>(n));
        return static_cast<long>(in.gcount());
    };
    return runScript(run, out, err);
}

}  // namespace brontix::replay
