#pragma once

#include "CPushButton.h"

// The skinned push button the windows create.
class MyButton : public CPushButton {
    Q_OBJECT

public:
    explicit MyButton(QWidget* parent = nullptr);
};
