// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/playfield.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>

#include "scene/scene.h"

namespace brontix::platform::qt {

Playfield::Playfield(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
    setMouseTracking(true);  // moves with no button held steer the paddle
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Playfield::~Playfield() = default;

QSize Playfield::sizeHint() const { return {scene::kPlayfieldWidth, scene::kPlayfieldHeight}; }

void Playfield::setFrame(const render::PixelBuffer& frame) {
    frame_ = &frame;
    // The renderer's pixels are Qt's RGB32 pixels: the window shows the
    // frame without a copy.
    image_ = QImage(reinterpret_cast<const uchar*>(frame.data()), frame.width(), frame.height(),
                    qsizetype{frame.width()} * 4, QImage::Format_RGB32);
    image_.setDevicePixelRatio(scale_.ratio());
    update();
}

void Playfield::showEvent(QShowEvent*) {
    if (!screenWatched_ && window()->windowHandle()) {
        connect(window()->windowHandle(), &QWindow::screenChanged, this, [this] { chooseRoad(); });
        screenWatched_ = true;
    }
    chooseRoad();
}

// The frame is drawn at the screen's scale, so each of its pixels is a
// device pixel. On X11, where the playfield's native window has exactly
// the frame's pixels and lays them out like the frame, the playfield paints
// on screen: a native window of its own, outside Qt's backing store, so
// that nothing Qt keeps can stand for it. The changed rectangles go
// straight to it, and whatever the window system uncovers (a window moved
// away, the window brought back on screen or restored, a menu closed)
// comes as a paint event for that region, which is put from the frame too.
// Anywhere else (Wayland, a native window a row taller than the frame) it
// is painted through Qt's backing store like any widget.
void Playfield::chooseRoad() {
    const render::Scale scale = render::Scale::nearest(devicePixelRatioF());
    if (scale != scale_) {
        scale_ = scale;
        emit scaleChanged();
    }
    screen_.reset();
    const double ratio = devicePixelRatioF();
    const bool fits = frame_ && qRound(width() * ratio) == frame_->width() &&
                      qRound(height() * ratio) == frame_->height();
    if (QGuiApplication::platformName() == "xcb" && fits) screen_ = X11Window::open(winId());
    setAttribute(Qt::WA_PaintOnScreen, screen_ != nullptr);
    update();
}

render::Rect Playfield::toFrame(const QRect& r) const {
    // Every device pixel the widget's rectangle touches.
    const double ratio = devicePixelRatioF();
    const int left = static_cast<int>(std::floor(r.x() * ratio));
    const int top = static_cast<int>(std::floor(r.y() * ratio));
    const int right = static_cast<int>(std::ceil((r.x() + r.width()) * ratio));
    const int bottom = static_cast<int>(std::ceil((r.y() + r.height()) * ratio));
    return render::Rect{left, top, right - left, bottom - top}.intersected(frame_->rect());
}

QPaintEngine* Playfield::paintEngine() const {
    // On screen there is nothing for a QPainter to paint on.
    return screen_ ? nullptr : QWidget::paintEngine();
}

void Playfield::show(const render::PixelBuffer& frame, std::span<const render::Rect> rects) {
    // Another frame, or the same one drawn anew at another scale.
    if (&frame != frame_ || image_.constBits() != reinterpret_cast<const uchar*>(frame.data()) ||
        image_.width() != frame.width() || image_.height() != frame.height())
        setFrame(frame);
    if (screen_ && isVisible()) {
        screen_->put(*frame_, rects);
        return;
    }
    // The widget's pixels that show the device pixels drawn again.
    const double ratio = devicePixelRatioF();
    QRegion dirty;
    for (const render::Rect& r : rects) {
        const int left = static_cast<int>(std::floor(r.x / ratio));
        const int top = static_cast<int>(std::floor(r.y / ratio));
        dirty += QRect(left, top, static_cast<int>(std::ceil(r.right() / ratio)) - left,
                       static_cast<int>(std::ceil(r.bottom() / ratio)) - top);
    }
    // At once: a frame comes after the ticks of a wake-up, and waiting for
    // another pass of the event loop to paint it costs that pass.
    repaint(dirty);
}

void Playfield::paintEvent(QPaintEvent* event) {
    if (!frame_) return;
    if (screen_) {
        std::vector<render::Rect> rects;
        for (const QRect& r : event->region()) rects.push_back(toFrame(r));
        screen_->put(*frame_, rects);
        return;
    }
    QPainter p(this);
    p.setClipRegion(event->region());
    // A native window can be rounded up to a device row or column more than
    // the frame has: that row is black, not what the window held before.
    const QSizeF shown = image_.deviceIndependentSize();
    const QRegion beyond = QRegion(rect()) - QRect(0, 0, static_cast<int>(shown.width()),
                                                   static_cast<int>(shown.height()));
    for (const QRect& r : beyond) p.fillRect(r, Qt::black);
    // The image has the device pixel ratio of the screen: drawn at the
    // origin, each of its pixels is one device pixel.
    p.drawImage(QPointF(0, 0), image_);
}

void Playfield::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (rect().contains(pos.toPoint())) inside_ = pos;
    emit pointerMoved(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

// A fast flick leaves the playfield between two moves, and the window
// system reports no move outside it: the paddle would stop where the last
// move inside left it, short of the wall. The game is handed one last move
// where the pointer crossed the edge.
void Playfield::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    const std::optional<QPointF> from = std::exchange(inside_, std::nullopt);
    const QPointF now = mapFromGlobal(QCursor::pos());
    if (from) emit pointerLeft(*from, now);
}

void Playfield::mouseReleaseEvent(QMouseEvent* event) {
    // Each release of the left button is one click, so a double-click is two.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void Playfield::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit characterTyped(text.at(0).unicode());
}

}  // namespace brontix::platform::qt
