#pragma once

#include "CDownloader.h"
#include "PatchFileInfo.h"
#include "PatchParams.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;

// One patch check: downloads the update rules into the work folder, evaluates them against the installed
// files and writes the request file "ucplog" for the patch launcher. The work folder goes when the object
// does; the request file stays for the launcher.
//
// The check runs in the event loop of the thread that owns it and never holds that loop: the rules are read
// and checked against the files on a thread of their own. So it goes on whatever nested loop a dialog runs,
// and the program's quitting ends it at once, with nothing handed over. Every check that ends without a
// request writes one run-log line saying why.
class CPatchUpdate : public QObject {
    Q_OBJECT
public:
    CPatchUpdate(const PatchParams& params, QObject* parent = nullptr);
    // A check still running gives up: the reader within one block of the file it reads.
    ~CPatchUpdate() override;

    // Starts the check; Finished follows once, possibly before Start returns.
    void Start();
    // DataDir/Log/ucplog; empty when the Log folder could not be made.
    QString GetUpdateListPath() const { return m_requestPath; }
    QString GetLogPath() const { return m_logPath; }
    const PatchFileList& GetPatchList() const { return m_patchList; }
    CDownloader& Downloader() { return m_downloader; }
    // Why the check ended without a request; empty after one that wrote it.
    QString FailureText() const { return m_failure; }
    // The run-log line of a patch check that failed.
    static void WriteRunLogLine(const QString& why);

signals:
    // True when at least one file needs patching and the request file was written.
    void Finished(bool requestWritten);

private:
    struct Reading;

    void RulesDownloaded();
    void ReadRules(const QString& rulesPath);
    void RulesRead();
    void Stop();
    void Fail(const QString& why);
    bool WriteRequest(const QString& requestPath) const;
    QByteArray RequestDocument() const;

    CDownloader m_downloader;
    PatchParams m_params;
    PatchFileList m_patchList;
    QString m_requestPath;
    QString m_logPath;
    QString m_failure;
    bool m_running = false;
    std::shared_ptr<Reading> m_reading;
    QThread* m_readingThread = nullptr;
};
