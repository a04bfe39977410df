#include "MyToolButton.h"

#include "SkinPainting.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

MyToolButton::MyToolButton(QWidget* parent) : QToolButton(parent) {
    TrackHover(this);
}

void MyToolButton::changeIcon(const QString& name) {
    LoadStatePixmaps(&m_pixmaps, name.isEmpty() ? objectName() : name);
}

void MyToolButton::changeIcon() {
    changeIcon(QString());
}

void MyToolButton::setToolButtonStyle(Qt::ToolButtonStyle style) {
    QToolButton::setToolButtonStyle(style);
    m_toolButtonStyle = style;
}

void MyToolButton::SetLimitPixmap(const QPixmap* pixmap) {
    m_limit = pixmap;
}

void MyToolButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const QPixmap picture = SkinStatePixmap(m_pixmaps, option.state, isEnabled());
    if (!picture.isNull()) {
        // Every icon mode gets the skin's own picture; the style must not grey or tint it.
        QIcon icon;
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected})
            icon.addPixmap(picture, mode);
        option.icon = icon;
        option.iconSize = picture.size();
    }
    if (option.fontMetrics.horizontalAdvance(option.text) > width()) {
        setToolTip(option.text);
        option.text = option.fontMetrics.elidedText(option.text, Qt::ElideRight, width());
    } else {
        setToolTip(QString());
    }
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    if (m_limit && !m_limit->isNull()) {
        const QRect r = rect();
        painter.drawPixmap(QRect(r.left() + r.width() - 50, r.top(), 19, 22), *m_limit);
    }
}
