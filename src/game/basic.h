// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The Basic runtime the game's rules are written against: 16-bit Booleans,
// Int, colours composed by RGB and the classic 16-colour palette, and
// arrays re-dimensioned with their contents kept.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/scene.h"

namespace brontix::game {

using scene::Colour;

// Booleans are 16-bit: True is all bits set, and a flag is toggled by its
// bitwise complement.
using Boolean = std::int16_t;
inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;

inline Boolean Not(Boolean b) { return static_cast<Boolean>(~b); }
inline Boolean toBoolean(bool b) { return b ? True : False; }

// Int(v): the largest integer not greater than v.
inline int Int(float v) { return static_cast<int>(std::floor(v)); }

// A colour component turned from a fractional value into an integer:
// nearest, ties to even, and anything above 255 counts as 255. Negative
// values and NaN never reach this from the game; they count as 0 so a
// fault cannot turn into undefined behaviour.
inline int colourComponent(double v) {
    if (!(v > 0)) return 0;
    if (v > 255) return 255;
    return static_cast<int>(std::nearbyint(v));
}

// &HBBGGRR from three components; a component above 255 counts as 255.
inline Colour RGB(int r, int g, int b) {
    auto cap = [](int c) { return c > 255 ? 255 : (c < 0 ? 0 : c); };
    return cap(r) + 256 * cap(g) + 65536 * cap(b);
}

inline Colour RGB(double r, double g, double b) {
    return RGB(colourComponent(r), colourComponent(g), colourComponent(b));
}

// The classic 16-colour palette, by index.
inline constexpr std::array<Colour, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// Each colour's name, as the palette names it.
inline constexpr std::array<std::string_view, 16> kPaletteNames = {
    "black",     "blue",          "green",  "cyan",       "red",         "magenta",
    "brown",     "light grey",    "grey",   "light blue", "light green", "light cyan",
    "light red", "light magenta", "yellow", "white",
};

inline Colour QBColor(int index) { return kPalette.at(static_cast<std::size_t>(index)); }

// ReDim Preserve: resizes an array to the upper bound given, keeping its
// entries; new entries are zero.
template <class T>
void ReDimPreserve(std::vector<T>& v, int upperBound) {
    v.resize(static_cast<std::size_t>(upperBound) + 1);
}

}  // namespace brontix::game
