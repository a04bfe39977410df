#pragma once

#include <QString>

class BugReportDisplay;
class QObject;

// The update check and the bug report as the engine runs them. The dialogs that show them live above the
// engine; it knows each only as the object it reports to.
class EngineServices {
public:
    virtual ~EngineServices() = default;

    virtual QString NewestVersion() const = 0;
    // The download address of the newest version, with the edition's language; empty when none is known.
    virtual QString UpdateDownloadUrl() const = 0;
    // The language the update checks from now on ask in.
    virtual void SetUpdateLanguage(const QString& language) = 0;
    virtual void CheckForUpdate(bool atStart) = 0;
    virtual void GetUpdateDescription(QString& description) = 0;
    virtual void SetUpdateView(QObject* view) = 0;
    // The bug-report dialog being shown (null once it is gone): only it gets the display of a send.
    virtual void SetBugReportView(BugReportDisplay* view) = 0;
    // Whether this installation has a mail account to send reports from.
    virtual bool IsBugReportSetUp() const = 0;
    virtual void SendBugReport(BugReportDisplay* view) = 0;
    virtual void StopBugReport(BugReportDisplay* view) = 0;
};
