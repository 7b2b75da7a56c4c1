// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The deterministic front end of the replay driver and the tests: the
// script's clock, a 1920 x 1080 virtual screen, and the game's boxes
// answered at once and kept. Nothing is shown.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "session/host.h"
#include "session/session.h"

namespace brontix::platform::headless {

// A window's outer frame on the headless screen, in pixels.
struct WindowState {
    bool exists = false;
    bool visible = false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The headless screen, pixels.
inline constexpr int kScreenWidth = 1920;
inline constexpr int kScreenHeight = 1080;

// The fixed frame around the game window's client area, pixels: a 24-pixel
// title bar, a 20-pixel menu bar and 4-pixel borders.
inline constexpr int kFrameTitle = 24;
inline constexpr int kFrameMenu = 20;
inline constexpr int kFrameBorder = 4;

class HeadlessHost : public session::Host {
public:
    // The game window exists, shown, from the start.
    HeadlessHost();

    // The value the clock reports from now on.
    void setClock(std::uint64_t value) { clock_ = value; }

    std::uint64_t clock() override { return clock_; }
    bool showsFrames() const override { return false; }

    // Tells `session` where the windows stand: the whole screen for a
    // maximised backdrop, and the game window's frame.
    void placeWindows(session::Session& session);
    // The answer to a call into `session`, applied: the window steps of
    // full screen carried out, the events handed to `onEvent`, and a box
    // the game opened answered at once.
    void apply(session::Session& session, const session::Answer& answer);
    // Where the events of the answers go; none by default.
    std::function<void(const session::Event&)> onEvent;
    // Up to `count` expiries straight away, as a script's `tick N` asks.
    void expire(session::Session& session, std::uint64_t count);

    // The session as a line of JSON: its game, the boxes shown so far, and
    // the two windows of full screen as this front end has them.
    std::string dump(const session::Session& session) const;
    const WindowState& form1() const { return form1_; }
    const WindowState& form2() const { return form2_; }
    bool ownedByBackdrop() const { return ownedByBackdrop_; }

private:
    void carryOut(const session::WindowStep& step);

    std::uint64_t clock_ = 0;
    WindowState form1_;
    WindowState form2_;
    bool ownedByBackdrop_ = false;
};

}  // namespace brontix::platform::headless
