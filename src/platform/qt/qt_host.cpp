// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/qt_host.h"

#include <xcb/xcb.h>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QWindow>
#include <chrono>

namespace brontix::platform::qt {

namespace {

session::ScreenRect inPixels(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

QtHost::QtHost(MainWindow& window) : window_(window) {}
QtHost::~QtHost() = default;

std::uint64_t QtHost::clock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void QtHost::openBox(const std::string& text, std::function<void()> answered) {
    auto* box = new QMessageBox(&window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // No title of its own but the application's name, which not every
    // window manager supplies for an untitled window.
    box->setWindowTitle(QGuiApplication::applicationDisplayName());
    box->setText(QString::fromStdString(text));
    box->setIcon(QMessageBox::NoIcon);
    box->setStandardButtons(QMessageBox::Ok);
    box->button(QMessageBox::Ok)->setIcon(QIcon());
    // The window manager draws the title in a frame as wide as the box,
    // beside the box's icon and close button: a box as narrow as "You
    // lose!" cuts its own title short.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const int wide = box->fontMetrics().horizontalAdvance(box->windowTitle()) + kTitleBarRoom;
        grid->addItem(new QSpacerItem(wide, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    QObject::connect(box, &QDialog::finished, box,
                     [answered = std::move(answered)](int) { answered(); });
    box_ = box;
    box->open();
}

Backdrop& QtHost::madeBackdrop() {
    if (!backdrop_) {
        backdrop_ = std::make_unique<Backdrop>();
        QObject::connect(backdrop_.get(), &Backdrop::closed, [this] {
            if (backdropClosed) backdropClosed();
        });
    }
    return *backdrop_;
}

session::ScreenRect QtHost::backdropCover() { return inPixels(madeBackdrop().coverage()); }

session::ScreenRect QtHost::gameFrame() const { return inPixels(window_.frameGeometry()); }

void QtHost::carryOut(const session::WindowStep& step) {
    using Kind = session::WindowStep::Kind;
    switch (step.kind) {
    case Kind::ShowBackdrop: madeBackdrop().showCovering(); break;
    case Kind::HideGame: window_.hide(); break;
    case Kind::MoveGame:
        // A top-level widget's move() places its outer frame.
        placed_ = QPoint(step.left, step.top);
        window_.move(placed_);
        break;
    case Kind::ShowGameOwnedByBackdrop: showGameWindowOwnedByBackdrop(); break;
    }
}

bool QtHost::closeBackdrop() {
    if (!backdrop_ || !backdrop_->isVisible()) return false;
    backdrop_->close();
    return true;
}

void QtHost::showGameWindowOwnedByBackdrop() {
    // A Wayland client cannot place its own windows nor keep one in front
    // of another: the backdrop holds the game window in its own surface.
    if (backdrop_ && QGuiApplication::platformName().startsWith("wayland")) {
        backdrop_->hold(window_);
        return;
    }
    // Owned by the backdrop, the game window always stays in front of it.
    window_.winId();
    if (backdrop_ && window_.windowHandle()) {
        backdrop_->winId();
        window_.windowHandle()->setTransientParent(backdrop_->windowHandle());
    }
    window_.show();
    // Qt tells an X11 window manager the owner of dialogs only, and clears
    // it on showing any other window; the game window is a main window, so
    // say it here, once it is shown.
    auto* x11 = QGuiApplication::platformName() == "xcb"
                    ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    if (x11 && x11->connection() && backdrop_) {
        const auto owner = static_cast<xcb_window_t>(backdrop_->winId());
        xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE,
                            static_cast<xcb_window_t>(window_.winId()), XCB_ATOM_WM_TRANSIENT_FOR,
                            XCB_ATOM_WINDOW, 32, 1, &owner);
        xcb_flush(x11->connection());
    }
    // A window manager may place a window it maps again by its own rules;
    // once it is shown, asking again for the frame's place is honoured.
    // (The widget already believes it is there, so move() would not ask.)
    if (window_.windowHandle()) window_.windowHandle()->setFramePosition(placed_);
    window_.raise();
    window_.activateWindow();
}

}  // namespace brontix::platform::qt
