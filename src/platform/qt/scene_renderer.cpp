#include "platform/qt/scene_renderer.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "platform/qt/colours.h"

namespace brontix::platform::qt {

namespace {

// Scene geometry is float and unbounded (a paddle can be steered far off
// screen); pixels are whole and must stay in range for the painter.
int toPixel(float v) {
    constexpr float kLimit = 1e6f;
    if (!(v > -kLimit)) return static_cast<int>(-kLimit);
    if (v > kLimit) return static_cast<int>(kLimit);
    return static_cast<int>(std::nearbyint(v));
}

void drawShape(QPainter& p, const Shape& s) {
    const int x = toPixel(s.Left);
    const int y = toPixel(s.Top);
    const int w = toPixel(s.Width);
    const int h = toPixel(s.Height);
    if (w <= 0 || h <= 0) return;
    p.setPen(QPen(toQColor(s.BorderColor), 1));
    p.setBrush(toQColor(s.BackColor));
    // An aliased 1-pixel outline of a w-1 by h-1 figure covers exactly the
    // w by h pixels of the bounding box.
    switch (s.Form) {
    case ShapeForm::Rectangle:
        p.drawRect(x, y, w - 1, h - 1);
        break;
    case ShapeForm::Oval:
        p.drawEllipse(x, y, w - 1, h - 1);
        break;
    case ShapeForm::Circle: {
        const int d = std::min(w, h);
        p.drawEllipse(x + (w - d) / 2, y + (h - d) / 2, d - 1, d - 1);
        break;
    }
    case ShapeForm::RoundedRectangle: {
        const qreal r = std::min(w, h) / 4.0;
        p.drawRoundedRect(QRectF(x, y, w - 1, h - 1), r, r);
        break;
    }
    }
}

void drawLine(QPainter& p, const Line& l) {
    p.setPen(QPen(toQColor(l.BorderColor), std::max(1, l.BorderWidth), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(toPixel(l.X1), toPixel(l.Y1), toPixel(l.X2), toPixel(l.Y2));
}

}  // namespace

void SceneRenderer::render(QImage& frame, const QImage& background, const Scene& scene) {
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawImage(0, 0, background);
    scene.visibleBackToFront(items_, static_cast<float>(frame.width()),
                             static_cast<float>(frame.height()));
    for (const Scene::Item& item : items_) {
        if (item.shape)
            drawShape(p, *item.shape);
        else
            drawLine(p, *item.line);
    }
}

}  // namespace brontix::platform::qt
