#pragma once

#include <functional>

class CAbstractFrame;

// Checks for the device support software the program needs and, when it is missing, installs it in a
// modal progress dialog, before the main frame is shown. True only when a package was really
// installed, so that start-up asks the user to restart the program; false when nothing was missing,
// when the install failed and the user closed the dialog, or when the user closed it before the end.
// frameShown hears of the dialog's frame just before it is shown, and of null once it has closed.
bool InstallAppleDrivers(const std::function<void(CAbstractFrame*)>& frameShown = {});
