#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QString>
#include <QVariant>

// What the device model asks of the mediator between it and the main window. The mediator implements
// every operation; most only pass the call on to the window operation of the same name. The model keeps
// the two device lists of the window in step through it: the firmware page's list ("Model" operations)
// and the home page's list ("Device" operations), whose entries carry the device handle as item data.
// All calls are made on the GUI thread.
class ModelController {
public:
    virtual ~ModelController() = default;

    // The firmware page's device list.
    virtual void AddModelEntry(const QString& text, const QVariant& data) = 0;
    virtual void RemoveModelEntry(int index) = 0;
    virtual int GetModelCount() = 0;
    virtual int GetModelIndex() = 0;
    virtual void SetModelIndex(int index) = 0;
    virtual QVariant GetModelData(int index) = 0;
    virtual void SetModelItemText(int index, const QString& text) = 0;

    // The home page's device list.
    virtual void AddDeviceEntry(const QString& text, const QVariant& data, MRDeviceRef device) = 0;
    virtual void RemoveDeviceEntry(int index) = 0;
    virtual int GetDeviceCount() = 0;
    virtual int GetDeviceIndex() = 0;
    virtual void SetDeviceIndex(int index) = 0;
    virtual QVariant GetDeviceData(int index) = 0;
    virtual void SetDeviceItemText(int index, const QString& text) = 0;

    // Connection display and the device detected on the pages.
    virtual void ShowConnectionStateAlt(bool connected) = 0;
    virtual void ShowConnectionState(int index) = 0;
    virtual void OnDeviceConnectionChanged(bool connected, const QString& text, const QString& entryText,
                                           const QString& infoText) = 0;
    virtual void OnDeviceDetected(int index) = 0;
    virtual void ShowConnectingAnimation() = 0;
    virtual void SetWorkDevicePresent(bool present) = 0;
    virtual void SetItemMode(int mode) = 0;

    // The repair's firmware and device choice.
    virtual bool GetFirstDownloadFlag() = 0;
    virtual void ClearFirstDownloadFlag() = 0;
    virtual int GetSystemVersionIndex() = 0;
    virtual QString CurrentSystemVersionText() = 0;
    virtual void SetSystemVersionText(const QString& text) = 0;
    virtual bool IsOnlineFirmware() = 0;
    virtual void SetFirmwarePath(const QString& path) = 0;
    virtual void SetFirmwareText(const QString& text) = 0;
    virtual void ShowFixingDeviceName(MRDeviceRef device) = 0;
    virtual void SetCurrentStep(int step) = 0;
    virtual void SetDownloading(bool downloading) = 0;

    // The firmware check page. The error description is the receiver's own copy.
    virtual void EnableRetryDownload(bool enable) = 0;
    virtual void ClearFirmwareHint() = 0;
    virtual void ClearFirmwareState() = 0;
    virtual void ShowFirmwareState(int state) = 0;
    virtual void ShowFirmwareHint(int hint) = 0;
    virtual void ShowFirmwareError(const QString& code, const QString& description) = 0;
    virtual void ShowFirmwareProgress(float value) = 0;
    virtual void ShowDownloadSpeed(qint64 bytesDone) = 0;

    // The fix page.
    virtual void ShowRepairProgress(int step, float value) = 0;
    virtual void ShowReadyToFix() = 0;
    virtual void ShowRepairSucceeded() = 0;
    virtual void ShowRepairFailed() = 0;
};
