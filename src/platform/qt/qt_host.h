// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The session's front end on a real Qt window: the caption, the modal box,
// the full-screen backdrop, the system clock, and the playfield that shows
// the frame.
#pragma once

#include <QPoint>
#include <functional>
#include <memory>

#include "platform/qt/backdrop.h"
#include "platform/qt/main_window.h"
#include "session/host.h"

namespace brontix::platform::qt {

class QtHost final : public session::Host {
public:
    explicit QtHost(MainWindow& window);
    ~QtHost() override;

    std::uint64_t clock() override;
    void present(const render::PixelBuffer& frame, const std::vector<render::Rect>& rects) override;
    void showCaption(const std::string& text) override;
    bool messageBox(const std::string& text) override;

    void showBackdrop() override;
    scene::WindowRect backdropRect() const override;
    void hideGameWindow() override;
    scene::WindowRect gameWindowRect() const override;
    void moveGameWindow(float leftTwips, float topTwips) override;
    void showGameWindowOwnedByBackdrop() override;

    Backdrop* backdrop() { return backdrop_.get(); }

    // Replaces the modal box (tests open their own event loop here).
    std::function<void(const std::string&)> messageBoxHook;

private:
    MainWindow& window_;
    std::unique_ptr<Backdrop> backdrop_;
    QPoint placed_;  // where full-screen mode last put the game window
};

}  // namespace brontix::platform::qt
