#pragma once

#include <QString>

class BugReportDisplay;

// What the bug-report dialog asks of the program. The dialog lives below the controller, which implements
// this and hands itself to the dialog (MyBugReportView::SetHost). The host must outlive the dialog or take
// itself back with SetHost(nullptr).
class BugReportViewHost {
public:
    virtual ~BugReportViewHost() = default;

    // Whether this installation has a mail account to send reports from. Asked on every "Submit"; while
    // it is false the dialog shows that reports are not set up and hands nothing over.
    virtual bool IsBugReportSetUp() = 0;
    // "Submit": check the form, pack the logs and send them, driving the dialog through its display. Called
    // once per click, also while a send of this dialog runs (the host then refuses the second one).
    virtual void SendBugReport(BugReportDisplay* view) = 0;
    // The dialog was closed (or is being destroyed) while its send was under way: stop that send. The host
    // is expected to put the dialog in BugReportViewState::Stopped.
    virtual void StopBugReport(BugReportDisplay* view) = 0;
    // The dialog is being destroyed: a result that arrives later must not reach it.
    virtual void BugReportViewDestroyed(BugReportDisplay* view) = 0;
    // The file dialog's filter for an attachment, "Name (*.a;*.b);;".
    virtual QString SupportedFilesFilter() = 0;
};
