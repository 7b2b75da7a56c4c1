#include "platform/qt/background_picture.h"

#include <QPainter>
#include <QPen>

#include "platform/qt/colours.h"

namespace brontix::platform::qt {

BackgroundPicture::BackgroundPicture(int width, int height, Colour backColour)
    : image_(width, height, QImage::Format_RGB32) {
    image_.fill(toQColor(backColour));
}

void BackgroundPicture::drawLine(float x1, float y1, float x2, float y2) {
    QPainter p(&image_);
    // Thick pen marks get round ends, so each overlaps the one before.
    p.setPen(QPen(toQColor(penColour_), penWidth_, Qt::SolidLine,
                  penWidth_ > 1 ? Qt::RoundCap : Qt::FlatCap));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

}  // namespace brontix::platform::qt
