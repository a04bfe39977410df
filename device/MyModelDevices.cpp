// The device model's side of the device notifications: the two device lists of the main window.
#include "MyModel.h"

#include "CallbackGate.h"
#include "DeviceFormat.h"
#include "DeviceLibrary.h"
#include "ModelController.h"
#include "ModelWindow.h"

MRDeviceRef MyModel::DeviceOf(const QVariant& data) {
    return static_cast<MRDeviceRef>(data.toLongLong());
}

QVariant MyModel::DataOf(MRDeviceRef device) {
    return QVariant(qlonglong(device));
}

QString MyModel::EntryText(MRDeviceRef device) const {
    const DeviceLibrary::Functions& api = DeviceLibrary::api();
    return DeviceEntryText(QString::fromUtf8(api.MRGetDeviceName(device)), api.MRGetDeviceMode(device));
}

MRDeviceRef MyModel::CurrentDevice() {
    const int index = m_controller ? m_controller->GetModelIndex() : -1;
    if (index < 0) {
        m_devicePresent = 0;
        return 0;
    }
    m_devicePresent = 1;
    return DeviceOf(m_controller->GetModelData(index));
}

MRDeviceRef MyModel::GetTypeBoxDevice() {
    const int index = m_controller ? m_controller->GetDeviceIndex() : -1;
    if (index < 0) {
        m_devicePresent = 0;
        return 0;
    }
    m_devicePresent = 1;
    return DeviceOf(m_controller->GetDeviceData(index));
}

void MyModel::DoDeviceNotification(MRDeviceRef device, MRDeviceNotifyType type, void*) {
    if (!m_controller || !CallbackGate::IsOpen(this))
        return;
    switch (type) {
    case MRDeviceArrival:
        HandleArrival(device);
        break;
    case MRDeviceDeparture:
        HandleDeparture(device);
        break;
    case MRDeviceChange:
        if (m_acceptChange)
            HandleChange(device);
        break;
    default:
        break;
    }
}

void MyModel::HandleArrival(MRDeviceRef device) {
    const DeviceLibrary::Functions& api = DeviceLibrary::api();
    const int mode = api.MRGetDeviceMode(device);
    const QString text = EntryText(device);
    const QString info = QString::fromUtf8(api.MRGetDeviceInfo(device));
    m_devicePresent = 1;
    if (m_window && mode <= MRModeDFU)
        m_window->ShowRecoveryButtonState(mode);
    m_controller->ShowConnectionStateAlt(true);
    m_controller->OnDeviceConnectionChanged(true, QString(), text, info);
    m_controller->AddModelEntry(text, DataOf(device));
    m_controller->AddDeviceEntry(text, DataOf(device), device);
}

// The selection follows the device, not the list position: when an entry before the current one goes,
// the same device stays current instead of its neighbour taking its place unnoticed.
void MyModel::HandleDeparture(MRDeviceRef device) {
    const int modelIndex = m_controller->GetModelIndex();
    const MRDeviceRef modelCurrent = modelIndex >= 0 ? DeviceOf(m_controller->GetModelData(modelIndex)) : 0;
    const int deviceIndex = m_controller->GetDeviceIndex();
    const MRDeviceRef deviceCurrent = deviceIndex >= 0 ? DeviceOf(m_controller->GetDeviceData(deviceIndex)) : 0;

    int keep = -1;
    for (int i = m_controller->GetModelCount() - 1; i >= 0; --i) {
        if (DeviceOf(m_controller->GetModelData(i)) == device)
            m_controller->RemoveModelEntry(i);
    }
    for (int i = 0; i < m_controller->GetModelCount() && modelCurrent != device; ++i) {
        if (DeviceOf(m_controller->GetModelData(i)) == modelCurrent) {
            keep = i;
            break;
        }
    }
    if (modelIndex < 0)
        m_controller->SetModelIndex(-1);
    else if (keep >= 0)
        m_controller->SetModelIndex(keep);
    else
        m_controller->OnDeviceDetected(-1);

    keep = -1;
    for (int i = m_controller->GetDeviceCount() - 1; i >= 0; --i) {
        if (DeviceOf(m_controller->GetDeviceData(i)) == device)
            m_controller->RemoveDeviceEntry(i);
    }
    for (int i = 0; i < m_controller->GetDeviceCount() && deviceCurrent != device; ++i) {
        if (DeviceOf(m_controller->GetDeviceData(i)) == deviceCurrent) {
            keep = i;
            break;
        }
    }
    if (deviceIndex < 0) {
        m_controller->SetDeviceIndex(-1);
    } else if (keep >= 0) {
        m_controller->SetDeviceIndex(keep);
    } else {
        m_controller->ShowConnectionState(-1);
        if (m_window)
            m_window->ShowRecoveryButtonState(0);
    }
}

void MyModel::HandleChange(MRDeviceRef device) {
    const DeviceLibrary::Functions& api = DeviceLibrary::api();
    m_devicePresent = 2;
    const QString text = EntryText(device);
    m_controller->OnDeviceConnectionChanged(true, QString(), text, QString::fromUtf8(api.MRGetDeviceInfo(device)));
    for (int i = m_controller->GetModelCount() - 1; i >= 0; --i) {
        if (DeviceOf(m_controller->GetModelData(i)) != device)
            continue;
        m_controller->SetModelItemText(i, text);
        if (i == m_controller->GetModelIndex())
            m_controller->OnDeviceDetected(i);
    }
    for (int i = m_controller->GetDeviceCount() - 1; i >= 0; --i) {
        if (DeviceOf(m_controller->GetDeviceData(i)) != device)
            continue;
        m_controller->SetDeviceItemText(i, text);
        if (i == m_controller->GetDeviceIndex()) {
            m_controller->ShowConnectionState(i);
            if (m_window)
                m_window->ShowRecoveryButtonState(0);
        }
    }
}

MRDeviceRef MyModel::FindListedDevice(const QString& idText) {
    if (!m_controller || idText.isEmpty())
        return 0;
    const DeviceLibrary::Functions& api = DeviceLibrary::api();
    for (int i = m_controller->GetModelCount() - 1; i >= 0; --i) {
        const MRDeviceRef device = DeviceOf(m_controller->GetModelData(i));
        if (DeviceIdText(api.MRGetDeviceId(device)) == idText)
            return device;
    }
    return 0;
}

void MyModel::CheckWorkDevicePresent() {
    if (!m_controller)
        return;
    m_controller->SetWorkDevicePresent(true);
    if (FindListedDevice(m_workDeviceIdText) == 0)
        m_controller->SetWorkDevicePresent(false);
}
