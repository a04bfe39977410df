#include "CDownloader.h"

#include "app/LogText.h"

#include "app/FileUtils.h"
#include "app/XmlLimits.h"

#include <QFile>

namespace {

const QByteArray kUserAgent =
    QByteArrayLiteral("Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/534.34 (KHTML, like Gecko) QZX Safari/534.34");

// Only what this downloader speaks: a redirect must not turn a download into a read of a local file or of
// anything else the network layer happens to support.
bool IsHttpUrl(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool IsHttps(const QUrl& url) {
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

// The name must stay a name inside the target folder once it is joined to it, and one line of a log.
bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !HoldsControlCharacters(name);
}

} // namespace

CDownloader::CDownloader(QObject* parent) : QObject(parent), timer(new QTimer(this)), m_maxBytes(XmlLimits::MaxBytes) {
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &CDownloader::slotTimeOut);
    connect(&transfer, &CurlTransfer::dataReceived, this, &CDownloader::slotReadyRead);
    connect(&transfer, &CurlTransfer::finished, this, &CDownloader::slotHttpFinished);
}

CDownloader::~CDownloader() {
    const bool running = transfer.isRunning();
    transfer.abort();
    closeFile();
    // A transfer cut short leaves nothing behind.
    if (running && !fileName.isEmpty())
        RemoveFile(partialPath());
}

void CDownloader::setProxy(const QNetworkProxy& proxy) {
    m_proxy = proxy;
}

void CDownloader::setTimeout(qint64 milliseconds) {
    m_timeout = milliseconds;
}

void CDownloader::setMaxBytes(qint64 bytes) {
    m_maxBytes = qMax<qint64>(0, bytes);
}

void CDownloader::download(const QString& urlText, const QString& folder) {
    if (transfer.isRunning()) {
        // One transfer at a time; the running one keeps its own outcome.
        emit signalFinished();
        return;
    }
    m_redirects = 0;
    m_writeFailed = false;
    fileName.clear();
    if (!folder.isEmpty()) {
        dir = WithTrailingSeparator(folder);
        if (!MakePath(dir)) {
            fail(QStringLiteral("the folder %1 cannot be made").arg(QuotedLogLineText(dir)));
            return;
        }
    }
    // Without a folder the name would be taken relative to whatever the current folder is.
    if (dir.isEmpty()) {
        fail(QStringLiteral("no folder to download into"));
        return;
    }
    if (!urlText.isEmpty())
        url = QUrl(urlText, QUrl::TolerantMode);
    if (!IsHttpUrl(url)) {
        fail(QStringLiteral("%1 is no http or https address").arg(QuotedLogLineText(url.toString())));
        return;
    }
    if (!openPartialFile())
        return;
    startRequest(url);
}

bool CDownloader::openPartialFile() {
    fileName = url.fileName(QUrl::FullyDecoded);
    if (!IsPlainFileName(fileName)) {
        const QString name = fileName;
        fileName.clear();
        fail(QStringLiteral("%1 names no plain file: %2")
                 .arg(QuotedLogLineText(url.toString()), QuotedLogLineText(name)));
        return false;
    }
    RemovePath(partialPath());
    file = new QFile(partialPath());
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const QString why = file->errorString();
        delete file;
        file = nullptr;
        fail(QStringLiteral("%1 cannot be written: %2").arg(QuotedLogLineText(partialPath()), LogLineText(why)));
        return false;
    }
    return true;
}

void CDownloader::startRequest(const QUrl& target) {
    m_received = 0;
    transfer.setMaxBodyBytes(m_maxBytes);
    if (!transfer.start(target, m_proxy, kUserAgent)) {
        fail(transfer.errorText());
        return;
    }
    timer->start(int(m_timeout));
}

void CDownloader::slotReadyRead(const QByteArray& data) {
    m_received += data.size();
    if (file && !m_writeFailed && file->write(data) != data.size()) {
        // A full disk must not end as a short file that looks complete.
        m_writeFailed = true;
        transfer.abort();
        fail(QStringLiteral("%1 cannot be written: %2")
                 .arg(QuotedLogLineText(partialPath()), LogLineText(file->errorString())));
        return;
    }
    timer->start(int(m_timeout));
    emit signalProgress(m_received, transfer.contentLength());
}

void CDownloader::slotTimeOut() {
    timer->stop();
    if (!transfer.isRunning())
        return;
    // The transfer and its connection end here and now, however far the response got.
    transfer.abort();
    fail(QStringLiteral("no data for %1 ms").arg(m_timeout));
}

void CDownloader::slotHttpFinished(bool complete) {
    timer->stop();
    if (file && !file->flush())
        m_writeFailed = true;
    closeFile();
    if (!complete) {
        fail(LogLineText(transfer.errorText()));
        return;
    }
    if (m_writeFailed) {
        fail(QStringLiteral("%1 cannot be written").arg(QuotedLogLineText(partialPath())));
        return;
    }
    const int status = transfer.status();
    // A 3xx without a Location names no target, which would lead back to the same address.
    const QUrl target = status >= 300 && status <= 399 ? transfer.redirectTarget() : QUrl();
    if (!target.isEmpty()) {
        RemoveFile(partialPath());
        const QUrl next = url.resolved(target);
        // Once on https, a redirect must not hand the rest of the transfer to anyone on the path.
        if (m_redirects >= MaxRedirects) {
            fail(QStringLiteral("more than %1 redirects").arg(MaxRedirects));
            return;
        }
        if (!IsHttpUrl(next) || (IsHttps(url) && !IsHttps(next))) {
            fail(QStringLiteral("redirect to %1 refused").arg(QuotedLogLineText(next.toString())));
            return;
        }
        ++m_redirects;
        url = next;
        if (!openPartialFile())
            return;
        startRequest(url);
        return;
    }
    // Only a 2xx answer carries the file; a 3xx without a target does not.
    if (status < 200 || status > 299) {
        fail(QStringLiteral("HTTP status %1").arg(status));
        return;
    }
    const QString finalPath = dir + fileName;
    RemovePath(finalPath); // an earlier download of the same name
    if (!QFile::rename(partialPath(), finalPath)) {
        fail(QStringLiteral("%1 cannot be put in place").arg(QuotedLogLineText(finalPath)));
        return;
    }
    m_errorCode = 0;
    m_errorText.clear();
    m_downloadedFiles.append(finalPath);
    emit signalFinished();
}

void CDownloader::closeFile() {
    if (!file)
        return;
    file->close();
    delete file;
    file = nullptr;
}

void CDownloader::fail(const QString& why) {
    timer->stop();
    transfer.abort();
    closeFile();
    if (!fileName.isEmpty())
        RemoveFile(partialPath());
    m_errorCode = 1;
    m_errorText = why;
    emit signalFinished();
}
