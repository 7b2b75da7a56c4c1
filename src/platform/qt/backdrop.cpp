// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/backdrop.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

namespace brontix::platform::qt {

Backdrop::Backdrop(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle("Brontix FullScreen");
    // Painted black rather than given a black palette, which a game window
    // it holds would take on: a black menu bar.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Closing the backdrop leaves the game running in its own window.
    setAttribute(Qt::WA_QuitOnClose, false);
}

QRect Backdrop::coverage() const {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

void Backdrop::showCovering() {
    // Maximising is only a request to the window manager, and with none it
    // does nothing: give it the screen's area as well.
    if (!isVisible()) setGeometry(coverage());
    showMaximized();
}

void Backdrop::hold(QWidget& window) {
    if (held_ != &window) {
        heldFlags_ = window.windowFlags();
        held_ = &window;
        window.setParent(this, Qt::Widget);
        if (!caption_) {
            caption_ = new QLabel(this);
            caption_->setStyleSheet(
                "QLabel { color: white; font-weight: bold; padding: 0 6px; background: "
                "qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 #0a246a, stop: 1 #a6caf0); }");
            caption_->setFixedHeight(kCaptionHeight);
        }
        caption_->setText(window.windowTitle());
        connect(&window, &QWidget::windowTitleChanged, caption_, &QLabel::setText);
    }
    centre();
    caption_->show();
    window.show();
    window.setFocus();
}

void Backdrop::centre() {
    if (!held_) return;
    // The caption and the window below it, as one, in the middle.
    const QSize window = held_->size();
    const int left = (width() - window.width()) / 2;
    const int top = (height() - window.height() - kCaptionHeight) / 2;
    caption_->setGeometry(left, top, window.width(), kCaptionHeight);
    held_->move(left, top + kCaptionHeight);
}

void Backdrop::paintEvent(QPaintEvent* event) { QPainter(this).fillRect(event->rect(), Qt::black); }

void Backdrop::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The compositor maximises the backdrop after it is shown.
    centre();
}

void Backdrop::closeEvent(QCloseEvent* event) {
    // The game window goes back to a window of its own before the backdrop
    // is gone, so it is never left without one (nor the program without a
    // window, which would end it).
    if (QWidget* window = held_) {
        disconnect(window, nullptr, caption_, nullptr);
        held_ = nullptr;
        caption_->hide();
        window->setParent(nullptr, heldFlags_);
        window->show();
    }
    QWidget::closeEvent(event);
    emit closed();
}

void Backdrop::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

}  // namespace brontix::platform::qt
