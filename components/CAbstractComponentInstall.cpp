#include "CAbstractComponentInstall.h"

#include "ComponentList.h"
#include "ComponentLog.h"

#include "app/TlsTrust.h"
#include "platform/ArchiveExtractor.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QSslError>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace {

const char kDownload[] = "CAbstractComponentInstall::download";
const char kDecompress[] = "CAbstractComponentInstall::decompress";

// The support packages are tens of KiB; a few MB leave room for a larger one and stop a server that sends
// more long before it fills memory or the disk.
const qint64 kMaxPackageBytes = CAbstractComponentInstall::MaxPackageBytes;
// How far the network layer may read ahead of what has been written.
const qint64 kReadBufferBytes = 256 * 1024;
// Less than this, on average over a stall time-out, is a download that has as good as stopped.
const qint64 kLowSpeedBytesPerSecond = 1024;
// The archiver gets this long to start, as it always has, and this long to finish.
const int kArchiverStartMs = 30000;
const int kArchiverFinishMs = 600000;

std::atomic<int> gDefaultStallTimeout{30000};
std::atomic<int> gDefaultOverallTimeout{120000};

QString Tagged(const char* tag, const QString& text) {
    return QLatin1String(tag) + QLatin1Char(' ') + text;
}

// Why the server's answer is not the package, once its status line is in; empty while it may be.
QString StatusFault(QNetworkReply* reply) {
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 0 || status == 200)
        return QString();
    return QStringLiteral("Be failed to download file: %1 (HTTP status %2)").arg(reply->url().toString()).arg(status);
}

// Why a finished reply does not hold the whole package; empty when it does. tlsErrors: what was wrong with the
// server's certificate, which the reply's own error text leaves out.
QString ReplyFault(QNetworkReply* reply, qint64 received, const QStringList& tlsErrors) {
    const QString status = StatusFault(reply);
    if (!status.isEmpty())
        return status;
    if (reply->error() != QNetworkReply::NoError) {
        QString why = reply->errorString();
        if (!tlsErrors.isEmpty())
            why += QStringLiteral(": ") + tlsErrors.join(QStringLiteral("; "));
        return QStringLiteral("Be failed to download file: %1 (%2)").arg(reply->url().toString(), why);
    }
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200)
        return QStringLiteral("Be failed to download file: %1 (no HTTP status)").arg(reply->url().toString());
    bool known = false;
    const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && announced != received)
        return QStringLiteral("Do not finish downloading file: %1 (%2 of %3 bytes)")
            .arg(reply->url().toString())
            .arg(received)
            .arg(announced);
    return QString();
}

} // namespace

CAbstractComponentInstall::CAbstractComponentInstall(QObject* parent)
    : QObject(parent), m_stallTimeout(gDefaultStallTimeout.load()), m_overallTimeout(gDefaultOverallTimeout.load()) {}

CAbstractComponentInstall::~CAbstractComponentInstall() = default;

bool CAbstractComponentInstall::isInstallFinished() const {
    return m_installed.load();
}

void CAbstractComponentInstall::setDefaultStallTimeout(int milliseconds) {
    gDefaultStallTimeout = milliseconds;
}

int CAbstractComponentInstall::defaultStallTimeout() {
    return gDefaultStallTimeout.load();
}

void CAbstractComponentInstall::setDefaultOverallTimeout(int milliseconds) {
    gDefaultOverallTimeout = milliseconds;
}

int CAbstractComponentInstall::defaultOverallTimeout() {
    return gDefaultOverallTimeout.load();
}

const QStringList& CAbstractComponentInstall::archiveSuffixes() {
    static const QStringList suffixes{QStringLiteral("7z"), QStringLiteral("zip")};
    return suffixes;
}

void CAbstractComponentInstall::requestAbort() {
    m_abort = true;
    emit abortSignalled();
}

void CAbstractComponentInstall::resetQueue() {
    m_packages.clear();
    m_index = 0;
}

void CAbstractComponentInstall::enqueue(const QUrl& url, const QByteArray& sha256) {
    m_packages.append(Package{url, sha256.toLower(), false, {}});
}

QList<QUrl> CAbstractComponentInstall::urls() const {
    QList<QUrl> list;
    for (const Package& package : m_packages)
        list.append(package.url);
    return list;
}

bool CAbstractComponentInstall::ensureFolder() {
    if (!m_folder) {
        m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/mendra-components-XXXXXX"));
        if (!m_folder->isValid()) {
            ComponentLog::Critical(
                Tagged(kDownload, QStringLiteral("Can not create a download folder: ") + m_folder->errorString()));
            m_folder.reset();
            return false;
        }
    }
    return true;
}

QString CAbstractComponentInstall::packageFile(const QUrl& url) const {
    const QString name = url.path(QUrl::FullyDecoded).section(QLatin1Char('/'), -1);
    if (!m_folder || !ComponentList::IsSafeFileName(name))
        return QString();
    return m_folder->filePath(name);
}

QString CAbstractComponentInstall::unpackFolder(const QString& archive) const {
    return archive + QStringLiteral(".unpacked");
}

QList<CAbstractComponentInstall::Installable> CAbstractComponentInstall::installables(int i) const {
    if (i < 0 || i >= m_packages.size())
        return {};
    const Package& package = m_packages.at(i);
    const QString file = packageFile(package.url);
    if (file.isEmpty() || !QFileInfo::exists(file))
        return {};
    if (!archiveSuffixes().contains(QFileInfo(file).completeSuffix()))
        return {Installable{file, package.sha256}};
    QList<Installable> unpacked;
    for (auto it = package.unpacked.cbegin(); it != package.unpacked.cend(); ++it)
        unpacked.append(Installable{it.key(), it.value()});
    return unpacked;
}

QMap<QString, QByteArray> CAbstractComponentInstall::unpackedPackages(const QString& folder) {
    QMap<QString, QByteArray> packages;
    QDirIterator it(folder, {QStringLiteral("*.deb")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (file.open(QIODevice::ReadOnly) && hash.addData(&file))
            packages.insert(file.fileName(), hash.result().toHex());
    }
    return packages;
}

void CAbstractComponentInstall::on_reply_downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal) {
    // An unknown (-1) or empty total says nothing about how far the download is.
    const qlonglong count = m_packages.size();
    if (bytesTotal <= 0 || count == 0)
        return;
    const qlonglong received = std::clamp<qlonglong>(bytesReceived, 0, bytesTotal);
    const qlonglong index = std::clamp<qlonglong>(m_index.load(), 0, count - 1);
    const qlonglong completed = ((index * bytesTotal + received) * 10000 / count) / bytesTotal;
    emit workProgress(completed, 10000);
}

bool CAbstractComponentInstall::download() {
    if (m_packages.isEmpty()) {
        ComponentLog::Critical(Tagged(kDownload, QStringLiteral("No package is queued for this machine")));
        return false;
    }
    if (!ensureFolder())
        return false;
    m_index = 0;
    QNetworkAccessManager manager;
    for (Package& package : m_packages) {
        if (!downloadOne(manager, package))
            return false;
        ++m_index;
    }
    ComponentLog::Debug(Tagged(kDownload, QStringLiteral("Finished")));
    return true;
}

bool CAbstractComponentInstall::downloadOne(QNetworkAccessManager& manager, Package& package) {
    package.verified = false;
    const QString path = packageFile(package.url);
    if (path.isEmpty()) {
        ComponentLog::Critical(Tagged(kDownload, QStringLiteral("No file name in ") + package.url.toString()));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ComponentLog::Critical(Tagged(kDownload, QStringLiteral("Can not write %1: %2").arg(path, file.errorString())));
        return false;
    }

    QNetworkRequest request(package.url);
    request.setSslConfiguration(TlsTrust::Configuration());
    // A redirect may move to another https address, never down to plain http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    // Without a bound the network layer keeps reading from the socket however far this loop lags behind.
    reply->setReadBufferSize(kReadBufferBytes);

    const QString url = package.url.toString();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 received = 0;
    qint64 receivedBeforeWindow = 0;
    QStringList tlsErrors;
    QString fault;
    QEventLoop loop;
    // Within every stall time-out the download must move on by kLowSpeedBytesPerSecond on average (or end),
    // and it must end within the overall time-out, however it trickles.
    QTimer window;
    window.setInterval(m_stallTimeout);
    QTimer overall;
    overall.setSingleShot(true);
    overall.setInterval(m_overallTimeout);
    const auto stop = [&](const QString& why) {
        if (fault.isEmpty())
            fault = why;
        reply->abort();
    };
    const auto announced = [&](bool* known) {
        return reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(known);
    };
    // An error page, or a package larger than any support package, is refused as soon as its headers say so,
    // before a byte of its body is read.
    const auto headersFault = [&] {
        const QString status = StatusFault(reply);
        if (!status.isEmpty())
            return status;
        bool known = false;
        const qint64 length = announced(&known);
        if (known && length > kMaxPackageBytes)
            return QStringLiteral("Be failed to download file: %1 (%2 bytes announced, more than the %3 bytes a "
                                  "package may have)")
                .arg(url)
                .arg(length)
                .arg(kMaxPackageBytes);
        return QString();
    };
    const auto take = [&] {
        const QString refused = headersFault();
        if (!refused.isEmpty())
            return stop(refused);
        // One byte more than a package may have is enough to tell.
        const QByteArray data = reply->read(kMaxPackageBytes - received + 1);
        if (data.isEmpty())
            return;
        received += data.size();
        if (received > kMaxPackageBytes)
            return stop(
                QStringLiteral("Be failed to download file: %1 (larger than %2 bytes)").arg(url).arg(kMaxPackageBytes));
        hash.addData(data);
        if (file.write(data) != data.size())
            return stop(QStringLiteral("Can not write %1: %2").arg(path, file.errorString()));
        // The reply's own progress signal is throttled and may stay silent until the end; the bar
        // follows the data.
        bool known = false;
        const qint64 total = announced(&known);
        on_reply_downloadProgress(received, known ? total : -1);
    };
    const auto checkPace = [&] {
        const qint64 moved = received - receivedBeforeWindow;
        bool known = false;
        const qint64 length = announced(&known);
        qint64 wanted = std::max<qint64>(1, kLowSpeedBytesPerSecond * m_stallTimeout / 1000);
        if (known && length > receivedBeforeWindow)
            wanted = std::min(wanted, length - receivedBeforeWindow);
        receivedBeforeWindow = received;
        if (moved >= wanted)
            return;
        if (moved == 0)
            return stop(
                QStringLiteral("Be failed to download file: %1 (no data for %2 ms)").arg(url).arg(m_stallTimeout));
        stop(QStringLiteral("Be failed to download file: %1 (only %2 bytes in %3 ms)")
                 .arg(url)
                 .arg(moved)
                 .arg(m_stallTimeout));
    };
    connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        const QString refused = headersFault();
        if (!refused.isEmpty())
            stop(refused);
    });
    connect(reply, &QNetworkReply::readyRead, &loop, take);
    connect(reply, &QNetworkReply::sslErrors, &loop, [&](const QList<QSslError>& errors) {
        for (const QSslError& error : errors)
            tlsErrors << error.errorString();
    });
    connect(
        reply, &QNetworkReply::downloadProgress, this,
        [&](qint64 bytesReceived, qint64 bytesTotal) {
            if (headersFault().isEmpty())
                on_reply_downloadProgress(std::min(bytesReceived, received), bytesTotal);
        },
        Qt::DirectConnection);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(&window, &QTimer::timeout, &loop, checkPace);
    connect(&overall, &QTimer::timeout, &loop, [&] {
        stop(QStringLiteral("Be failed to download file: %1 (not finished within %2 ms)")
                 .arg(url)
                 .arg(m_overallTimeout));
    });
    // Emitted on another thread: it reaches this loop queued, which is what lets the loop run on.
    connect(this, &CAbstractComponentInstall::abortSignalled, &loop,
            [&] { stop(QStringLiteral("The download was stopped: ") + url); });
    window.start();
    overall.start();
    if (m_abort)
        stop(QStringLiteral("The download was stopped: ") + url);
    if (!reply->isFinished())
        loop.exec();
    window.stop();
    overall.stop();
    if (fault.isEmpty())
        take();
    reply->disconnect();
    if (fault.isEmpty())
        fault = ReplyFault(reply, received, tlsErrors);
    delete reply;
    file.close();

    if (fault.isEmpty() && hash.result().toHex() != package.sha256)
        fault = QStringLiteral("Be failed to verify file: %1 (SHA-256 %2, expected %3)")
                    .arg(url, QString::fromLatin1(hash.result().toHex()), QString::fromLatin1(package.sha256));
    if (!fault.isEmpty()) {
        ComponentLog::Critical(Tagged(kDownload, fault));
        // Only a package that arrived whole and verified may stay where the installer looks.
        file.remove();
        return false;
    }
    package.verified = true;
    return true;
}

bool CAbstractComponentInstall::unpack(const QString& archive, const QString& folder) const {
    const platform::CommandLine command = platform::archiveExtractCommand(archive, folder);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.program, command.arguments);
    if (!process.waitForStarted(kArchiverStartMs)) {
        ComponentLog::Warning(Tagged(kDecompress, QStringLiteral("Can not launch a zip process")));
        return false;
    }
    if (!process.waitForFinished(kArchiverFinishMs)) {
        process.kill();
        process.waitForFinished();
        ComponentLog::Warning(Tagged(kDecompress, QStringLiteral("The zip process did not finish: ") + archive));
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ComponentLog::Warning(Tagged(kDecompress, QStringLiteral("The zip process is failed with code: %1 (%2)")
                                                      .arg(process.exitCode())
                                                      .arg(QString::fromLocal8Bit(process.readAll()).trimmed())));
        return false;
    }
    return true;
}

bool CAbstractComponentInstall::decompress() {
    const int count = m_packages.size();
    for (int i = 0; i < count; ++i) {
        if (m_abort)
            return false;
        const QString path = packageFile(m_packages.at(i).url);
        if (!m_packages.at(i).verified || path.isEmpty() || !QFileInfo::exists(path)) {
            ComponentLog::Warning(Tagged(kDecompress, QStringLiteral("File do not exist: ") + path));
            return false;
        }
        m_packages[i].unpacked.clear();
        if (!archiveSuffixes().contains(QFileInfo(path).completeSuffix()))
            continue;
        if (!unpack(path, unpackFolder(path)))
            return false;
        m_packages[i].unpacked = unpackedPackages(unpackFolder(path));
        emit workProgress(i + 1, count);
    }
    ComponentLog::Debug(Tagged(kDecompress, QStringLiteral("Finished")));
    return true;
}
