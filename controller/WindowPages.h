#pragma once

// The main window's page stacks as the controller moves them: the main page, the firmware page's check page,
// the fix page's sub-page and the fix page's connection header.
class WindowPages {
public:
    virtual ~WindowPages() = default;

    virtual void SetMainPage(int page) = 0;
    virtual int GetMainPageIndex() const = 0;
    virtual void SetCheckPage(int page) = 0;
    virtual int GetCheckPageIndex() const = 0;
    virtual void SetFixSubPage(int page) = 0;
    virtual int GetFixPageIndex() const = 0;
    virtual void SetFixConnState(int state) = 0;
};
