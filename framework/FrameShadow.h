#pragma once

#include <QColor>

class QPainter;
class QSize;

// The soft shadow of the main and child frames: a white face inset by 10 pixels, ringed by ten
// outlines that fade from the face outwards.
void PaintFrameShadow(QPainter& painter, const QSize& size, const QColor& colour);

// Alpha of the i-th outline counted from the face (0 to 9).
int FrameShadowAlpha(int ring);

// The outline colour of the dialogs' lighter shadow.
inline QColor LightShadowColour() {
    return QColor(68, 68, 68);
}

// Room the shadow's outlines take around the face, on each side.
constexpr int kFrameShadowWidth = 10;

// Where nothing shows through a window (no compositor), a soft shadow would read as a black band: the
// frame is drawn flat instead, its face filling it and its edge a line of the colour the innermost
// outline has over the face.
void PaintFlatFrame(QPainter& painter, const QSize& size, const QColor& colour);
