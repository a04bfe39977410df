#pragma once

#include "SkinTypes.h"

#include <QColor>
#include <QMap>
#include <QPixmap>
#include <QPushButton>

// The push button of every skinned window: paints one of its state pictures cut from the skin and
// its text in a colour chosen by the state; a text too long for a picture-beside-text button is
// elided and shown whole in the tooltip.
class CPushButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor normalcolor READ normalColor WRITE setNormalColor)
    Q_PROPERTY(QColor hovercolor READ hoverColor WRITE setHoverColor)
    Q_PROPERTY(QColor disablecolor READ disableColor WRITE setDisableColor)
    Q_PROPERTY(QColor selectcolor READ selectColor WRITE setSelectColor)

public:
    explicit CPushButton(QWidget* parent = nullptr);

    QColor normalColor() const { return m_normalColor; }
    void setNormalColor(const QColor& color) { m_normalColor = color; }
    QColor hoverColor() const { return m_hoverColor; }
    void setHoverColor(const QColor& color) { m_hoverColor = color; }
    QColor disableColor() const { return m_disableColor; }
    void setDisableColor(const QColor& color) { m_disableColor = color; }
    QColor selectColor() const { return m_selectColor; }
    void setSelectColor(const QColor& color) { m_selectColor = color; }

    const QMap<int, QPixmap>& statePixmaps() const { return m_pixmaps; }
    int buttonType() const { return m_buttonType; }
    Qt::Alignment textAlignment() const { return m_alignment; }
    int iconMargin() const { return m_iconMargin; }
    int textMargin() const { return m_textMargin; }
    void setBadge(const QPixmap* badge) { m_badge = badge; }

    // Where the picture and the text go for the current size and settings.
    QRect pictureRect(const QPixmap& picture) const;
    QRect textRect(const QPixmap& picture) const;

public slots:
    void changeIcon(const QString& name);
    void changeIcon();
    void setButtonType(int type);
    void setTextAlignment(Qt::Alignment alignment);
    void setIconMargin(int margin);
    void setTextMargin(int margin);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMap<int, QPixmap> m_pixmaps;
    Qt::Alignment m_alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    int m_iconMargin = 0;
    int m_textMargin = 0;
    QColor m_hoverColor;
    QColor m_disableColor;
    QColor m_selectColor;
    QColor m_normalColor;
    int m_buttonType = BUTTON_BACKGROUND;
    const QPixmap* m_badge = nullptr;
};
