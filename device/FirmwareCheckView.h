#pragma once

#include "WindowStates.h"

#include <QString>
#include <QtGlobal>

// The firmware check page (download and verification of the package) as the repair runs report to it. The
// error description is the receiver's own copy. All calls are made on the GUI thread.
class FirmwareCheckView {
public:
    virtual ~FirmwareCheckView() = default;

    virtual void EnableRetryDownload(bool enable) = 0;
    virtual void ClearFirmwareHint() = 0;
    virtual void ClearFirmwareState() = 0;
    virtual void ShowFirmwareState(FirmwareState state) = 0;
    virtual void ShowFirmwareHint(FirmwareHint hint) = 0;
    virtual void ShowFirmwareError(const QString& code, const QString& description) = 0;
    virtual void ShowFirmwareProgress(float value) = 0;
    virtual void ShowDownloadSpeed(qint64 bytesDone) = 0;
    virtual void ShowDownloadAnimation() = 0;
    virtual void ShowVerifyAnimation() = 0;
    virtual void ShowDownloadFailedPicture() = 0;
    virtual void ShowVerifyFailedPicture() = 0;
    // The fix page gives way to the firmware check page: the second run failed in its work on the package, which
    // the check page shows.
    virtual void ReturnToFirmwareCheck() = 0;
};
