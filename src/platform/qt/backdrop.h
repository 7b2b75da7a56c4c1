// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The full-screen backdrop: a plain black window that covers the screen
// behind the game window and does nothing but go away, by its close button
// or Escape.
#pragma once

#include <QWidget>

namespace brontix::platform::qt {

class Backdrop : public QWidget {
    Q_OBJECT

public:
    explicit Backdrop(QWidget* parent = nullptr);

    // Shows it maximised over the screen it is on.
    void showCovering();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace brontix::platform::qt
