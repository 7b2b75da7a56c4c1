// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The session's front end in a web page: the page's clock, which the
// session asks for, and its canvas, caption, box and full-screen backdrop,
// where each answer goes; all reached through the functions the page's
// script gives the WebAssembly module (page.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "session/host.h"
#include "session/session.h"

namespace brontix::platform::web {

// Copies rectangles of a frame (0xFFRRGGBB words) into `rgba`, a frame's
// worth of words whose little-endian bytes are R, G, B, A, as a canvas
// takes them.
void toRgba(const render::PixelBuffer& frame, std::span<const render::Rect> rects,
            std::uint32_t* rgba);

// The scale of a canvas `deviceWidth` device pixels wide: one canvas pixel
// a device pixel, between a quarter and four (beyond, the browser stretches
// the canvas).
render::Scale canvasScale(int deviceWidth);

// What a player hears of the game's events, with the score at their end
// ("New game.", "Paused.", "Ball lost.", "You lose! Score 140."); empty
// for none.
std::string spoken(std::span<const session::Event> events, std::int32_t score);

// The page's canvas: rectangles of a frame put on it, converted to the
// bytes it takes.
class Canvas {
public:
    void present(std::span<const render::Rect> rects, const render::PixelBuffer& frame);

private:
    // The frame as the canvas wants it, bytes R, G, B, A.
    std::vector<std::uint32_t> rgba_;
    std::vector<std::int32_t> rectWords_;
};

class WebHost final : public session::Host {
public:
    std::uint64_t clock() override;

    // Puts an answer of the session on the page: the rectangles drawn on
    // the canvas, the caption, the box. Returns when the session wants its
    // next wake-up, in the page's milliseconds, or -1 for none.
    double apply(const session::Answer& answer);

private:
    void carryOut(const session::WindowStep& step);

    Canvas canvas_;
};

}  // namespace brontix::platform::web
