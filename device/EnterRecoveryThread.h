#pragma once

#include "ChangeStateThreadBase.h"

// Takes a device into recovery mode.
class EnterRecoveryThread : public ChangeStateThreadBase {
    Q_OBJECT
public:
    EnterRecoveryThread(QObject* parent, MRDeviceRef device);

    int TargetMode() const override { return MRModeRecovery; }

protected:
    void run() override;
};
