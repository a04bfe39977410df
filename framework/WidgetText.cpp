#include "WidgetText.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>

QString ElideText(QWidget* widget, const QString& text, int maxWidth) {
    if (!widget)
        return text;
    const QFontMetrics metrics(widget->font());
    if (metrics.horizontalAdvance(text) <= maxWidth)
        return text;
    widget->setToolTip(text);
    return metrics.elidedText(text, Qt::ElideRight, maxWidth);
}

void ElideButtonText(QAbstractButton* button) {
    if (button)
        button->setText(ElideText(button, button->text(), button->width()));
}

void ElideLabelText(QLabel* label) {
    if (label)
        label->setText(ElideText(label, label->text(), label->width()));
}
