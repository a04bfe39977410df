#include "CPatchUpdate.h"

#include "CUpdateRuleReader.h"
#include "RuleContext.h"
#include "app/LogText.h"

#include "app/FileUtils.h"
#include "app/RunLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QSaveFile>
#include <QThread>
#include <QXmlStreamWriter>

#include <mutex>

// What the reading thread hands back. Qt's own locks are invisible to the thread checker, so the hand-over
// has a lock of its own.
struct CPatchUpdate::Reading {
    std::atomic_bool stop{false};
    std::mutex mutex;
    bool read = false;
    QString why;
    PatchFileList found;
};

CPatchUpdate::CPatchUpdate(const PatchParams& params, QObject* parent) : QObject(parent), m_params(params) {
    m_downloader.setProxy(m_params.Proxy);
    connect(&m_downloader, &CDownloader::signalFinished, this, &CPatchUpdate::RulesDownloaded);
    // Whatever loop runs after the quit, the check hands nothing over any more.
    if (QCoreApplication* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &CPatchUpdate::Stop);
    if (m_params.DataDir.isEmpty())
        return;
    const QString logFolder = m_params.DataDir + QStringLiteral("Log");
    // The request it holds names the proxy's password; a link there is the user's own choice and left alone.
    if (!MakePrivatePath(logFolder))
        return;
    const QString folder = logFolder + QDir::separator();
    m_requestPath = folder + QStringLiteral("ucplog");
    m_logPath = folder + QStringLiteral("update.log");
    // A request left from an earlier run must not reach the launcher again.
    RemovePath(m_requestPath);
}

CPatchUpdate::~CPatchUpdate() {
    if (m_readingThread) {
        // Once stopped, the reader gives up within one block of the file it is reading.
        m_reading->stop = true;
        m_readingThread->wait();
        delete m_readingThread;
    }
    if (!m_params.WorkDir.isEmpty())
        RemovePath(m_params.WorkDir);
}

void CPatchUpdate::Start() {
    if (m_running)
        return;
    m_running = true;
    m_failure.clear();
    // Without the Log folder there is no request to hand over and no log to write.
    if (m_requestPath.isEmpty()) {
        Fail(QStringLiteral("the folder %1 cannot be made")
                 .arg(QuotedLogLineText(m_params.DataDir + QStringLiteral("Log"))));
        return;
    }
    m_downloader.download(m_params.UpdateUrl, m_params.WorkDir);
}

void CPatchUpdate::RulesDownloaded() {
    if (!m_running)
        return;
    if (m_downloader.errorCode() == 1) {
        Fail(QStringLiteral("update rules not downloaded from %1: %2")
                 .arg(QuotedLogLineText(m_params.UpdateUrl), m_downloader.errorText()));
        return;
    }
    const QStringList files = m_downloader.downloadedFiles();
    if (files.isEmpty()) {
        Fail(QStringLiteral("no update rules from %1").arg(QuotedLogLineText(m_params.UpdateUrl)));
        return;
    }
    ReadRules(files.first());
}

void CPatchUpdate::ReadRules(const QString& rulesPath) {
    RuleContext context;
    context.Brand = m_params.Brand;
    context.RegName = m_params.RegName;
    context.Version = m_params.Version;
    context.LogPath = m_logPath;
    context.ProgramDir = m_params.ProgramDir;

    // Digests of large files and rules by the thousand take seconds: never on the window's thread. The thread
    // works on its own copies and on what it shares with this object, which waits for it only when it goes.
    m_reading = std::make_shared<Reading>();
    const std::shared_ptr<Reading> reading = m_reading;
    m_readingThread = QThread::create([reading, context, rulesPath] {
        CUpdateRuleReader reader(context, &reading->stop);
        PatchFileList found;
        QString why;
        const bool read = reader.ReadRules(found, rulesPath, &why);
        const std::lock_guard<std::mutex> lock(reading->mutex);
        reading->read = read;
        reading->why = why;
        reading->found = found;
    });
    connect(m_readingThread, &QThread::finished, this, &CPatchUpdate::RulesRead);
    m_readingThread->start();
}

void CPatchUpdate::RulesRead() {
    if (!m_running)
        return;
    bool read = false;
    QString why;
    {
        const std::lock_guard<std::mutex> lock(m_reading->mutex);
        read = m_reading->read;
        why = m_reading->why;
        m_patchList.append(m_reading->found);
    }
    if (!read) {
        Fail(QStringLiteral("update rules from %1 not read: %2")
                 .arg(QuotedLogLineText(m_params.UpdateUrl), LogLineText(why)));
        return;
    }
    if (m_patchList.isEmpty()) {
        // Nothing to patch is no failure.
        m_running = false;
        m_failure = QStringLiteral("no file needs patching");
        emit Finished(false);
        return;
    }
    if (!WriteRequest(m_requestPath)) {
        Fail(QStringLiteral("the request %1 cannot be written").arg(QuotedLogLineText(m_requestPath)));
        return;
    }
    m_running = false;
    emit Finished(true);
}

void CPatchUpdate::Stop() {
    if (!m_running)
        return;
    if (m_reading)
        m_reading->stop = true;
    Fail(QStringLiteral("the program quit"));
}

void CPatchUpdate::Fail(const QString& why) {
    m_running = false;
    m_failure = why;
    WriteRunLogLine(why);
    emit Finished(false);
}

void CPatchUpdate::WriteRunLogLine(const QString& why) {
    RunLog->WriteString(TextLog::Warning, QStringLiteral("Patch check: %1.").arg(why), true);
}

bool CPatchUpdate::WriteRequest(const QString& requestPath) const {
    QSaveFile file(requestPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // It may name the proxy's password: for the user alone, before a byte of it is written.
    if (!file.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
        return false;

    const QByteArray bytes = RequestDocument();
    return file.write(bytes) == bytes.size() && file.commit();
}

QByteArray CPatchUpdate::RequestDocument() const {
    QByteArray bytes;
    const QNetworkProxy proxy = QNetworkProxy::applicationProxy();
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartElement(QStringLiteral("update"));
    xml.writeEmptyElement(QStringLiteral("WorkDir"));
    xml.writeAttribute(QStringLiteral("value"), m_params.ProgramDir);
    xml.writeEmptyElement(QStringLiteral("LogFile"));
    xml.writeAttribute(QStringLiteral("value"), m_logPath);
    xml.writeEmptyElement(QStringLiteral("Proxy"));
    xml.writeAttribute(QStringLiteral("hostName"), proxy.hostName());
    xml.writeAttribute(QStringLiteral("port"), QString::number(proxy.port()));
    xml.writeAttribute(QStringLiteral("user"), proxy.user());
    xml.writeAttribute(QStringLiteral("password"), proxy.password());
    xml.writeAttribute(QStringLiteral("type"), QString::number(int(proxy.type())));
    xml.writeStartElement(QStringLiteral("Patch"));
    for (const PatchFileInfo& info : m_patchList) {
        xml.writeEmptyElement(QStringLiteral("File"));
        xml.writeAttribute(QStringLiteral("url"), info.url);
        xml.writeAttribute(QStringLiteral("path"), info.path);
        xml.writeAttribute(QStringLiteral("type"), info.type);
        xml.writeAttribute(QStringLiteral("value"), info.value);
    }
    xml.writeEndDocument();
    // The writer starts its first element on a new line.
    if (bytes.startsWith('\n'))
        bytes.remove(0, 1);
    return bytes;
}
