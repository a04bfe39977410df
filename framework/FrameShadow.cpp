#include "FrameShadow.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

int FrameShadowAlpha(int ring) {
    return static_cast<int>(150 - qSqrt(ring) * 50);
}

namespace {
const QColor kFaceColour = Qt::white;

int Blend(int over, int under, int alpha) {
    return (over * alpha + under * (255 - alpha) + 127) / 255;
}
} // namespace

void PaintFrameShadow(QPainter& painter, const QSize& size, const QColor& colour) {
    constexpr int w = kFrameShadowWidth;
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath face;
    face.setFillRule(Qt::WindingFill);
    face.addRect(w, w, size.width() - 2 * w, size.height() - 2 * w);
    painter.fillPath(face, QBrush(kFaceColour));
    QColor outline = colour;
    for (int i = 0; i < w; ++i) {
        QPainterPath ring;
        ring.setFillRule(Qt::WindingFill);
        ring.addRect(w - i, w - i, size.width() - (w - i) * 2, size.height() - (w - i) * 2);
        outline.setAlpha(FrameShadowAlpha(i));
        painter.setPen(outline);
        painter.drawPath(ring);
    }
}

void PaintFlatFrame(QPainter& painter, const QSize& size, const QColor& colour) {
    const int alpha = FrameShadowAlpha(0);
    const QColor edge(Blend(colour.red(), kFaceColour.red(), alpha), Blend(colour.green(), kFaceColour.green(), alpha),
                      Blend(colour.blue(), kFaceColour.blue(), alpha));
    const QRect whole(QPoint(0, 0), size);
    painter.fillRect(whole, kFaceColour);
    painter.setPen(edge);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(whole.adjusted(0, 0, -1, -1));
}
