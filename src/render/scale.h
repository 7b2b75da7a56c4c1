// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// How many device pixels a playfield pixel spans, and where the playfield's
// edges and lines fall on a screen of that many. The ratio is kept exact
// (a fraction), so that an edge exactly halfway between two device pixels
// is seen as such: 1.1 x 15 is 16.5, which a double makes 16.500000000000004.
#pragma once

#include <cstdint>
#include <numeric>
#include <optional>
#include <string_view>

namespace brontix::render {

class Scale {
public:
    // The scales a screen may have: below a quarter a playfield pixel is
    // lost, above four the frame would outgrow what a screen shows.
    static constexpr std::int64_t kMinQuarters = 1;
    static constexpr std::int64_t kMaxQuarters = 16;

    constexpr Scale() = default;
    // num / den device pixels a playfield pixel; both positive.
    constexpr Scale(std::int64_t num, std::int64_t den) : num_(num), den_(den) {
        const std::int64_t g = std::gcd(num_, den_);
        num_ /= g;
        den_ /= g;
    }
    // A ratio a window system reports (1.25, 2, 1.7320508): to a millionth.
    static Scale nearest(double ratio);
    // A decimal as text ("1.5", "2", ".75"), taken exactly; none when it is
    // not one or lies outside a quarter to four.
    static std::optional<Scale> parse(std::string_view text);

    std::int64_t num() const { return num_; }
    std::int64_t den() const { return den_; }
    double ratio() const { return static_cast<double>(num_) / static_cast<double>(den_); }
    bool whole() const { return den_ == 1; }
    bool operator==(const Scale&) const = default;

    // The device pixel nearest S times a playfield position (halfway goes
    // to the even one): where that edge falls on the screen.
    int at(int position) const {
        // Whole scales, 1 above all, on the hot path of every frame.
        if (den_ == 1) return static_cast<int>(position * num_);
        const std::int64_t p = static_cast<std::int64_t>(position) * num_;
        std::int64_t q = p / den_, rem = p % den_;
        if (rem < 0) {
            --q;
            rem += den_;
        }
        if (2 * rem > den_ || (2 * rem == den_ && q % 2 != 0)) ++q;
        return static_cast<int>(q);
    }
    // The device width of a line or outline `w` playfield pixels wide: the
    // same wherever it lies, and never nothing.
    int width(int w) const {
        // floor(w S + 0.5) as floor((2 w num + den) / (2 den)).
        const std::int64_t twice = 2 * static_cast<std::int64_t>(w) * num_ + den_;
        const std::int64_t n = twice / (2 * den_);
        return n < 1 ? 1 : static_cast<int>(n);
    }

private:
    std::int64_t num_ = 1;
    std::int64_t den_ = 1;
};

}  // namespace brontix::render
