#include "CPatchUpdate.h"

#include "CUpdateRuleReader.h"
#include "RuleContext.h"

#include "app/FileUtils.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QSaveFile>
#include <QThread>
#include <QXmlStreamWriter>

#include <memory>

CPatchUpdate::CPatchUpdate(const PatchParams& params, QObject* parent) : QObject(parent), m_params(params) {
    m_downloader.setProxy(m_params.Proxy);
    if (m_params.DataDir.isEmpty())
        return;
    const QString logFolder = m_params.DataDir + QStringLiteral("Log");
    if (!MakePath(logFolder))
        return;
    // The request it holds names the proxy's password; a link there is the user's own choice and left alone.
    if (!QFileInfo(logFolder).isSymLink())
        QFile::setPermissions(logFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString folder = logFolder + QDir::separator();
    m_requestPath = folder + QStringLiteral("ucplog");
    m_logPath = folder + QStringLiteral("update.log");
    // A request left from an earlier run must not reach the launcher again.
    RemovePath(m_requestPath);
}

CPatchUpdate::~CPatchUpdate() {
    if (!m_params.WorkDir.isEmpty())
        RemovePath(m_params.WorkDir);
}

bool CPatchUpdate::Run() {
    // Without the Log folder there is no request to hand over and no log to write.
    if (m_requestPath.isEmpty())
        return false;
    QEventLoop loop;
    bool finished = false;
    connect(&m_downloader, &CDownloader::signalFinished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    m_downloader.download(m_params.UpdateUrl, m_params.WorkDir);
    // A download that fails before any request goes out has already finished here.
    if (!finished)
        loop.exec();
    disconnect(&m_downloader, &CDownloader::signalFinished, &loop, nullptr);
    // The loop also ends when the program quits meanwhile.
    if (!finished || m_downloader.errorCode() == 1)
        return false;
    const QStringList files = m_downloader.downloadedFiles();
    if (!files.isEmpty() && !ReadRules(files.first()))
        return false;
    if (m_patchList.isEmpty())
        return false;
    return WriteRequest(m_requestPath);
}

bool CPatchUpdate::ReadRules(const QString& rulesPath) {
    RuleContext context;
    context.Brand = m_params.Brand;
    context.RegName = m_params.RegName;
    context.Version = m_params.Version;
    context.LogPath = m_logPath;
    context.ProgramDir = m_params.ProgramDir;

    // Digests of large files and rules by the thousand take seconds: never on the window's thread.
    PatchFileList found;
    std::unique_ptr<QThread> reading(QThread::create([&] {
        CUpdateRuleReader reader(context, &m_stop);
        reader.ReadRules(found, rulesPath);
    }));
    constexpr int kRead = 1;
    QEventLoop loop;
    connect(reading.get(), &QThread::finished, &loop, [&loop] { loop.exit(kRead); });
    reading->start();
    // Ends when the reading does, or at once when the program quits (a quit before it starts included): then
    // nothing is handed over, however far the reading got.
    if (loop.exec() != kRead)
        m_stop = true;
    // Once stopped, the reader gives up within one block of the file it is reading.
    reading->wait();
    if (m_stop)
        return false;
    m_patchList.append(found);
    return true;
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
