#pragma once

// The fix page's result of a repair run.
class RepairResultView {
public:
    virtual ~RepairResultView() = default;

    virtual void ShowRepairSucceeded() = 0;
    virtual void ShowRepairFailed() = 0;
    // A run has ended with success or failure and its result is shown.
    virtual bool IsRepairDone() const = 0;
};
