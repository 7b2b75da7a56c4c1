// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The client area: shows the session's frame, and reports pointer
// movements, clicks and typed characters in playfield pixels.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/qt/x11_window.h"
#include "render/pixels.h"
#include "render/scale.h"

namespace brontix::platform::qt {

class Playfield : public QWidget {
    Q_OBJECT

public:
    explicit Playfield(QWidget* parent = nullptr);
    ~Playfield() override;

    // The frame to show before the first answer: a session's, drawn at
    // scale().
    void setFrame(const render::PixelBuffer& frame);
    // Shows the rectangles of an answer's frame that were drawn again (in
    // its own pixels, which are the screen's); the frame is the one shown
    // from now on, whatever became of the one before.
    void show(const render::PixelBuffer& frame, std::span<const render::Rect> rects);
    const QImage& image() const { return image_; }

    // Whether the frame goes straight to the playfield's own X11 window.
    bool onScreen() const { return screen_ != nullptr; }
    // Device pixels a playfield pixel on the screen the window is on: the
    // scale the frames are to be drawn at, so that they are shown pixel
    // for pixel.
    const render::Scale& scale() const { return scale_; }

    QSize sizeHint() const override;
    QPaintEngine* paintEngine() const override;

signals:
    // The window went to a screen of another scale: the frame is to be drawn
    // at scale() and set again.
    void scaleChanged();
    void pointerMoved(float x, float y);
    // The pointer left the playfield: its last place on it, and where it is
    // now.
    void pointerLeft(QPointF from, QPointF to);
    void clicked();
    void characterTyped(int code);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Chooses the scale and the road to the screen for the screen the
    // window is on.
    void chooseRoad();
    // The device pixels of the frame that a rectangle of the widget covers.
    render::Rect toFrame(const QRect& r) const;

    const render::PixelBuffer* frame_ = nullptr;
    render::Scale scale_;
    QImage image_;  // the frame's pixels, as Qt sees them
    std::unique_ptr<X11Window> screen_;
    bool screenWatched_ = false;
    // The pointer's last place over the playfield, while it is there.
    std::optional<QPointF> inside_;
};

}  // namespace brontix::platform::qt
