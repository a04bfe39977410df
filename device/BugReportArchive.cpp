#include "BugReportArchive.h"

#include "BugReportDisplay.h"

#include "app/FileUtils.h"
#include "app/LogText.h"
#include "app/RunLog.h"
#include "app/TextUtils.h"
#include "app/XmlLimits.h"
#include "platform/ArchiveCreator.h"
#include "platform/PrivateFiles.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kRunLogName = QStringLiteral("myrun.log");
const QString kAttachmentFolder = QStringLiteral("attachment");
constexpr qint64 kCopyBlock = 1024 * 1024;

// Parts of a name that mark a secret: the proxy's "Password", and whatever another account may store.
const char* const kSecretParts[] = {"pass", "pwd", "secret", "token", "credential"};
// Whole element names that hold an account's user: the proxy's user is "Name".
const char* const kAccountNames[] = {"name", "user", "username", "login", "account"};

bool IsSecretName(const QString& name) {
    const QString lower = name.toLower();
    for (const char* part : kSecretParts) {
        if (lower.contains(QLatin1String(part)))
            return true;
    }
    return false;
}

bool IsAccountElement(const QString& name) {
    if (IsSecretName(name))
        return true;
    const QString lower = name.toLower();
    for (const char* account : kAccountNames) {
        if (lower == QLatin1String(account))
            return true;
    }
    return false;
}

} // namespace

QString BugReportArchive::FindArchiver() {
    return QStandardPaths::findExecutable(platform::archiveCreateCommand(QString(), {}).program);
}

QString BugReportArchive::PathFor(const QString& dataDir, const QString& productName, const QString& version) {
    return QStringLiteral("%1%2 V%3.dmp").arg(dataDir, productName, version);
}

bool BugReportArchive::BlankSecrets(const QByteArray& xml, QByteArray* blanked) {
    QXmlStreamReader in(xml);
    // Declarations stay ordinary attributes, so that they are copied as they stand.
    in.setNamespaceProcessing(false);
    QByteArray text;
    QXmlStreamWriter out(&text);
    // Inside an account element every level counts, so that its end is found again.
    int secretDepth = 0;
    while (!in.atEnd()) {
        switch (in.readNext()) {
        case QXmlStreamReader::StartDocument:
            out.writeStartDocument();
            break;
        case QXmlStreamReader::EndDocument:
            out.writeEndDocument();
            break;
        case QXmlStreamReader::StartElement: {
            if (secretDepth > 0 || IsAccountElement(in.name().toString()))
                ++secretDepth;
            out.writeStartElement(in.qualifiedName().toString());
            for (const QXmlStreamAttribute& attribute : in.attributes()) {
                const bool secret = secretDepth > 0 || IsSecretName(attribute.name().toString());
                out.writeAttribute(attribute.qualifiedName().toString(),
                                   secret ? QString() : attribute.value().toString());
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            out.writeEndElement();
            if (secretDepth > 0)
                --secretDepth;
            break;
        case QXmlStreamReader::Characters:
            if (secretDepth == 0 || in.isWhitespace())
                out.writeCharacters(in.text().toString());
            break;
        default:
            // Comments, processing instructions and document types carry no setting.
            break;
        }
    }
    if (in.hasError())
        return false;
    *blanked = text;
    return true;
}

bool BugReportArchive::Fail(const QString& problem) {
    m_problem = problem;
    return false;
}

bool BugReportArchive::Pack(const QString& archive, const QString& dataDir, const QString& attachment) {
    m_problem.clear();
    m_entries.clear();
    m_attachmentFault = AttachmentFault::None;
    if (QFileInfo::exists(archive) && !RemovePath(archive))
        return Fail(QStringLiteral("the former bug report archive %1 cannot be removed").arg(archive));

    // Inside the data folder, so the copies stay where the originals are.
    QTemporaryDir gathered(QDir(dataDir).filePath(QStringLiteral("report-XXXXXX")));
    if (!gathered.isValid())
        return Fail(QStringLiteral("no folder to gather the bug report in: %1").arg(gathered.errorString()));
    GatherLogs(dataDir, gathered.path());
    GatherSettings(dataDir, gathered.path());
    if (!GatherAttachment(attachment, gathered.path()))
        return false;
    if (m_entries.isEmpty())
        return Fail(QStringLiteral("nothing to pack into the bug report: no log, no settings, no attachment"));
    if (IsStopped())
        return Fail(QStringLiteral("the packing was stopped"));

    QStringList files;
    for (const QString& entry : qAsConst(m_entries)) {
        const QString top = entry.section(QLatin1Char('/'), 0, 0);
        const QString path = QDir(gathered.path()).filePath(top);
        if (!files.contains(path))
            files << path;
    }
    // Everything gathered, and the archive itself, is the user's alone (the logs name their folders and
    // devices, the picture may show anything): the gathering folder is 0700 from its start, what lies in it is
    // narrowed before the archiver reads it, and the archive is made in there and narrowed before it is moved
    // to its place, so that no other account ever sees it open, whatever the umask.
    if (!platform::makePrivate(gathered.path(), true))
        return Fail(QStringLiteral("the gathered files cannot be made private"));
    const QString packed = QDir(gathered.path()).filePath(QFileInfo(archive).fileName());
    if (!RunArchiver(packed, files))
        return false;
    if (!platform::makePrivate(packed) || !QFile::rename(packed, archive))
        return Fail(QStringLiteral("the archive cannot be moved to %1").arg(archive));
    return true;
}

void BugReportArchive::GatherLogs(const QString& dataDir, const QString& folder) {
    // The run log first, so that a log of the same name elsewhere does not take its place.
    const QString logFolder = QDir(dataDir).filePath(QStringLiteral("Log"));
    QStringList sources;
    // Only the data folder's own files: a Log that is a link would bring in another folder's.
    if (QFileInfo(logFolder).isSymLink()) {
        RunLog->WriteString(TextLog::Warning, QStringLiteral("Bug report: the Log folder is a link, left out"), true);
    } else {
        sources << QDir::fromNativeSeparators(RunLogPath(dataDir));
        const QDir dir(logFolder);
        for (const QString& name : dir.entryList({QStringLiteral("*.log")}, QDir::Files | QDir::System, QDir::Name))
            sources << dir.filePath(name);
    }
    const QDir dir(dataDir);
    for (const QString& name : dir.entryList({QStringLiteral("*.log")}, QDir::Files | QDir::System, QDir::Name))
        sources << dir.filePath(name);
    QSet<QString> taken;
    for (const QString& source : qAsConst(sources)) {
        const QString name = QFileInfo(source).fileName();
        if (taken.contains(name) || !QFileInfo::exists(source))
            continue;
        taken.insert(name);
        QFile file;
        QString why;
        if (platform::openRegularFile(source, file, &why) && CopyOpened(file, QDir(folder).filePath(name), -1))
            m_entries << name;
        else
            RunLog->WriteString(TextLog::Warning,
                                QStringLiteral("Bug report: the log %1 is left out: %2")
                                    .arg(LogLineText(source), why.isEmpty() ? QStringLiteral("cannot be copied") : why),
                                true);
    }
}

void BugReportArchive::GatherSettings(const QString& dataDir, const QString& folder) {
    const QDir dir(dataDir);
    for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files | QDir::System, QDir::Name)) {
        QFile source;
        QString why;
        QByteArray blanked;
        // Read whole for blanking, so no larger than any settings file the program reads.
        if (!platform::openRegularFile(dir.filePath(name), source, &why) || source.size() > XmlLimits::MaxBytes ||
            !BlankSecrets(source.read(XmlLimits::MaxBytes), &blanked)) {
            RunLog->WriteString(TextLog::Warning,
                                QStringLiteral("Bug report: the settings file %1 is left out: %2")
                                    .arg(LogLineText(dir.filePath(name)),
                                         why.isEmpty() ? QStringLiteral("it cannot be read as XML") : why),
                                true);
            continue;
        }
        QFile copy(QDir(folder).filePath(name));
        if (copy.open(QIODevice::WriteOnly) && copy.write(blanked) == blanked.size() && copy.flush())
            m_entries << name;
    }
}

bool BugReportArchive::GatherAttachment(const QString& attachment, const QString& folder) {
    if (attachment.isEmpty())
        return true;
    // A report without the file the user chose would leave out what they meant to show: it is not sent.
    QFile source;
    QString why;
    if (!platform::openRegularFile(attachment, source, &why)) {
        m_attachmentFault = AttachmentFault::Unreadable;
        return Fail(QStringLiteral("the attachment %1 cannot be attached: %2").arg(LogLineText(attachment), why));
    }
    if (source.size() > BugReportDisplay::MaxAttachmentBytes) {
        m_attachmentFault = AttachmentFault::TooLarge;
        return Fail(QStringLiteral("the attachment %1 is larger than %2 bytes")
                        .arg(LogLineText(attachment))
                        .arg(BugReportDisplay::MaxAttachmentBytes));
    }
    const QString target = QDir(folder).filePath(kAttachmentFolder);
    const QString name = QFileInfo(attachment).fileName();
    if (!QDir().mkpath(target) ||
        !CopyOpened(source, QDir(target).filePath(name), BugReportDisplay::MaxAttachmentBytes)) {
        m_attachmentFault = AttachmentFault::Unreadable;
        return Fail(QStringLiteral("the attachment %1 cannot be read").arg(LogLineText(attachment)));
    }
    m_entries << kAttachmentFolder + QLatin1Char('/') + name;
    return true;
}

bool BugReportArchive::CopyOpened(QFile& source, const QString& target, qint64 maxBytes) {
    QFile copy(target);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    qint64 copied = 0;
    for (;;) {
        const QByteArray block = source.read(kCopyBlock);
        if (block.isEmpty())
            break;
        copied += block.size();
        // A file that grows while it is copied is held to what it was allowed to be.
        if ((maxBytes >= 0 && copied > maxBytes) || copy.write(block) != block.size() || IsStopped()) {
            copy.remove();
            return false;
        }
    }
    if (source.error() != QFileDevice::NoError || !copy.flush()) {
        copy.remove();
        return false;
    }
    return true;
}

bool BugReportArchive::RunArchiver(const QString& archive, const QStringList& files) {
    platform::CommandLine command = platform::archiveCreateCommand(archive, files);
    if (!m_archiver.isEmpty())
        command.program = m_archiver;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.program, command.arguments);
    if (!process.waitForStarted(StartTimeoutMs))
        return Fail(
            QStringLiteral("the archiver %1 cannot be started: %2").arg(command.program, process.errorString()));
    QElapsedTimer running;
    running.start();
    // In short waits, so that a stop never waits for the archiver.
    while (!process.waitForFinished(StopCheckMs) && process.state() != QProcess::NotRunning) {
        const bool stopped = IsStopped();
        if (!stopped && running.elapsed() < FinishTimeoutMs)
            continue;
        process.kill();
        process.waitForFinished();
        return Fail(stopped ? QStringLiteral("the packing was stopped")
                            : QStringLiteral("the archiver did not finish within %1 s").arg(FinishTimeoutMs / 1000));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return Fail(QStringLiteral("the archiver failed with code %1: %2")
                        .arg(process.exitCode())
                        .arg(QString::fromLocal8Bit(process.readAll()).trimmed()));
    if (!QFileInfo(archive).isFile())
        return Fail(QStringLiteral("the archiver made no archive at %1").arg(archive));
    return true;
}
