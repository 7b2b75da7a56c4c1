// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/win32/screen.h"

#include <algorithm>

namespace brontix::platform::win32 {

std::int64_t now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    // In two parts, so that the product cannot overflow.
    const std::int64_t seconds = count.QuadPart / frequency.QuadPart;
    const std::int64_t rest = count.QuadPart % frequency.QuadPart;
    return seconds * 1'000'000'000 + rest * 1'000'000'000 / frequency.QuadPart;
}

std::wstring wide(std::string_view text) {
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), n);
    return out;
}

std::string narrow(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string said = text ? narrow(text) : "error " + std::to_string(error);
    LocalFree(text);
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == '.'))
        said.pop_back();
    return said;
}

void showDrawn(HWND window, std::span<const render::Rect> drawn) {
    for (const render::Rect& r : drawn) {
        const RECT dirty{r.x, r.y, r.right(), r.bottom()};
        InvalidateRect(window, &dirty, FALSE);
    }
    // At once: a frame comes after the ticks of a wake-up, and waiting for
    // the message loop to paint it costs a pass of the loop.
    if (!drawn.empty()) UpdateWindow(window);
}

void paintFrame(HWND window, const render::PixelBuffer& frame) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = frame.width();
    info.bmiHeader.biHeight = -frame.height();  // top-down, as the frame's rows are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const RECT& dirty = ps.rcPaint;
    const LONG right = std::min<LONG>(dirty.right, frame.width());
    const LONG bottom = std::min<LONG>(dirty.bottom, frame.height());
    const int w = right - dirty.left, h = bottom - dirty.top;
    // A top-down DIB's source rows are counted from its bottom in a part
    // blitted alone.
    if (w > 0 && h > 0)
        StretchDIBits(dc, dirty.left, dirty.top, w, h, dirty.left, frame.height() - bottom, w, h,
                      frame.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    // Beyond the frame (a window rounded up at some scales): black.
    auto* black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const RECT beside{std::max<LONG>(dirty.left, frame.width()), dirty.top, dirty.right,
                      dirty.bottom};
    const RECT below{dirty.left, std::max<LONG>(dirty.top, frame.height()), dirty.right,
                     dirty.bottom};
    FillRect(dc, &beside, black);
    FillRect(dc, &below, black);
    EndPaint(window, &ps);
}

void armWake(HWND window, UINT_PTR timer, std::optional<std::int64_t> wake) {
    if (!wake) {
        KillTimer(window, timer);
        return;
    }
    const std::int64_t due = *wake - now();
    const auto ms = static_cast<UINT>(
        std::clamp<std::int64_t>((due + 999'999) / 1'000'000, USER_TIMER_MINIMUM, 60'000));
    SetTimer(window, timer, ms, nullptr);
}

}  // namespace brontix::platform::win32
