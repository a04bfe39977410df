#pragma once

#include "ChangeStateThreadBase.h"

// Takes a device out of recovery mode.
class QuitRecoveryThread : public ChangeStateThreadBase {
    Q_OBJECT
public:
    QuitRecoveryThread(QObject* parent, MRDeviceRef device);

    int TargetMode() const override { return MRModeNormal; }

protected:
    void run() override;
};
