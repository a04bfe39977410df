#pragma once

#include <QComboBox>

// A combo box whose drop-down list is as wide as its longest item needs.
class ComboBoxEx : public QComboBox {
    Q_OBJECT

public:
    explicit ComboBoxEx(QWidget* parent = nullptr);

    // Fixes the list's width from the longest item text; returns the width set, 0 when there is none.
    int fitListWidth();
};
