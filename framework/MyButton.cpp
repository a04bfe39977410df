#include "MyButton.h"

MyButton::MyButton(QWidget* parent) : CPushButton(parent) {}
