#include "EnterRecoveryThread.h"

#include "DeviceLibrary.h"

EnterRecoveryThread::EnterRecoveryThread(QObject* parent, MRDeviceRef device) : ChangeStateThreadBase(parent, device) {}

void EnterRecoveryThread::run() {
    m_result = DeviceLibrary::api().MREnterRecovery(m_device, 1);
}
