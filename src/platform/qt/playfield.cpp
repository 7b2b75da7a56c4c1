#include "platform/qt/playfield.h"

#include <QKeyEvent>
#include <algorithm>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>

namespace brontix::platform::qt {

Playfield::Playfield(Colour backColour, QWidget* parent)
    : QWidget(parent),
      picture_(kPlayfieldWidth, kPlayfieldHeight, backColour),
      frame_(kPlayfieldWidth, kPlayfieldHeight),
      // The renderer's pixels are Qt's RGB32 pixels: the window shows the
      // frame without a copy.
      image_(reinterpret_cast<const uchar*>(frame_.data()), kPlayfieldWidth, kPlayfieldHeight,
             kPlayfieldWidth * 4, QImage::Format_RGB32) {
    setFixedSize(kPlayfieldWidth, kPlayfieldHeight);
    setMouseTracking(true);  // moves with no button held steer the paddle
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Playfield::setScene(Scene* scene) {
    scene_ = scene;
    renderFrame();
}

bool Playfield::refresh(bool paintNow) {
    if (!scene_) return false;
    // A tick that changed nothing visible costs no drawing and no repaint;
    // one that moved a ball costs a few small rectangles.
    const auto& rects = renderer_.renderChanges(frame_, picture_.pixels(), *scene_);
    if (rects.empty()) return false;
    const bool small = std::all_of(rects.begin(), rects.end(), [](const render::Rect& r) {
        return r.w * r.h <= X11Blit::kMaxPixels;
    });
    if (paintNow && small && blit_.usable() && isVisible()) {
        blit_.put(frame_, rects);
        return true;
    }
    QRegion dirty;
    for (const render::Rect& r : rects) dirty += QRect(r.x, r.y, r.w, r.h);
    if (paintNow)
        repaint(dirty);
    else
        update(dirty);
    return true;
}

const QImage& Playfield::renderFrame() {
    if (scene_)
        renderer_.render(frame_, picture_.pixels(), *scene_);
    else
        std::copy(picture_.pixels().data(),
                  picture_.pixels().data() + kPlayfieldWidth * kPlayfieldHeight, frame_.data());
    update();
    return image_;
}

void Playfield::showEvent(QShowEvent*) {
    // The scale of the screen it shows on decides whether frames may go
    // straight to the window; asked once here and on every change of screen.
    if (!screenWatched_ && window()->windowHandle()) {
        connect(window()->windowHandle(), &QWindow::screenChanged, this,
                [this] { blit_.attach(*this); });
        screenWatched_ = true;
    }
    blit_.attach(*this);
}

void Playfield::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // At a device pixel ratio above 1 the frame is scaled as a whole, by
    // pixel repetition: no blur and no blended colours at the edges.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& r : event->region()) p.drawImage(r, image_, r);
}

void Playfield::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit pointerMoved(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
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
