#pragma once

#include "deviceapi/zUZArovadu.h"

// The plain functions handed to the device library. Each runs on a library thread and passes the event
// on to the GUI thread, unless the receiver has shut its gate (CallbackGate).

// user: the MyModel.
void DeviceNotifyTrampoline(MRDeviceRef device, MRDeviceNotifyType type, void* user);
void DatabaseUpgradeTrampoline(void* user);

// user: the RestoreThread. Answers what the model's handler answered, or -1 once the model is closing,
// which ends the library's job.
int RestoreCallbackTrampoline(MRRestoreCallbackData* data, void* user);
