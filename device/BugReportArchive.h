#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>

class QFile;

// The archive that goes with a bug report: the program's logs (the run log as "myrun.log" and the other
// "*.log" files of the data folder and its "Log" folder), a copy of each settings file ("*.xml" of the data
// folder) with every password and account name emptied, and the user's attachment under "attachment/". The
// files are gathered in a folder of their own inside the data folder and packed from there with the
// archiver (platform/ArchiveCreator.h), so nothing the report must not carry ever reaches it. Only regular
// files are read, none through a link (platform/RegularFile.h): a log or settings file that is a link, or a
// Log folder that is one, is left out; an attachment that cannot be read so fails the packing.
class BugReportArchive {
public:
    // Why the attachment failed the packing.
    enum class AttachmentFault {
        None,
        Unreadable, // gone, a link, a FIFO, a device or a folder, or it could not be read
        TooLarge,   // larger than BugReportDisplay::MaxAttachmentBytes by the time it was packed
    };

    // How long the archiver may take to start, and then to finish, before the packing counts as failed.
    static constexpr int StartTimeoutMs = 30000;
    static constexpr int FinishTimeoutMs = 30000;
    // How often a running archiver is checked for a stop.
    static constexpr int StopCheckMs = 50;

    // The archiver's program as the PATH finds it now; empty when there is none.
    static QString FindArchiver();

    // "<dataDir><productName> V<version>.dmp"; dataDir ends in a separator.
    static QString PathFor(const QString& dataDir, const QString& productName, const QString& version);

    // Replaces whatever is at archive with a new archive of the data folder's logs and settings and, when a
    // file is at attachment, that file. False, and no file at archive, when it could not be made completely;
    // Problem() then says why (for the run log).
    bool Pack(const QString& archive, const QString& dataDir, const QString& attachment);
    const QString& Problem() const { return m_problem; }
    // The archiver to run, as FindArchiver() gave it; without one its name is looked up when it starts.
    void SetArchiver(const QString& program) { m_archiver = program; }
    // Once the flag is set Pack() ends soon, the archiver killed, with no archive; the flag must outlive
    // Pack(). Set from another thread, while Pack() runs there.
    void SetStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }
    // What was packed, by the names the archive holds them under.
    const QStringList& Entries() const { return m_entries; }
    AttachmentFault Fault() const { return m_attachmentFault; }

    // The settings file's XML with the text and the attributes of every password or account element
    // emptied (and everything inside such an element), and with any attribute named like a password
    // emptied; comments are left out. False when the text is not well-formed XML: such a file is not
    // packed at all, since what it holds cannot be told.
    static bool BlankSecrets(const QByteArray& xml, QByteArray* blanked);

private:
    bool Fail(const QString& problem);
    bool IsStopped() const { return m_stop && *m_stop; }
    void GatherLogs(const QString& dataDir, const QString& folder);
    void GatherSettings(const QString& dataDir, const QString& folder);
    bool GatherAttachment(const QString& attachment, const QString& folder);
    // Copies what is left of source to a new file target, at most maxBytes of it (none: -1); false, and no
    // file at target, when it cannot or there is more.
    bool CopyOpened(QFile& source, const QString& target, qint64 maxBytes);
    bool RunArchiver(const QString& archive, const QStringList& files);

    QString m_archiver;
    const std::atomic<bool>* m_stop = nullptr;
    QString m_problem;
    QStringList m_entries;
    AttachmentFault m_attachmentFault = AttachmentFault::None;
};
