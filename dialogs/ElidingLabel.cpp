#include "ElidingLabel.h"

#include <QPainter>
#include <QStyle>

QSize ElidingLabel::minimumSizeHint() const {
    return QSize(0, QLabel::minimumSizeHint().height());
}

bool ElidingLabel::IsElided() const {
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

void ElidingLabel::paintEvent(QPaintEvent* event) {
    // The text may have changed since the last resize.
    UpdateToolTip();
    if (!IsElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), fontMetrics().elidedText(text(), Qt::ElideRight, area.width()),
                          foregroundRole());
}

void ElidingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

// A tooltip is read as rich text when it looks like it; escaped, the label's text is shown as it is.
void ElidingLabel::UpdateToolTip() {
    const QString tip = IsElided() ? QStringLiteral("<p>%1</p>").arg(text().toHtmlEscaped()) : QString();
    if (tip != toolTip())
        setToolTip(tip);
}
