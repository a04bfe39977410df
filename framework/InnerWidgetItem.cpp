#include "InnerWidgetItem.h"

InnerWidgetItem::InnerWidgetItem(QWidget* widget) : QWidgetItem(widget) {}

QSize InnerWidgetItem::maximumSize() const {
    return isEmpty() ? QSize(0, 0) : QSize(QLAYOUTSIZE_MAX, QLAYOUTSIZE_MAX);
}

Qt::Orientations InnerWidgetItem::expandingDirections() const {
    return isEmpty() ? Qt::Orientations() : Qt::Horizontal | Qt::Vertical;
}

void InnerWidgetItem::setGeometry(const QRect& rect) {
    const QSize size = rect.size().boundedTo(QWidgetItem::maximumSize()).expandedTo(minimumSize());
    const QPoint offset(qMax(0, (rect.width() - size.width()) / 2), qMax(0, (rect.height() - size.height()) / 2));
    QWidgetItem::setGeometry(QRect(rect.topLeft() + offset, size));
}
