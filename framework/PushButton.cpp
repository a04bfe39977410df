#include "PushButton.h"

PushButton::PushButton(QWidget* parent) : QPushButton(parent) {}

void PushButton::changeIcon(const QString&) {}
void PushButton::changeIcon() {}
void PushButton::setButtonType(int) {}
void PushButton::setButtonType() {}
void PushButton::setTextAlignment(Qt::Alignment) {}
void PushButton::setTextAlignment() {}
void PushButton::setIconMargin(int) {}
void PushButton::setIconMargin() {}
void PushButton::setTextMargin(int) {}
void PushButton::setTextMargin() {}
