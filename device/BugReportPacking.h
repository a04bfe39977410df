#pragma once

#include "BugReportArchive.h"

#include <QThread>

#include <atomic>

// One bug report's archive (BugReportArchive) packed on a thread of its own, so that the window goes on
// answering while the archiver works through a large attachment. The object lives on the thread that made
// it; once QThread::finished() has reached that thread, Packed(), Problem() and Entries() hold the outcome.
// Stop() may come at any time from that thread, and the object may be deleted at any time: the archiver is
// killed and the thread ends within a fraction of a second, leaving no archive.
class BugReportPacking : public QThread {
public:
    // archiver as BugReportArchive::FindArchiver() gave it, looked up on the making thread.
    BugReportPacking(const QString& archiver, const QString& archive, const QString& dataDir, const QString& attachment,
                     QObject* parent = nullptr);
    ~BugReportPacking() override;

    void Stop();
    bool IsStopped() const { return m_stop; }

    const QString& Archive() const { return m_archive; }
    bool Packed() const { return m_packed; }
    const QString& Problem() const { return m_packer.Problem(); }
    const QStringList& Entries() const { return m_packer.Entries(); }
    BugReportArchive::AttachmentFault Fault() const { return m_packer.Fault(); }

protected:
    void run() override;

private:
    const QString m_archive;
    const QString m_dataDir;
    const QString m_attachment;
    std::atomic<bool> m_stop{false};
    // run()'s alone until the thread has ended.
    BugReportArchive m_packer;
    bool m_packed = false;
};
