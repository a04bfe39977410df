#pragma once

#include <QString>

// What the settings dialog hands on to the device library. The dialog lives below the controller, which
// implements this with the library's calls and hands itself to the dialog (MySettingView::SetHost).
// Both are called only after the new value has been stored in the settings.
class SettingViewHost {
public:
    virtual ~SettingViewHost() = default;

    // The folder for downloaded firmware packages, with native separators; it was checked to be
    // writable with enough free space.
    virtual void SetDownloadFolder(const QString& folder) = 0;
    // Whether the firmware file is deleted after a completed repair.
    virtual void SetDeleteFirmware(bool enable) = 0;
};
