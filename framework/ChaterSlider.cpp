#include "ChaterSlider.h"

#include <QPainter>
#include <QResizeEvent>

ChaterSlider::ChaterSlider(QWidget* parent) : QSlider(parent) {}

ChaterSlider::ChaterSlider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {}

QRect ChaterSlider::MarkRect(int position, int width) const {
    // A slider whose maximum is 0 has no length to place marks along; they all sit at its start.
    const double fraction = maximum() != 0 ? double(position) / maximum() : 0.0;
    return QRect(int(fraction * width - 4.0), 0, 8, 18);
}

void ChaterSlider::addMark(int position) {
    m_marks.append(Mark{position, MarkRect(position, width())});
    update();
}

void ChaterSlider::removeMark(int position) {
    for (int i = m_marks.size() - 1; i >= 0; --i) {
        if (m_marks.at(i).position == position)
            m_marks.removeAt(i);
    }
    update();
}

void ChaterSlider::clearMarks() {
    m_marks.clear();
    update();
}

void ChaterSlider::setMarkPixmap(const QPixmap& pixmap) {
    m_markPixmap = pixmap;
}

void ChaterSlider::resizeEvent(QResizeEvent* event) {
    for (Mark& mark : m_marks)
        mark.rect = MarkRect(mark.position, event->size().width());
    update();
    QSlider::resizeEvent(event);
}

void ChaterSlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    if (m_markPixmap.isNull())
        return;
    QPainter painter(this);
    for (const Mark& mark : qAsConst(m_marks))
        painter.drawPixmap(mark.rect, m_markPixmap);
}
