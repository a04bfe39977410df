#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QString>

// The home page's connection display as the device model drives it when devices come, go and change mode.
// All calls are made on the GUI thread.
class ConnectionView {
public:
    virtual ~ConnectionView() = default;

    virtual void ShowConnectionStateAlt(bool connected) = 0;
    // The home list's entry at index changed; device is that list's current device, 0 when none.
    virtual void ShowConnectionState(int index, MRDeviceRef device) = 0;
    virtual void OnDeviceConnectionChanged(bool connected, const QString& name, const QString& entryText,
                                           const QString& infoText) = 0;
    virtual void ShowConnectingAnimation() = 0;
    // Refreshes the recovery-mode button from the home list's current device; the argument is unused.
    virtual void ShowRecoveryButtonState(int mode) = 0;
};
