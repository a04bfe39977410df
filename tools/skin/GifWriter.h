#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Writes an endlessly looping animated GIF. Qt reads GIFs but cannot write them, and the skin's
// animations are simple flat drawings, so a small encoder with one shared palette is enough.
bool WriteAnimatedGif(const QString& path, const QList<QImage>& frames, int delayCentiseconds);
