#pragma once

// The buttons and the guide link of the main window's status bar, as the controller sets them when a device
// is lost or a local package is chosen.
class StatusButtons {
public:
    virtual ~StatusButtons() = default;

    virtual void ShowDownloadButtons(bool visible) = 0;
    virtual void HideDownloadButton() = 0;
    virtual void ResetStartButton() = 0;
    virtual void DisableStartButton() = 0;
    virtual void EnableRetryDownload(bool on) = 0;
    // Hides the guide link.
    virtual void changGuiLblStaust() = 0;
};
