// The client area: draws the background picture and the scene, and reports
// pointer movements, clicks and typed characters in playfield pixels.
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/qt/background_picture.h"
#include "platform/qt/scene_renderer.h"

namespace brontix::platform::qt {

class Playfield : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 530;

    Playfield(Colour backColour, QWidget* parent = nullptr);

    void setScene(const Scene* scene);
    BackgroundPicture& picture() { return picture_; }

    // Draws the scene as it stands now and repaints what changed on screen.
    void refresh();
    // The frame as drawn at the playfield's own size, drawn anew.
    const QImage& renderFrame();

    QSize sizeHint() const override { return {kWidth, kHeight}; }

signals:
    void pointerMoved(float x, float y);
    void clicked();
    void characterTyped(int code);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const Scene* scene_ = nullptr;
    BackgroundPicture picture_;
    SceneRenderer renderer_;
    QImage frame_;  // what the window shows
};

}  // namespace brontix::platform::qt
