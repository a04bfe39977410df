#include "RestoreThread.h"

#include "DeviceLibrary.h"
#include "DeviceTrampolines.h"

RestoreThread::RestoreThread(MRDeviceRef device, void* user, QObject* parent)
    : QThread(parent), m_device(device), m_user(user) {}

RestoreThread::~RestoreThread() = default;

void RestoreThread::SetModel(MyModel* model) {
    m_model = model;
}

void RestoreThread::SetRun(MRDeviceRef device, int optionWord) {
    Q_ASSERT(!isRunning());
    m_device = device;
    m_optionWord = optionWord;
}

int RestoreThread::EmitRestoreCallback(MRRestoreCallbackData* data) {
    return emit OnRestoreCallback(data, m_user);
}

void RestoreThread::run() {
    // A device that could not be found again is never handed to the library.
    if (m_device == 0) {
        m_result = MRErrorNoDevice;
        return;
    }
    m_result = DeviceLibrary::api().MRRestore(m_device, m_optionWord, RestoreCallbackTrampoline, this);
}
