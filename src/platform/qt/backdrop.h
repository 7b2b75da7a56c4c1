// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The full-screen backdrop: a plain black window that covers the screen
// behind the game window and does nothing but go away, by its close button
// or Escape.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QWidget>

namespace brontix::platform::qt {

class Backdrop : public QWidget {
    Q_OBJECT

public:
    explicit Backdrop(QWidget* parent = nullptr);

    // Shows it maximised over the screen it is on.
    void showCovering();
    // Where the window system does not let a client place its windows
    // (Wayland), the backdrop holds the game window in its own surface,
    // centred under a caption of its own that follows the window's title,
    // until the backdrop closes and gives the window back its own.
    void hold(QWidget& window);
    bool holds() const { return held_ != nullptr; }
    // The area it covers when maximised over the screen it is on.
    QRect coverage() const;

signals:
    // The player took it away (its close button, Escape).
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The caption's height, as a window manager's title bar.
    static constexpr int kCaptionHeight = 24;

    void centre();

    QPointer<QWidget> held_;
    Qt::WindowFlags heldFlags_;
    QLabel* caption_ = nullptr;
};

}  // namespace brontix::platform::qt
