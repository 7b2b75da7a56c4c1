// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The deterministic front end of the replay driver and the tests: the
// script's clock, message boxes answered at once and kept, and a
// 1920 x 1080 virtual screen. Nothing is shown.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "session/dump.h"
#include "session/host.h"

namespace brontix::platform::headless {

using session::WindowState;

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
    void present(const render::PixelBuffer&, const std::vector<render::Rect>&) override {}
    bool showsFrames() const override { return false; }
    void showCaption(const std::string&) override {}
    bool messageBox(const std::string& text) override;

    void showBackdrop() override;
    scene::WindowRect backdropRect() const override { return inTwips(form2_); }
    void hideGameWindow() override { form1_.visible = false; }
    scene::WindowRect gameWindowRect() const override { return inTwips(form1_); }
    void moveGameWindow(float leftTwips, float topTwips) override;
    void showGameWindowOwnedByBackdrop() override;

    const std::vector<std::string>& messages() const { return messages_; }
    const WindowState& form1() const { return form1_; }
    const WindowState& form2() const { return form2_; }
    bool ownedByBackdrop() const { return ownedByBackdrop_; }

    // Called with each message box's text while it is open (tests use it
    // to look inside the box's lifetime).
    std::function<void(const std::string&)> onMessageBox;

private:
    static scene::WindowRect inTwips(const WindowState& w) {
        return scene::pixelsInTwips(w.left, w.top, w.width, w.height);
    }

    std::uint64_t clock_ = 0;
    std::vector<std::string> messages_;
    WindowState form1_;
    WindowState form2_;
    bool ownedByBackdrop_ = false;
};

}  // namespace brontix::platform::headless
