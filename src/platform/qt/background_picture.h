// The main window's persistent background picture: painted once by
// start-up through the pen, kept, and drawn under the scene on every paint.
#pragma once

#include <QImage>

#include "platform/scene.h"

namespace brontix::platform::qt {

class BackgroundPicture {
public:
    BackgroundPicture(int width, int height, Colour backColour);

    void setPenColour(Colour c) { penColour_ = c; }
    void setPenWidth(int pixels) { penWidth_ = pixels; }
    void drawLine(float x1, float y1, float x2, float y2);

    const QImage& image() const { return image_; }

private:
    QImage image_;
    Colour penColour_ = 0;
    int penWidth_ = 1;
};

}  // namespace brontix::platform::qt
