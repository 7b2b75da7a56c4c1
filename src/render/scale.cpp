// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "render/scale.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace brontix::render {

namespace {

// A ratio's denominator stays within 10^12: S times the farthest position a
// frame is drawn at (2 x 10^6 pixels) must fit in 64 bits.
constexpr int kMaxPlaces = 12;

bool inRange(const Scale& s) {
    return s.num() * 4 >= Scale::kMinQuarters * s.den() &&
           s.num() * 4 <= Scale::kMaxQuarters * s.den();
}

}  // namespace

Scale Scale::nearest(double ratio) {
    constexpr std::int64_t kMillion = 1000000;
    const double clamped = std::fmin(std::fmax(ratio, 0.25), 4.0);
    return {std::llround(clamped * kMillion), kMillion};
}

std::optional<Scale> Scale::parse(std::string_view text) {
    // Digits with an optional fraction, then an optional exponent, as a
    // script's decimals are written: 1.5, .75, 2., 15e-1.
    std::string digits;
    int exponent = 0;
    std::size_t i = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits += c;
            if (point) --exponent;
        } else {
            break;
        }
    }
    if (digits.empty()) return std::nullopt;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E') return std::nullopt;
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
        int e = 0;
        const std::size_t first = i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            e = std::min(e * 10 + (text[i] - '0'), 1000);
        if (i == first || i != text.size()) return std::nullopt;
        exponent += negative ? -e : e;
    }
    // The value is digits x 10^exponent; zeros at either end say nothing.
    const auto lead = digits.find_first_not_of('0');
    if (lead == std::string::npos) return std::nullopt;
    digits.erase(0, lead);
    while (digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    const int places = -exponent;
    // Anything from a quarter to four has its first digit at most 13
    // places down, and nothing past 10^12 is kept.
    if (places > kMaxPlaces || static_cast<int>(digits.size()) - places > 1) return std::nullopt;
    std::int64_t num = std::stoll(digits), den = 1;
    for (int k = 0; k < places; ++k) den *= 10;
    for (int k = 0; k < -places; ++k) num *= 10;
    const Scale s(num, den);
    if (!inRange(s)) return std::nullopt;
    return s;
}

}  // namespace brontix::render
