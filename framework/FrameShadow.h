#pragma once

#include <QColor>

class QPainter;
class QSize;

// The soft shadow of the main and child frames: a white face inset by 10 pixels, ringed by ten
// outlines that fade from the face outwards.
void PaintFrameShadow(QPainter& painter, const QSize& size, const QColor& colour);

// Alpha of the i-th outline counted from the face (0 to 9).
int FrameShadowAlpha(int ring);
