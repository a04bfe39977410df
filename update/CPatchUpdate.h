#pragma once

#include "CDownloader.h"
#include "PatchFileInfo.h"
#include "PatchParams.h"

#include <QObject>
#include <QString>

#include <atomic>

// One patch check: downloads the update rules into the work folder, evaluates them against the installed
// files and writes the request file "ucplog" for the patch launcher. The work folder goes when the object
// does; the request file stays for the launcher.
class CPatchUpdate : public QObject {
    Q_OBJECT
public:
    CPatchUpdate(const PatchParams& params, QObject* parent = nullptr);
    ~CPatchUpdate() override;

    // True when at least one file needs patching and the request file was written. The event loop runs meanwhile:
    // the rules are read and checked against the files on a thread of their own, and the program's quitting
    // ends the check at once, with nothing handed over.
    bool Run();
    // DataDir/Log/ucplog; empty when the Log folder could not be made.
    QString GetUpdateListPath() const { return m_requestPath; }
    QString GetLogPath() const { return m_logPath; }
    const PatchFileList& GetPatchList() const { return m_patchList; }
    CDownloader& Downloader() { return m_downloader; }

private:
    // False when the program quit before the rules were read.
    bool ReadRules(const QString& rulesPath);
    bool WriteRequest(const QString& requestPath) const;
    QByteArray RequestDocument() const;

    CDownloader m_downloader;
    PatchParams m_params;
    PatchFileList m_patchList;
    QString m_requestPath;
    QString m_logPath;
    std::atomic_bool m_stop{false};
};
