// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the game's window and the viewer's share on Win32: the clock their
// wake-ups are paced on, texts as the API takes them, a frame shown where
// it was drawn, and the one-shot timer armed for the next wake-up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "render/pixels.h"

namespace brontix::platform::win32 {

// The performance counter, in nanoseconds.
std::int64_t now();
// UTF-8 as the Win32 API takes it, and back.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);
// The system's words for an error code, on one line.
std::string systemMessage(DWORD error);

// The rectangles of a frame drawn again, painted now.
void showDrawn(HWND window, std::span<const render::Rect> drawn);
// WM_PAINT: the frame where the window is to be painted, black beyond it.
void paintFrame(HWND window, const render::PixelBuffer& frame);
// A one-shot timer for a wake-up on now()'s clock, or none: a periodic
// SetTimer is clamped to the system's tick, far from 64 a second.
void armWake(HWND window, UINT_PTR timer, std::optional<std::int64_t> wake);

// A window procedure that hands a window's messages to the object that
// made it (the last argument of CreateWindowEx).
template <class Owner, LRESULT (Owner::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK route(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return DefWindowProcW(window, message, wparam, lparam);
    return (owner->*Handler)(window, message, wparam, lparam);
}

}  // namespace brontix::platform::win32
