// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Puts rectangles of a frame straight into an X11 window: one request a
// rectangle, with none of Qt's painting machinery between. The playfield
// paints itself on screen this way where it can (see Playfield); at 64
// frames a second it costs a third of Qt's own road.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "render/pixels.h"

namespace brontix::platform::qt {

class X11Window {
public:
    // The X11 window `id`, if the game runs on X11 and the window's pixels
    // are laid out like the frame's: depth 24, true colour with red, green
    // and blue in the bytes of 0x00RRGGBB, 32 bits a pixel, least
    // significant byte first. Otherwise none.
    static std::unique_ptr<X11Window> open(std::uintptr_t id);
    ~X11Window();
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    // Sends the rectangles of `frame` to the same place in the window.
    void put(const render::PixelBuffer& frame, std::span<const render::Rect> rects);

private:
    X11Window(void* connection, std::uint32_t window, std::uint32_t gc, std::size_t maxPixels)
        : connection_(connection), window_(window), gc_(gc), maxPixels_(maxPixels) {}

    void* connection_;
    std::uint32_t window_;
    std::uint32_t gc_;
    std::size_t maxPixels_;  // the most one request may carry
    std::vector<std::uint32_t> scratch_;
};

}  // namespace brontix::platform::qt
