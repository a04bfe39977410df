#include "DialogLook.h"

#include "framework/SkinManager.h"

#include <QPainter>
#include <QWidget>

void SetScaledSize(QWidget* widget, int width, int height) {
    widget->setFixedSize(UiScaled(width), UiScaled(height));
}

void PaintTopSeparator(QWidget* dialog) {
    QPainter painter(dialog);
    painter.setPen(QPen(Qt::gray, 1, Qt::SolidLine));
    painter.drawLine(0, 0, dialog->width(), 0);
}
