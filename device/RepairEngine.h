#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QByteArray>
#include <QString>

class AuxiliaryView;
class CItemDataBase;
class Controller;

// What the controller and the main window ask of the device and repair engine: the device model's
// operations and the few direct device-library calls the controller makes. The program's engine is the
// device model on the loaded device library; tests put a double in its place.
class RepairEngine {
public:
    virtual ~RepairEngine();

    virtual void SetController(Controller* controller) = 0;

    // Devices of the two lists.
    virtual MRDeviceRef CurrentDevice() = 0;    // current entry of the firmware page's list, 0 when none
    virtual MRDeviceRef GetTypeBoxDevice() = 0; // current entry of the home page's list, 0 when none
    virtual int IsDevicePresent() const = 0;
    virtual void CheckWorkDevicePresent() = 0;
    // The device being repaired left during its run and may still come back (it re-enumerates when its mode
    // changes); the engine says when its departure is final.
    virtual bool IsWaitingForWorkDevice() const = 0;
    virtual CItemDataBase* MakeDeviceItem() = 0;

    // Firmware of a device.
    virtual int GetFirmwareEntryCount(MRDeviceRef device) = 0;
    virtual const MRFirmwareEntry* GetFirmwareEntry(MRDeviceRef device, int index) = 0;
    virtual const MRFirmwareEntry* GetSelectedFirmwareEntry() = 0;
    virtual void SetLocalFirmware(MRDeviceRef device, const QByteArray& path) = 0;
    virtual void SetWorkDeviceIdText(const QString& idText) = 0;
    // The device the runs act on, chosen by the user when the run was asked for.
    virtual void SetRepairDevice(MRDeviceRef device) = 0;
    virtual MRDeviceRef GetRepairDevice() const = 0;

    // Runs. standard: keep the user's data (option word 0); otherwise erase it (option word 1).
    virtual void StartRepair(bool standard) = 0;
    virtual void SetSkipReadyPage(bool skip) = 0;
    virtual bool IsRepairRunning() const = 0;
    virtual bool IsFirmwareStageRunning() const = 0;
    virtual void StopCurrentDevice() = 0;
    virtual void StopRepairDevice() = 0;
    virtual void ToggleRecoveryMode() = 0;

    // Direct device-library calls.
    virtual QString DeviceName(MRDeviceRef device) = 0;
    virtual int DeviceMode(MRDeviceRef device) = 0;
    virtual quint64 DeviceId(MRDeviceRef device) = 0;
    virtual void SelectFirmware(MRDeviceRef device, int index) = 0;
    virtual void SetDownloadFolder(const QByteArray* folder) = 0; // null: no folder
    virtual void SetDeleteFirmware(int enable) = 0;

    // Update check and bug report.
    virtual QString NewestVersion() const = 0;
    virtual void CheckForUpdate(bool atStart) = 0;
    virtual void GetUpdateDescription(QString& description) = 0;
    virtual void SetUpdateView(AuxiliaryView* view) = 0;
    virtual void SetBugReportView(AuxiliaryView* view) = 0;
    virtual void SendBugReport(AuxiliaryView* view) = 0;
    virtual void StopBugReport(AuxiliaryView* view) = 0;
};

class ControllerWindow;

// The program's engine for the main window: the device model on the loaded device library.
RepairEngine* CreateRepairEngine(ControllerWindow* window);
