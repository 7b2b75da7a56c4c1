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
#include "session/session.h"

namespace brontix::platform::qt {

class QtHost final : public session::Host {
public:
    explicit QtHost(MainWindow& window);
    ~QtHost() override;

    std::uint64_t clock() override;

    // Where the windows stand, for the session: the area a maximised
    // backdrop covers, and the game window's outer frame.
    session::ScreenRect backdropCover();
    session::ScreenRect gameFrame() const;
    // One step of full screen the session answered.
    void carryOut(const session::WindowStep& step);
    // Runs when the player takes the backdrop away.
    std::function<void()> backdropClosed;

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
    // The backdrop, made the first time it is needed.
    Backdrop& madeBackdrop();
    void showGameWindowOwnedByBackdrop();

    MainWindow& window_;
    std::unique_ptr<Backdrop> backdrop_;
    QPoint placed_;  // where full-screen mode last put the game window
    QPointer<QMessageBox> box_;
};

}  // namespace brontix::platform::qt
