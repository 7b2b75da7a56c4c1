// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/backdrop.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>

namespace brontix::platform::qt {

Backdrop::Backdrop(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle("Brontix FullScreen");
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    // Closing the backdrop leaves the game running in its own window.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void Backdrop::showCovering() {
    // Maximising is only a request to the window manager, and with none it
    // does nothing: give it the screen's area as well.
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s && !isVisible()) setGeometry(s->availableGeometry());
    showMaximized();
}

void Backdrop::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

}  // namespace brontix::platform::qt
