#include "DeviceTrampolines.h"

#include "CallbackGate.h"
#include "MyModel.h"
#include "RestoreThread.h"

void DeviceNotifyTrampoline(MRDeviceRef device, MRDeviceNotifyType type, void* user) {
    CallbackGate::Pass pass(user);
    if (!pass)
        return;
    static_cast<MyModel*>(user)->EmitDeviceNotification(device, type, user);
}

void DatabaseUpgradeTrampoline(void* user) {
    CallbackGate::Pass pass(user);
    if (!pass)
        return;
    static_cast<MyModel*>(user)->EmitDatabaseUpgrade(user);
}

int RestoreCallbackTrampoline(MRRestoreCallbackData* data, void* user) {
    auto* thread = static_cast<RestoreThread*>(user);
    const void* owner = thread->GetUserPointer();
    CallbackGate::Pass pass(owner);
    if (!pass)
        return -1;
    const int answer = thread->EmitRestoreCallback(data);
    // A report dropped by a closing model was never handled: end the job rather than go on blind.
    return CallbackGate::IsOpen(owner) ? answer : -1;
}
