#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QString>

// The repair runs and the recovery-mode changes: what the controller starts and stops, and what the
// window's page flow asks of a run in progress.
class RepairRuns {
public:
    virtual ~RepairRuns() = default;

    virtual void SetWorkDeviceIdText(const QString& idText) = 0;
    // The device the runs act on, chosen by the user when the run was asked for.
    virtual void SetRepairDevice(MRDeviceRef device) = 0;
    virtual MRDeviceRef GetRepairDevice() const = 0;

    // standard: keep the user's data (option word 0); otherwise erase it (option word 1).
    virtual void StartRepair(bool standard) = 0;
    virtual void SetSkipReadyPage(bool skip) = 0;
    virtual bool IsRepairRunning() const = 0;
    virtual bool IsFirmwareStageRunning() const = 0;
    // A run is in a step that works on the device itself (entering recovery mode, the restore): stopping it now
    // could leave the device unusable.
    virtual bool IsDeviceStepRunning() const = 0;
    virtual void StopCurrentDevice() = 0;
    virtual void StopRepairDevice() = 0;
    virtual void ToggleRecoveryMode() = 0;
    // A recovery-mode change started by ToggleRecoveryMode has not ended yet.
    virtual bool IsChangingMode() const = 0;
};
