// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace brontix::platform::qt {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      playfield_(new Playfield(this)) {
    setCentralWidget(playfield_);
    setFocusProxy(playfield_);
    // The commands are plain actions with no menu, which a desktop's global
    // menu does not carry: the bar stays in the window.
    menuBar()->setNativeMenuBar(false);
    // Top-level commands, each with no menu of its own.
    newGame_ = menuBar()->addAction(tr("&New Game"));
    demo_ = menuBar()->addAction(tr("Demo"));
    fullScreen_ = menuBar()->addAction(tr("Full Screen"));
    // Fixed: the layout of the playfield does not change with the window.
    setFixedSize(sizeHint());
    playfield_->setFocus();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Full screen hides and shows the window without minimising it.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        emit minimised();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace brontix::platform::qt
