#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QString>

// What the controller shows of the device the pages work on: its type, its system versions, the fix page's
// picture of a missing device, the recovery-mode button and the name of the device being fixed.
class DeviceDetectionView {
public:
    virtual ~DeviceDetectionView() = default;

    virtual void SetDeviceTypeText(const QString& text) = 0;
    virtual void ClearSystemVersions() = 0;
    virtual void AddSystemVersion(const QString& text) = 0;
    virtual int GetSystemVersionIndex() = 0;
    virtual void ShowFixStateUnconnected() = 0;
    virtual void ShowFixingDeviceName(MRDeviceRef device) = 0;
    // Refreshes the recovery-mode button from the home list's current device; the argument is unused.
    virtual void ShowRecoveryButtonState(int mode) = 0;
};
