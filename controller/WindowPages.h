#pragma once

#include "device/WindowStates.h"

// The main window's page stacks as the controller moves them: the main page, the firmware page's check page,
// the fix page's sub-page and the fix page's connection header.
class WindowPages {
public:
    virtual ~WindowPages() = default;

    virtual void SetMainPage(MainPage page) = 0;
    virtual MainPage GetMainPageIndex() const = 0;
    virtual void SetCheckPage(CheckPage page) = 0;
    virtual CheckPage GetCheckPageIndex() const = 0;
    virtual void SetFixSubPage(FixSubPage page) = 0;
    virtual FixSubPage GetFixPageIndex() const = 0;
    virtual void SetFixConnState(FixConnState state) = 0;
    // The check page shows a failed check: no run goes on behind it (a run started since has cleared the failure).
    virtual bool IsFirmwareCheckFailed() const = 0;
};
