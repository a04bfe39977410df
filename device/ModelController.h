#pragma once

#include <QString>

// What the device model asks of the mediator above it: the pages' answer to a device that came or went, the
// record of the repair being run, and its result. The window's own displays the model drives directly
// (ModelHost). All calls are made on the GUI thread.
class ModelController {
public:
    virtual ~ModelController() = default;

    // A device list changed; index is not used. The mediator looks whether the device being worked on is
    // still there and moves the pages accordingly.
    virtual void OnDeviceDetected(int index) = 0;
    virtual void SetWorkDevicePresent(bool present) = 0;

    // The record of the repair.
    virtual void SetItemMode(int mode) = 0;
    virtual void SetCurrentStep(int step) = 0;
    virtual void SetFirmwarePath(const QString& path) = 0;
    virtual void SetFirmwareText(const QString& text) = 0;
    virtual void SetSystemVersionText(const QString& text) = 0;
    virtual bool IsOnlineFirmware() = 0;
    virtual void SetDownloading(bool downloading) = 0;

    // The result page.
    virtual void ShowRepairSucceeded() = 0;
    virtual void ShowRepairFailed() = 0;

    // The silent update check of the start-up has ended, whatever it found: the newest version it learnt is
    // known from now on.
    virtual void UpdateCheckedAtStart() = 0;
};
