#include "DialogLook.h"

#include "framework/SkinManager.h"

#include <QPainter>
#include <QWidget>

void SetScaledFixedSize(QWidget* widget, int width, int height) {
    widget->setFixedSize(UiScaled(width), UiScaled(height));
}

void PaintTopLine(QWidget* dialog) {
    QPainter painter(dialog);
    painter.setPen(QPen(Qt::gray, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(0, 0, dialog->width(), 0);
}

bool IsWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}
