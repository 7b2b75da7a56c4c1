// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the session asks of a real Qt window: the system clock and the
// full-screen backdrop; and the game's box, which the window shows when an
// answer says so.
#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/backdrop.h"
#include "platform/qt/main_window.h"
#include "session/host.h"

namespace brontix::platform::qt {

class QtHost final : public session::Host {
public:
    explicit QtHost(MainWindow& window);
    ~QtHost() override;

    std::uint64_t clock() override;

    void showBackdrop() override;
    scene::WindowRect backdropRect() const override;
    void hideGameWindow() override;
    scene::WindowRect gameWindowRect() const override;
    void moveGameWindow(float leftTwips, float topTwips) override;
    void showGameWindowOwnedByBackdrop() override;

    Backdrop* backdrop() { return backdrop_.get(); }
    // Closes the backdrop, as its close button does; false when it is not up.
    bool closeBackdrop();

    // Shows the game's box, modal to the game window, and returns at once:
    // no event loop of its own runs. `answered` runs once the player
    // closes it.
    void openBox(const std::string& text, std::function<void()> answered);
    // Pixels a box's title bar needs beside its title: the window icon, the
    // close button and the frame's margins, at the sizes window managers
    // draw them.
    static constexpr int kTitleBarRoom = 120;
    // The box while it is up, else null.
    QMessageBox* box() const { return box_; }

private:
    MainWindow& window_;
    std::unique_ptr<Backdrop> backdrop_;
    QPoint placed_;  // where full-screen mode last put the game window
    QPointer<QMessageBox> box_;
};

}  // namespace brontix::platform::qt
