#pragma once

#include <QComboBox>

// A combo box that draws an arrow picture of its own and gives an item a tooltip only when its text
// does not fit the box.
class CComBobox : public QComboBox {
    Q_OBJECT

public:
    explicit CComBobox(QWidget* parent = nullptr);

    void setArrowPixmap(const QPixmap* arrow);
    void setTooltipOnlyWhenElided(bool on);

    void addItem(const QString& text, const QVariant& userData = QVariant());
    void addItem(const QIcon& icon, const QString& text, const QVariant& userData = QVariant());
    void addItems(const QStringList& texts);
    void insertItem(int index, const QString& text, const QVariant& userData = QVariant());
    void insertItem(int index, const QIcon& icon, const QString& text, const QVariant& userData = QVariant());
    void insertItems(int index, const QStringList& texts);
    void setItemData(int index, const QVariant& value, int role = Qt::UserRole);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void SetTooltips(int first, int count);

    bool m_tooltipOnlyWhenElided = true;
    const QPixmap* m_arrow = nullptr;
};
