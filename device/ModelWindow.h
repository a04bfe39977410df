#pragma once

class QWidget;

// The main window operations that the device model calls itself rather than through the mediator.
// All calls are made on the GUI thread.
class ModelWindow {
public:
    virtual ~ModelWindow() = default;

    // The parent of the model's message boxes.
    virtual QWidget* WindowWidget() = 0;
    // Refreshes the recovery-mode button from the home list's current device; the argument is unused.
    virtual void ShowRecoveryButtonState(int mode) = 0;
    virtual void ShowDownloadAnimation() = 0;
    virtual void ShowVerifyAnimation() = 0;
    virtual void ShowDownloadFailedPicture() = 0;
    virtual void ShowVerifyFailedPicture() = 0;
};
