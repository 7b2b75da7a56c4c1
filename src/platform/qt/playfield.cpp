#include "platform/qt/playfield.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace brontix::platform::qt {

Playfield::Playfield(Colour backColour, QWidget* parent)
    : QWidget(parent),
      picture_(kWidth, kHeight, backColour),
      frame_(kWidth, kHeight, QImage::Format_RGB32) {
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);  // moves with no button held steer the paddle
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Playfield::setScene(const Scene* scene) {
    scene_ = scene;
    renderFrame();
}

void Playfield::refresh() {
    if (!scene_) return;
    // Only what changed is drawn and sent to the screen, so a tick that
    // moves one ball costs a few small rectangles.
    const QRegion dirty = renderer_.renderChanges(frame_, picture_.image(), *scene_);
    if (!dirty.isEmpty()) update(dirty);
}

const QImage& Playfield::renderFrame() {
    if (scene_)
        renderer_.render(frame_, picture_.image(), *scene_);
    else
        frame_ = picture_.image().copy();
    update();
    return frame_;
}

void Playfield::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // At a device pixel ratio above 1 the frame is scaled as a whole, by
    // pixel repetition: no blur and no blended colours at the edges.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& r : event->region()) p.drawImage(r, frame_, r);
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
