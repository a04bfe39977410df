#include "ChildFrame.h"

#include "FrameShadow.h"
#include "SkinManager.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPainter>
#include <QScreen>

ChildFrame::ChildFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CCommonFrame(inner, parent, types, titleIcon, titleLayout) {
    if (ScreenComposites()) {
        setAttribute(Qt::WA_TranslucentBackground);
        setFixedWidth(UiScaled(488.0));
        return;
    }
    // Without a compositor there is no shadow, and the room it would take goes with it; the frame's
    // own edge stays around the dialog, which keeps its size.
    const int dropped = kFrameShadowWidth - layout()->contentsMargins().left();
    setFixedWidth(UiScaled(488.0) - 2 * dropped);
    resize(width(), height() - 2 * dropped);
}

ChildFrame::~ChildFrame() = default;

void ChildFrame::UpdateShadowMargins() {
    if (!ScreenComposites())
        return;
    const int margin = FillsWorkArea(QGuiApplication::primaryScreen()) ? 0 : kFrameShadowWidth;
    setContentsMargins(margin, margin, margin, margin);
}

void ChildFrame::paintEvent(QPaintEvent*) {
    if (!ScreenComposites()) {
        QPainter painter(this);
        PaintFlatFrame(painter, size(), LightShadowColour());
        return;
    }
    if (FillsWorkArea(QGuiApplication::primaryScreen()))
        return;
    QPainter painter(this);
    PaintFrameShadow(painter, size(), LightShadowColour());
}
