#include "CPushButton.h"

#include "SkinManager.h"
#include "SkinPainting.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
}

CPushButton::CPushButton(QWidget* parent) : QPushButton(parent) {
    m_iconMargin = UiScaled(15.0);
    m_textMargin = UiScaled(15.0);
    TrackHover(this);
}

void CPushButton::changeIcon(const QString& name) {
    LoadStatePixmaps(&m_pixmaps, name.isEmpty() ? objectName() : name);
}

void CPushButton::changeIcon() {
    changeIcon(QString());
}

void CPushButton::setButtonType(int type) {
    m_buttonType = type;
    if (type == BUTTON_ICON_TEXT)
        m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
}

void CPushButton::setTextAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
}

void CPushButton::setIconMargin(int margin) {
    m_iconMargin = margin;
}

void CPushButton::setTextMargin(int margin) {
    m_textMargin = margin;
}

QRect CPushButton::pictureRect(const QPixmap& picture) const {
    if (m_buttonType != BUTTON_ICON_TEXT)
        return rect();
    return QRect(0, 0, m_iconMargin + m_textMargin + picture.width(), height());
}

QRect CPushButton::textRect(const QPixmap& picture) const {
    const int w = width();
    const int h = height();
    const int pw = picture.width();
    if (m_buttonType == BUTTON_ICON_TEXT) {
        if (m_alignment != kCentred)
            return QRect(m_iconMargin + m_textMargin + pw, 0, w - m_iconMargin - m_textMargin - pw, h);
        return QRect(m_iconMargin + pw, 0, w - m_iconMargin - pw, h);
    }
    if (m_alignment == kCentred)
        return rect();
    return QRect(m_iconMargin, 0, w - m_iconMargin, h);
}

void CPushButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QString text = option.text;
    option.text.clear();
    if (m_pixmaps.isEmpty()) {
        // Without skin pictures the platform look keeps the button recognisable.
        option.icon = QIcon();
        painter.drawControl(QStyle::CE_PushButton, option);
    }
    QPalette palette = option.palette;

    m_normalColor = palette.color(QPalette::WindowText);
    if (!m_selectColor.isValid())
        m_selectColor = palette.color(QPalette::WindowText);
    if (!m_hoverColor.isValid())
        m_hoverColor = palette.color(QPalette::WindowText);
    if (!m_disableColor.isValid())
        m_disableColor = palette.color(QPalette::Disabled, QPalette::WindowText);

    QColor color = m_normalColor;
    if (option.state & (QStyle::State_Sunken | QStyle::State_On))
        color = m_selectColor;
    else if (option.state & QStyle::State_MouseOver)
        color = m_hoverColor;
    if (!isEnabled())
        color = m_disableColor;
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, color);

    QPixmap picture = SkinStatePixmap(m_pixmaps, option.state, isEnabled());
    if (!picture.isNull() && (width() < picture.width() || height() < picture.height()))
        picture = picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);

    const QRect pictureArea = pictureRect(picture);
    const QRect textArea = textRect(picture);
    if (m_buttonType == BUTTON_ICON_TEXT) {
        const QFontMetrics metrics(option.fontMetrics);
        if (metrics.horizontalAdvance(text) > textArea.width()) {
            setToolTip(text);
            text = metrics.elidedText(text, Qt::ElideRight, textArea.width());
        } else {
            setToolTip(QString());
        }
    }

    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!picture.isNull())
        style()->drawItemPixmap(&painter, pictureArea, kCentred, picture);
    style()->drawItemText(&painter, textArea, int(m_alignment), palette, isEnabled(), text, QPalette::WindowText);
    if (m_badge && !m_badge->isNull())
        painter.drawPixmap(QRect(textArea.left() - m_textMargin, textArea.bottom() - 20, 11, 14), *m_badge);
}
