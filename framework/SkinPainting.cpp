#include "SkinPainting.h"

#include "SkinManager.h"
#include "SkinTypes.h"

#include <QWidget>

int SkinStateKeyFor(QStyle::State state, bool enabled) {
    if (!enabled)
        return SKIN_DISABLE;
    if (state & (QStyle::State_Sunken | QStyle::State_On))
        return SKIN_DOWN;
    if (state & QStyle::State_MouseOver)
        return SKIN_ON;
    return SKIN_NORMAL;
}

QPixmap SkinStatePixmap(const QMap<int, QPixmap>& pixmaps, QStyle::State state, bool enabled) {
    return pixmaps.value(SkinStateKeyFor(state, enabled));
}

void LoadStatePixmaps(QMap<int, QPixmap>* pixmaps, const QString& name) {
    pixmaps->clear();
    SkinManager* skin = SkinManager::Instance();
    skin->GetStatePixmaps(pixmaps, name, skin->IsSpriteDoubleResolution());
}

void TrackHover(QWidget* button) {
    button->setMouseTracking(true);
    button->setAttribute(Qt::WA_Hover, true);
}
