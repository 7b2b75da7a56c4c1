// &HBBGGRR colours as Qt colours.
#pragma once

#include <QColor>

#include "platform/scene.h"

namespace brontix::platform::qt {

inline QColor toQColor(Colour c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// The same colour as an opaque pixel of a 32-bit image.
inline QRgb toArgb(Colour c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

}  // namespace brontix::platform::qt
