// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game in a Win32 window: the window with its menu bar of three
// commands, the black backdrop of full screen, and the session they drive.
// Every message the windows receive, every wake-up and the answer to the
// box go to the session, and what it answers is applied: the rectangles
// shown, the caption set, the box opened, the windows placed, and a
// one-shot timer armed for the next wake-up, or none.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/screen.h"
#include "session/session.h"
#include "viewer/race.h"

namespace brontix::platform::win32 {

class Win32Game final : public session::Host {
public:
    explicit Win32Game(HINSTANCE instance);
    ~Win32Game() override;
    Win32Game(const Win32Game&) = delete;
    Win32Game& operator=(const Win32Game&) = delete;

    std::uint64_t clock() override;

    // Runs start-up (writing it to `recorder`, if any), then shows the
    // window and paces the ticks. Closing the window ends the message loop.
    void start(session::Recorder* recorder, int show);
    // A race on `wall` (after start()): New Game chosen with the wall as
    // its clock; the wall, and the race's result when its game ends, said
    // on standard output.
    void race(std::uint64_t wall);

    HWND window() const { return window_; }
    session::Session& session() { return session_; }

    // The windows' messages (public for their window procedures).
    LRESULT onGame(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT onBackdrop(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

private:
    // After every call into the session.
    void apply(const session::Answer& answer);
    void carryOut(const session::WindowStep& step);
    // The window's outer size for the playfield's client area at the
    // current scale, under its menu bar.
    void fitToFrame();
    // The scale for the window's monitor's DPI.
    void followDpi(UINT dpi);
    session::ScreenRect monitorCover() const;
    session::ScreenRect gameFrame() const;
    void closeBackdrop();
    float toPlayfield(int device) const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND backdrop_ = nullptr;
    session::Session session_{*this, &now};
    render::Scale scale_{1, 1};
    // The box's text until the posted message opens it.
    std::optional<std::string> box_;
    // The pointer's last place on the playfield, in device pixels, while it
    // is there.
    std::optional<POINT> inside_;
    bool minimised_ = false;
    std::optional<viewer::RaceReport> race_;
};

}  // namespace brontix::platform::win32
