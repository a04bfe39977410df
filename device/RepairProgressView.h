#pragma once

#include "WindowStates.h"
#include "deviceapi/zUZArovadu.h"

// The fix page while a repair is prepared and runs: the ready-to-fix page, the device being fixed and the
// progress of each step. All calls are made on the GUI thread.
class RepairProgressView {
public:
    virtual ~RepairProgressView() = default;

    virtual void ShowReadyToFix() = 0;
    virtual void ShowFixingDeviceName(MRDeviceRef device) = 0;
    virtual void ShowRepairProgress(RepairStep step, float value) = 0;
};
