// The client area: shows the frame the renderer draws, and reports pointer
// movements, clicks and typed characters in playfield pixels.
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/qt/x11_blit.h"
#include "render/background_picture.h"
#include "render/scene_renderer.h"

namespace brontix::platform::qt {

class Playfield : public QWidget {
    Q_OBJECT

public:
    Playfield(Colour backColour, QWidget* parent = nullptr);

    void setScene(Scene* scene);
    render::BackgroundPicture& picture() { return picture_; }

    // Draws what changed in the scene and repaints only that on screen:
    // at once after ticks, once per event-loop pass after input (a burst of
    // pointer moves repaints once). Returns whether anything changed.
    bool refresh(bool paintNow = false);
    // The whole frame, drawn anew, at the playfield's own size.
    const QImage& renderFrame();

    QSize sizeHint() const override { return {kPlayfieldWidth, kPlayfieldHeight}; }

signals:
    void pointerMoved(float x, float y);
    void clicked();
    void characterTyped(int code);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Scene* scene_ = nullptr;
    render::BackgroundPicture picture_;
    render::SceneRenderer renderer_;
    render::PixelBuffer frame_;  // what the window shows
    QImage image_;               // the same pixels, as Qt sees them
    X11Blit blit_;
    bool screenWatched_ = false;
};

}  // namespace brontix::platform::qt
