// Colour composition: RGB components and the classic 16-colour palette.
#pragma once

#include <array>
#include <cmath>

#include "platform/scene.h"

namespace brontix::platform {

// A component turned from a fractional value into an integer: nearest,
// ties to even, and anything above 255 counts as 255. Negative values and
// NaN never reach this from the game; they count as 0 so a fault cannot
// turn into undefined behaviour.
inline int colourComponent(double v) {
    if (!(v > 0)) return 0;
    if (v > 255) return 255;
    return static_cast<int>(std::nearbyint(v));
}

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

inline Colour QBColor(int index) { return kPalette.at(static_cast<std::size_t>(index)); }

}  // namespace brontix::platform
