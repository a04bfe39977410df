// The device model's side of the device notifications: the two device lists of the main window.
#include "MyModel.h"

#include "CItemDataBase.h"
#include "CallbackGate.h"
#include "ConnectionView.h"
#include "DeviceFormat.h"
#include "DeviceLibrary.h"
#include "DeviceListView.h"
#include "ModelController.h"
#include "app/RunLog.h"

QVariant MyModel::DataOf(MRDeviceRef device) {
    return QVariant(qlonglong(device));
}

namespace {

// One of the window's two device lists.
struct DeviceList {
    int (DeviceListView::*count)();
    int (DeviceListView::*index)();
    void (DeviceListView::*setIndex)(int);
    QVariant (DeviceListView::*data)(int) const;
    void (DeviceListView::*remove)(int);
    void (DeviceListView::*setText)(int, const QString&);
};

const DeviceList FirmwarePageList{&DeviceListView::GetModelCount,    &DeviceListView::GetModelIndex,
                                  &DeviceListView::SetModelIndex,    &DeviceListView::GetModelData,
                                  &DeviceListView::RemoveModelEntry, &DeviceListView::SetModelItemText};
const DeviceList HomePageList{&DeviceListView::GetDeviceCount,    &DeviceListView::GetDeviceIndex,
                              &DeviceListView::SetDeviceIndex,    &DeviceListView::GetDeviceData,
                              &DeviceListView::RemoveDeviceEntry, &DeviceListView::SetDeviceItemText};

MRDeviceRef DeviceAt(DeviceListView& c, const DeviceList& list, int index) {
    return static_cast<MRDeviceRef>((c.*list.data)(index).toLongLong());
}

// Removes every entry of the device. The selection follows the device, not the list position: when an
// entry before the selected one goes, the same device stays selected instead of its neighbour taking its
// place unnoticed. False when the selected device itself went.
bool RemoveDevice(DeviceListView& c, const DeviceList& list, MRDeviceRef device) {
    const int index = (c.*list.index)();
    const MRDeviceRef selected = index >= 0 ? DeviceAt(c, list, index) : 0;
    for (int i = (c.*list.count)() - 1; i >= 0; --i) {
        if (DeviceAt(c, list, i) == device)
            (c.*list.remove)(i);
    }
    if (index < 0) {
        (c.*list.setIndex)(-1);
        return true;
    }
    for (int i = 0; selected != device && i < (c.*list.count)(); ++i) {
        if (DeviceAt(c, list, i) == selected) {
            (c.*list.setIndex)(i);
            return true;
        }
    }
    return false;
}

// Gives every entry of the device the text; the index of the selected one among them, or -1.
int RenameDevice(DeviceListView& c, const DeviceList& list, MRDeviceRef device, const QString& text) {
    int selected = -1;
    for (int i = (c.*list.count)() - 1; i >= 0; --i) {
        if (DeviceAt(c, list, i) != device)
            continue;
        (c.*list.setText)(i, text);
        if (i == (c.*list.index)())
            selected = i;
    }
    return selected;
}

} // namespace

QString MyModel::EntryText(MRDeviceRef device) const {
    const DeviceLibrary::Functions& api = DeviceLibrary::api();
    return DeviceEntryText(QString::fromUtf8(api.MRGetDeviceName(device)), api.MRGetDeviceMode(device));
}

MRDeviceRef MyModel::CurrentDevice() {
    return SelectedDevice(true);
}

MRDeviceRef MyModel::GetTypeBoxDevice() {
    return SelectedDevice(false);
}

MRDeviceRef MyModel::SelectedDevice(bool firmwarePage) {
    const DeviceList& list = firmwarePage ? FirmwarePageList : HomePageList;
    DeviceListView& lists = *m_host.lists;
    const int index = (lists.*list.index)();
    m_devicePresent = index >= 0 ? DevicePresence::Selected : DevicePresence::NoDevice;
    return index >= 0 ? DeviceAt(lists, list, index) : 0;
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
    // The work device back from its re-enumeration is the repair device again. It is listed while the wait
    // still holds the pages, so that nothing on them changes for a device that was never really lost.
    const bool returning = m_waitingForWorkDevice && DeviceIdText(api.MRGetDeviceId(device)) == m_workDeviceIdText;
    if (returning)
        m_repairDevice = device;
    m_devicePresent = DevicePresence::Selected;
    if (mode <= MRModeDFU)
        m_host.connection->ShowRecoveryButtonState(mode);
    m_host.connection->ShowConnectionStateAlt(true);
    m_host.connection->OnDeviceConnectionChanged(true, QString(), text, info);
    m_host.lists->AddModelEntry(text, DataOf(device));
    m_host.lists->AddDeviceEntry(text, DataOf(device), device);
    if (returning) {
        m_waitingForWorkDevice = false;
        m_reconnectTimer.stop();
        RunLog->WriteString(TextLog::Info, QStringLiteral("The device being repaired is connected again."), true);
    }
}

void MyModel::HandleDeparture(MRDeviceRef device) {
    // Before the device steps nothing takes the device off the bus: its departure is reported at once.
    if (!m_waitingForWorkDevice && device != 0 && device == m_repairDevice && IsDeviceStepRunning())
        StartWaitingForWorkDevice();
    // While the work device is waited for, the lists lose their entries but the pages hear of it only when the
    // wait ends without it.
    if (!RemoveDevice(*m_host.lists, FirmwarePageList, device) && !m_waitingForWorkDevice)
        m_controller->OnDeviceDetected(-1);
    if (!RemoveDevice(*m_host.lists, HomePageList, device) && !m_waitingForWorkDevice)
        ShowHomeConnectionState(-1);
}

void MyModel::ShowHomeConnectionState(int index) {
    m_host.connection->ShowConnectionState(index, GetTypeBoxDevice());
    m_host.connection->ShowRecoveryButtonState(0);
}

void MyModel::SetReconnectGraceMs(int milliseconds) {
    m_reconnectGraceMs = qMax(0, milliseconds);
}

void MyModel::StartWaitingForWorkDevice() {
    m_waitingForWorkDevice = true;
    m_reconnectTimer.start(m_reconnectGraceMs);
    RunLog->WriteString(TextLog::Info, QStringLiteral("The device being repaired left; waiting for it to come back."),
                        true);
}

// No device with the work device's id came back in time: the departure is final, as if it had just happened.
// Its run cannot go on, so it is stopped before the pages say that the device is gone.
void MyModel::SltWorkDeviceGone() {
    if (!m_waitingForWorkDevice || !m_controller || !CallbackGate::IsOpen(this))
        return;
    m_waitingForWorkDevice = false;
    RunLog->WriteString(TextLog::Error, QStringLiteral("The device being repaired did not come back."), true);
    if (m_runActive)
        StopRepairDevice();
    m_controller->OnDeviceDetected(-1);
    ShowHomeConnectionState(-1);
}

void MyModel::HandleChange(MRDeviceRef device) {
    m_devicePresent = DevicePresence::Changed;
    const QString text = EntryText(device);
    m_host.connection->OnDeviceConnectionChanged(true, QString(), text,
                                                 QString::fromUtf8(DeviceLibrary::api().MRGetDeviceInfo(device)));
    const int modelIndex = RenameDevice(*m_host.lists, FirmwarePageList, device, text);
    if (modelIndex >= 0)
        m_controller->OnDeviceDetected(modelIndex);
    const int deviceIndex = RenameDevice(*m_host.lists, HomePageList, device, text);
    if (deviceIndex >= 0)
        ShowHomeConnectionState(deviceIndex);
}

MRDeviceRef MyModel::FindListedDevice(const QString& idText) {
    if (!m_controller || idText.isEmpty())
        return 0;
    const DeviceLibrary::Functions& api = DeviceLibrary::api();
    for (int i = m_host.lists->GetModelCount() - 1; i >= 0; --i) {
        const MRDeviceRef device = DeviceAt(*m_host.lists, FirmwarePageList, i);
        if (DeviceIdText(api.MRGetDeviceId(device)) == idText)
            return device;
    }
    return 0;
}

void MyModel::CheckWorkDevicePresent() {
    if (!m_controller)
        return;
    m_controller->SetWorkDevicePresent(true);
    if (FindListedDevice(m_workDeviceIdText) != 0)
        return;
    // The library forgets a device the moment it leaves, while its departure may still wait behind another
    // device's: in a device step, a work device that the library no longer knows has left, and is waited for.
    if (IsDeviceStepRunning()) {
        if (!m_waitingForWorkDevice)
            StartWaitingForWorkDevice();
        return;
    }
    m_controller->SetWorkDevicePresent(false);
}

CItemDataBase* MyModel::MakeDeviceItem() {
    auto* item = new CItemDataBase;
    // After a change notification the word says nothing sure about the device: the item stays blank.
    if (m_devicePresent == DevicePresence::Selected) {
        item->SetPresent(DevicePresence::Selected);
        item->SetDevice(m_lastUsedDevice);
        if (m_lastUsedDevice != 0) {
            const DeviceLibrary::Functions& api = DeviceLibrary::api();
            const char* info = api.MRGetDeviceInfo(m_lastUsedDevice);
            item->SetDeviceInfoText(info ? QString::fromUtf8(info) : QString());
            item->SetMode(api.MRGetDeviceMode(m_lastUsedDevice));
        }
    } else if (m_devicePresent == DevicePresence::NoDevice) {
        item->SetPresent(DevicePresence::NoDevice);
    }
    return item;
}
