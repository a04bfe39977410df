#include "CComBobox.h"

#include <QPainter>

CComBobox::CComBobox(QWidget* parent) : QComboBox(parent) {}

void CComBobox::setArrowPixmap(const QPixmap* arrow) {
    m_arrow = arrow;
}

void CComBobox::setTooltipOnlyWhenElided(bool on) {
    m_tooltipOnlyWhenElided = on;
}

void CComBobox::addItem(const QString& text, const QVariant& userData) {
    insertItem(count(), text, userData);
}

void CComBobox::addItem(const QIcon& icon, const QString& text, const QVariant& userData) {
    insertItem(count(), icon, text, userData);
}

void CComBobox::addItems(const QStringList& texts) {
    insertItems(count(), texts);
}

void CComBobox::insertItem(int index, const QString& text, const QVariant& userData) {
    insertItem(index, QIcon(), text, userData);
}

void CComBobox::insertItem(int index, const QIcon& icon, const QString& text, const QVariant& userData) {
    const int before = count();
    QComboBox::insertItem(index, icon, text, userData);
    if (count() > before)
        SetTooltips(qBound(0, index, before), 1);
}

void CComBobox::insertItems(int index, const QStringList& texts) {
    const int before = count();
    QComboBox::insertItems(index, texts);
    SetTooltips(qBound(0, index, before), count() - before);
}

void CComBobox::SetTooltips(int first, int count) {
    for (int i = first; i < first + count; ++i)
        setItemData(i, itemText(i), Qt::ToolTipRole);
}

void CComBobox::setItemData(int index, const QVariant& value, int role) {
    if (role == Qt::ToolTipRole && m_tooltipOnlyWhenElided &&
        fontMetrics().horizontalAdvance(value.toString()) <= width())
        return;
    QComboBox::setItemData(index, value, role);
}

void CComBobox::paintEvent(QPaintEvent* event) {
    QComboBox::paintEvent(event);
    if (!m_arrow || m_arrow->isNull())
        return;
    QPainter painter(this);
    const QRect r = rect();
    painter.drawPixmap(QRect(r.left() + r.width() - 35, r.top() + (r.height() - 9) / 3, 11, 14), *m_arrow);
}
