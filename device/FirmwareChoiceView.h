#pragma once

#include <QString>

// The firmware the user chose for a repair, as the device model reads it when a run starts. All calls are
// made on the GUI thread.
class FirmwareChoiceView {
public:
    virtual ~FirmwareChoiceView() = default;

    // The first-download flag: the user has started a download from the Download button. The window's own
    // names: SetFirstDownloadSet reads the flag, FirstDownloadSet sets it.
    virtual bool SetFirstDownloadSet() = 0;
    virtual void FirstDownloadSet(bool set) = 0;
    // The chosen entry of the system-version list, -1 when none, and its text.
    virtual int GetSystemVersionIndex() = 0;
    virtual QString GetSystemVersionText() const = 0;
};
