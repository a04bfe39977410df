#pragma once

#include <QMap>
#include <QPixmap>
#include <QString>
#include <QStyle>

class QWidget;

// The state picture a skinned button shows: pressed or on, then hover, then normal; a disabled
// button always shows its disabled picture. A missing picture is a null pixmap.
int SkinStateKeyFor(QStyle::State state, bool enabled);

QPixmap SkinStatePixmap(const QMap<int, QPixmap>& pixmaps, QStyle::State state, bool enabled);

// Replaces a button's state pictures by those of the named image of the current skin page. The whole
// set is replaced: a state the new image lacks must not keep the old image's picture.
void LoadStatePixmaps(QMap<int, QPixmap>* pixmaps, const QString& name);

// Turns on the hover tracking a skinned button needs for its "On" picture: a tracking button only
// reports hover when hover events are on, and not every style turns them on.
void TrackHover(QWidget* button);
