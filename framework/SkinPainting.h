#pragma once

#include <QMap>
#include <QPixmap>
#include <QStyle>

// The state picture a skinned button shows: pressed or on, then hover, then normal; a disabled
// button always shows its disabled picture. A missing picture is a null pixmap.
int SkinStateKeyFor(QStyle::State state, bool enabled);

QPixmap SkinStatePixmap(const QMap<int, QPixmap>& pixmaps, QStyle::State state, bool enabled);
