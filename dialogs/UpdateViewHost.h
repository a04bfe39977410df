#pragma once

#include <QString>
#include <QUrl>

// What the update dialog asks of the program. The dialog lives below the controller, which implements
// this and hands itself to the dialog (MyUpdateView::SetHost).
class UpdateViewHost {
public:
    virtual ~UpdateViewHost() = default;

    // "Retry": run a new check; the check itself puts the dialog back to "checking".
    virtual void CheckForUpdate() = 0;
    // "Skip": remember the version so that start-up does not offer it again.
    virtual void SkipVersion(const QString& version) = 0;
    // The release notes of the newest version.
    virtual QString GetUpdateDescription() = 0;
    // The download address of the newest version, as the update check gave it.
    virtual QString GetUpdateDownloadUrl() = 0;
    // "Update": open the download page; only ever called with an http or https address.
    virtual void OpenDownloadAddress(const QUrl& address) = 0;
};
