#pragma once

// Checks for the device support software the program needs and installs what is missing, with a
// modal progress dialog, before the main frame is shown. True when something was installed, so
// that start-up asks the user to restart the program.
bool InstallAppleDrivers();
