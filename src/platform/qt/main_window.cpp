// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/main_window.h"

#include <xcb/xcb.h>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>

namespace brontix::platform::qt {

namespace {

// A client may destroy another's window (xdotool windowclose, a crashed
// window manager's tools): Qt then keeps a window with nothing on screen,
// and the game would play on unseen with no way to close it.
class DestroyWatch : public QAbstractNativeEventFilter {
public:
    explicit DestroyWatch(MainWindow& window) : window_(window) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        // The window Qt has now; one it replaced itself is no longer its id.
        if (window_.internalWinId() != 0 && destroyed->window == window_.internalWinId())
            emit window_.closed();
        return false;
    }

private:
    MainWindow& window_;
};

}  // namespace

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
    if (QGuiApplication::platformName() == "xcb") {
        destroyWatch_ = std::make_unique<DestroyWatch>(*this);
        QCoreApplication::instance()->installNativeEventFilter(destroyWatch_.get());
    }
}

// The watch leaves the application's filters as it goes.
MainWindow::~MainWindow() = default;

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
