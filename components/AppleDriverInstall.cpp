#include "AppleDriverInstall.h"

bool InstallAppleDrivers() {
    // The device library this build ships talks to the devices without any support software of
    // the device maker, so there is never anything to install.
    return false;
}
