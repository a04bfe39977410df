#include "ChildFrame.h"

#include "FrameShadow.h"
#include "SkinManager.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

ChildFrame::ChildFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CCommonFrame(inner, parent, types, titleIcon, titleLayout) {
    setFixedWidth(UiScaled(488.0));
}

ChildFrame::~ChildFrame() = default;

void ChildFrame::paintEvent(QPaintEvent*) {
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary && frameGeometry() == primary->availableGeometry()) {
        setContentsMargins(0, 0, 0, 0);
        return;
    }
    setContentsMargins(10, 10, 10, 10);
    QPainter painter(this);
    PaintFrameShadow(painter, size(), QColor(68, 68, 68));
}
