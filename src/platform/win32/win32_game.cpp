// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/win32/win32_game.h"

#include <windowsx.h>

#include <chrono>
#include <cstdio>
#include <utility>

namespace brontix::platform::win32 {

namespace {

constexpr wchar_t kGameClass[] = L"BrontixGame";
constexpr wchar_t kBackdropClass[] = L"BrontixBackdrop";
constexpr UINT_PTR kWakeTimer = 1;
// Opens the game's box once the call that answered it has returned.
constexpr UINT kOpenBox = WM_APP + 1;
enum MenuId : UINT { kNewGame = 1, kDemo, kFullScreen };
constexpr int kEscape = 27;
// Fixed size: a caption, a system menu, no maximise or minimise button.
constexpr DWORD kGameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kBackdropStyle = WS_POPUP | WS_SYSMENU;

session::ScreenRect screenRect(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

Win32Game::Win32Game(HINSTANCE instance) : instance_(instance) {
    WNDCLASSEXW game{};
    game.cbSize = sizeof game;
    game.lpfnWndProc = route<Win32Game, &Win32Game::onGame>;
    game.hInstance = instance;
    game.hIcon = LoadIconW(instance, L"brontix");
    game.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    game.lpszClassName = kGameClass;
    RegisterClassExW(&game);
    WNDCLASSEXW backdrop = game;
    backdrop.lpfnWndProc = route<Win32Game, &Win32Game::onBackdrop>;
    backdrop.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    backdrop.lpszClassName = kBackdropClass;
    RegisterClassExW(&backdrop);

    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, kNewGame, L"&New Game");
    AppendMenuW(menu, MF_STRING, kDemo, L"Demo");
    AppendMenuW(menu, MF_STRING, kFullScreen, L"Full Screen");
    window_ = CreateWindowExW(0, kGameClass, L"Brontix", kGameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance, this);
    followDpi(GetDpiForWindow(window_));
}

Win32Game::~Win32Game() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (backdrop_) {
        SetWindowLongPtrW(backdrop_, GWLP_USERDATA, 0);
        DestroyWindow(backdrop_);
    }
}

std::uint64_t Win32Game::clock() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(since).count());
}

void Win32Game::start(session::Recorder* recorder, int show) {
    session_.record(recorder);
    const session::Answer first = session_.start();
    ShowWindow(window_, show);
    apply(first);
}

void Win32Game::race(std::uint64_t wall) {
    race_.emplace(wall, session_.ticksRun());
    std::printf("%s\n", race_->started().c_str());
    std::fflush(stdout);
    apply(session_.race(wall));
}

void Win32Game::apply(const session::Answer& answer) {
    for (const session::Event& event : answer.events)
        if (const auto result = race_ ? race_->ended(event, session_.score()) : std::nullopt) {
            std::printf("%s\n", result->c_str());
            std::fflush(stdout);
        }
    for (const session::WindowStep& step : answer.windows) carryOut(step);
    showDrawn(window_, answer.drawn);
    if (answer.caption) SetWindowTextW(window_, wide(*answer.caption).c_str());
    if (answer.box) {
        // MessageBox runs a loop of its own, which would deliver the
        // window's timer and input while the call that opened the box is
        // still under way: it opens once that call has returned.
        box_ = *answer.box;
        PostMessageW(window_, kOpenBox, 0, 0);
    }
    armWake(window_, kWakeTimer, answer.wake);
}

float Win32Game::toPlayfield(int device) const {
    return static_cast<float>(device / scale_.ratio());
}

LRESULT Win32Game::onGame(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_TIMER:
        if (wparam != kWakeTimer) break;
        KillTimer(window_, kWakeTimer);
        apply(session_.wake());
        return 0;
    case WM_PAINT: paintFrame(window_, session_.frame()); return 0;
    case WM_ERASEBKGND: return 1;  // the frame covers the client area
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kNewGame: apply(session_.menu(session::Command::NewGame)); return 0;
        case kDemo: apply(session_.menu(session::Command::Demo)); return 0;
        case kFullScreen:
            // The window may have moved, or the screen changed, since the
            // session last heard.
            apply(session_.placeWindows(monitorCover(), gameFrame()));
            apply(session_.menu(session::Command::FullScreen));
            return 0;
        }
        break;
    case WM_MOUSEMOVE: {
        const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        if (!inside_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
            TrackMouseEvent(&track);
        }
        inside_ = at;
        apply(session_.pointer(toPlayfield(at.x), toPlayfield(at.y)));
        return 0;
    }
    case WM_MOUSELEAVE: {
        // A fast flick leaves the playfield between two moves: the game is
        // handed one last move where the pointer crossed the edge.
        const std::optional<POINT> from = std::exchange(inside_, std::nullopt);
        POINT to;
        GetCursorPos(&to);
        ScreenToClient(window_, &to);
        if (from)
            apply(session_.leave(toPlayfield(from->x), toPlayfield(from->y), toPlayfield(to.x),
                                 toPlayfield(to.y)));
        return 0;
    }
    case WM_LBUTTONUP: apply(session_.click()); return 0;
    case WM_CHAR:
        // While the backdrop is up, Escape is the way out of it, not a key
        // of the game's.
        if (wparam == kEscape && backdrop_ && IsWindowVisible(backdrop_)) {
            closeBackdrop();
            return 0;
        }
        apply(session_.key(static_cast<int>(wparam)));
        return 0;
    case WM_SIZE:
        // Minimised, the game cannot be seen: it pauses as p would.
        if (wparam == SIZE_MINIMIZED && !minimised_) apply(session_.unseen());
        minimised_ = wparam == SIZE_MINIMIZED;
        return 0;
    case WM_DPICHANGED: followDpi(HIWORD(wparam)); return 0;
    case WM_DISPLAYCHANGE: apply(session_.placeWindows(monitorCover(), gameFrame())); return 0;
    case kOpenBox:
        if (box_) {
            const std::wstring text = wide(*std::exchange(box_, std::nullopt));
            MessageBoxW(window_, text.c_str(), L"Brontix", MB_OK);
            apply(session_.boxClosed());
        }
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT Win32Game::onBackdrop(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CLOSE: closeBackdrop(); return 0;  // Alt+F4: the game goes on in its window
    case WM_KEYDOWN:
        if (wparam == VK_ESCAPE) closeBackdrop();
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void Win32Game::followDpi(UINT dpi) {
    // The frame drawn at the monitor's own scale, pixel for pixel.
    scale_ = render::Scale::nearest(dpi ? dpi / 96.0 : 1.0);
    apply(session_.setScale(scale_));
    fitToFrame();
}

void Win32Game::fitToFrame() {
    const render::PixelBuffer& frame = session_.frame();
    const UINT dpi = GetDpiForWindow(window_);
    RECT outer{0, 0, frame.width(), frame.height()};
    AdjustWindowRectExForDpi(&outer, kGameStyle, TRUE, 0, dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar too wide for the window wraps to a second row, which the
    // reckoning above does not know: the client area is measured.
    RECT client;
    GetClientRect(window_, &client);
    const int short_ = frame.height() - (client.bottom - client.top);
    if (short_ != 0)
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left,
                     outer.bottom - outer.top + short_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

session::ScreenRect Win32Game::monitorCover() const {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &info);
    return screenRect(info.rcMonitor);
}

session::ScreenRect Win32Game::gameFrame() const {
    RECT r;
    GetWindowRect(window_, &r);
    return screenRect(r);
}

void Win32Game::carryOut(const session::WindowStep& step) {
    using Kind = session::WindowStep::Kind;
    switch (step.kind) {
    case Kind::ShowBackdrop: {
        // A popup on the monitor's whole area: a captioned window without a
        // maximise button is not enlarged by every window manager.
        if (!backdrop_)
            backdrop_ = CreateWindowExW(0, kBackdropClass, L"Brontix FullScreen", kBackdropStyle, 0,
                                        0, 0, 0, nullptr, nullptr, instance_, this);
        const session::ScreenRect cover = monitorCover();
        SetWindowPos(backdrop_, HWND_TOP, cover.left, cover.top, cover.width, cover.height,
                     SWP_SHOWWINDOW);
        break;
    }
    case Kind::HideGame: ShowWindow(window_, SW_HIDE); break;
    case Kind::MoveGame:
        SetWindowPos(window_, nullptr, step.left, step.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case Kind::ShowGameOwnedByBackdrop:
        // Owned by the backdrop, the game window stays in front of it.
        SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(backdrop_));
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        break;
    }
}

void Win32Game::closeBackdrop() {
    // An owner's end takes the windows it owns with it: the game window is
    // a window of its own again first.
    SetWindowLongPtrW(window_, GWLP_HWNDPARENT, 0);
    ShowWindow(backdrop_, SW_HIDE);
    apply(session_.backdropClosed());
    SetForegroundWindow(window_);
}

}  // namespace brontix::platform::win32
