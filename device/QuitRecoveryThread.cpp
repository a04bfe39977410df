#include "QuitRecoveryThread.h"

#include "DeviceLibrary.h"

QuitRecoveryThread::QuitRecoveryThread(QObject* parent, MRDeviceRef device) : ChangeStateThreadBase(parent, device) {}

void QuitRecoveryThread::run() {
    m_result = DeviceLibrary::api().MRQuitRecovery(m_device, 1);
}
