#pragma once

#include <QPushButton>

// A plain push button that accepts the skinned button's slots and ignores them, for forms that
// may be given either kind of button.
class PushButton : public QPushButton {
    Q_OBJECT

public:
    explicit PushButton(QWidget* parent = nullptr);

public slots:
    void changeIcon(const QString& name);
    void changeIcon();
    void setButtonType(int type);
    void setButtonType();
    void setTextAlignment(Qt::Alignment alignment);
    void setTextAlignment();
    void setIconMargin(int margin);
    void setIconMargin();
    void setTextMargin(int margin);
    void setTextMargin();
};
