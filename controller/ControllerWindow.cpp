#include "ControllerWindow.h"

ControllerWindow::~ControllerWindow() = default;
