// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game window: a fixed frame around the playfield, with the menu bar
// of three commands.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QAction>
#include <QMainWindow>
#include <memory>

#include "platform/qt/playfield.h"

namespace brontix::platform::qt {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    Playfield* playfield() { return playfield_; }
    QAction* newGameAction() { return newGame_; }
    QAction* demoAction() { return demo_; }
    QAction* fullScreenAction() { return fullScreen_; }

    ~MainWindow() override;

signals:
    // Closed by the player, or destroyed from outside (on X11).
    void closed();
    // The window manager minimised the window.
    void minimised();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Playfield* playfield_;
    QAction* newGame_;
    QAction* demo_;
    QAction* fullScreen_;
    std::unique_ptr<QAbstractNativeEventFilter> destroyWatch_;
};

}  // namespace brontix::platform::qt
