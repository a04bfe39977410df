#include "FrameShadow.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

int FrameShadowAlpha(int ring) {
    return static_cast<int>(150 - qSqrt(ring) * 50);
}

void PaintFrameShadow(QPainter& painter, const QSize& size, const QColor& colour) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath face;
    face.setFillRule(Qt::WindingFill);
    face.addRect(10, 10, size.width() - 20, size.height() - 20);
    painter.fillPath(face, QBrush(Qt::white));
    QColor outline = colour;
    for (int i = 0; i < 10; ++i) {
        QPainterPath ring;
        ring.setFillRule(Qt::WindingFill);
        ring.addRect(10 - i, 10 - i, size.width() - (10 - i) * 2, size.height() - (10 - i) * 2);
        outline.setAlpha(FrameShadowAlpha(i));
        painter.setPen(outline);
        painter.drawPath(ring);
    }
}
