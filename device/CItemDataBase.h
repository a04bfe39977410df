#pragma once

#include "WindowStates.h"
#include "deviceapi/zUZArovadu.h"

#include <QString>

// What the controller keeps of the device being worked on and of its repair. Plain values in, copies out.
class CItemDataBase {
public:
    CItemDataBase() = default;
    virtual ~CItemDataBase();

    DevicePresence GetPresent() const { return m_present; }
    void SetPresent(DevicePresence present) { m_present = present; }

    QString GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    // Stored with the platform's own separators, whatever the caller wrote.
    QString GetFirmwarePath() const { return m_firmwarePath; }
    void SetFirmwarePath(const QString& path);
    QString GetFirmwareText() const { return m_firmwareText; }
    void SetFirmwareText(const QString& text) { m_firmwareText = text; }
    QString GetVersionText() const { return m_versionText; }
    void SetVersionText(const QString& text) { m_versionText = text; }
    QString GetModelText() const { return m_modelText; }
    void SetModelText(const QString& text) { m_modelText = text; }
    QString GetDeviceInfoText() const { return m_deviceInfoText; }
    void SetDeviceInfoText(const QString& text) { m_deviceInfoText = text; }
    QString GetIdText() const { return m_idText; }
    void SetIdText(const QString& text) { m_idText = text; }

    MRDeviceRef GetDevice() const { return m_device; }
    void SetDevice(MRDeviceRef device) { m_device = device; }
    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    // 0 download, 1 verify, 2 unzip, 3 enter recovery mode, 4 restore.
    int GetCurrentStep() const { return m_currentStep; }
    void SetCurrentStep(int step) { m_currentStep = step; }

private:
    DevicePresence m_present = DevicePresence::NoDevice;
    QString m_name;
    QString m_firmwarePath;
    QString m_firmwareText;
    QString m_versionText;
    QString m_modelText;
    QString m_deviceInfoText;
    QString m_idText;
    MRDeviceRef m_device = 0;
    int m_mode = 0;
    int m_currentStep = 0;
};
