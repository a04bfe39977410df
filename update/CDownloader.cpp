#include "CDownloader.h"

#include "app/FileUtils.h"
#include "app/TlsTrust.h"
#include "app/XmlLimits.h"

#include <QFile>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

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

// The name must stay a name inside the target folder once it is joined to it.
bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

} // namespace

CDownloader::CDownloader(QObject* parent) : QObject(parent), timer(new QTimer(this)), m_maxBytes(XmlLimits::MaxBytes) {
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &CDownloader::slotTimeOut);
}

CDownloader::~CDownloader() {
    const bool running = reply != nullptr;
    if (running) {
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
    }
    closeFile();
    // A transfer cut short leaves nothing behind.
    if (running && !fileName.isEmpty())
        RemoveFile(partialPath());
}

void CDownloader::setProxy(const QNetworkProxy& proxy) {
    manager.setProxy(proxy);
}

void CDownloader::setTimeout(qint64 milliseconds) {
    m_timeout = milliseconds;
}

void CDownloader::setMaxBytes(qint64 bytes) {
    m_maxBytes = qMax<qint64>(0, bytes);
}

void CDownloader::download(const QString& urlText, const QString& folder) {
    if (reply) {
        // One transfer at a time; the running one keeps its own outcome.
        emit signalFinished();
        return;
    }
    m_redirects = 0;
    m_writeFailed = false;
    m_tooLarge = false;
    fileName.clear();
    if (!folder.isEmpty()) {
        dir = WithTrailingSeparator(folder);
        if (!MakePath(dir)) {
            fail();
            return;
        }
    }
    // Without a folder the name would be taken relative to whatever the current folder is.
    if (dir.isEmpty()) {
        fail();
        return;
    }
    if (!urlText.isEmpty())
        url = QUrl(urlText, QUrl::TolerantMode);
    if (!IsHttpUrl(url) || !openPartialFile()) {
        fail();
        return;
    }
    startRequest(url);
}

bool CDownloader::openPartialFile() {
    fileName = url.fileName(QUrl::FullyDecoded);
    if (!IsPlainFileName(fileName)) {
        fileName.clear();
        return false;
    }
    RemovePath(partialPath());
    file = new QFile(partialPath());
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        delete file;
        file = nullptr;
        return false;
    }
    return true;
}

void CDownloader::startRequest(const QUrl& target) {
    QNetworkRequest request(target);
    request.setRawHeader(QByteArrayLiteral("User-Agent"), kUserAgent);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    if (IsHttps(target))
        request.setSslConfiguration(TlsTrust::Configuration());
    m_received = 0;
    reply = manager.get(request);
    // Without a bound the network layer keeps reading from the socket however far the file lags behind.
    reply->setReadBufferSize(ReadBufferBytes);
    timer->start(int(m_timeout));
    connect(reply, &QNetworkReply::finished, this, &CDownloader::slotHttpFinished);
    connect(reply, &QNetworkReply::metaDataChanged, this, &CDownloader::slotMetaDataChanged);
    connect(reply, &QNetworkReply::readyRead, this, &CDownloader::slotReadyRead);
    connect(reply, &QNetworkReply::downloadProgress, this, &CDownloader::signalProgress);
}

void CDownloader::slotMetaDataChanged() {
    if (!reply)
        return;
    // A length over the limit is refused before the body is fetched at all.
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_maxBytes) {
        m_tooLarge = true;
        reply->abort();
    }
}

void CDownloader::slotReadyRead() {
    if (!reply || m_tooLarge)
        return;
    const QByteArray data = reply->readAll();
    m_received += data.size();
    // A body without a length, or one unpacked as it arrives, is held to the limit only by counting it.
    if (m_received > m_maxBytes) {
        m_tooLarge = true;
        reply->abort();
        return;
    }
    if (file && !m_writeFailed && file->write(data) != data.size()) {
        // A full disk must not end as a short file that looks complete.
        m_writeFailed = true;
        reply->abort();
        return;
    }
    timer->start(int(m_timeout));
}

void CDownloader::slotTimeOut() {
    timer->stop();
    if (reply)
        reply->abort();
}

void CDownloader::slotHttpFinished() {
    if (!reply || sender() != reply)
        return;
    if (reply->bytesAvailable() > 0)
        slotReadyRead();
    timer->stop();
    if (file && !file->flush())
        m_writeFailed = true;
    closeFile();

    // A 3xx without a Location names the empty target, which would lead back to the same address.
    const QUrl target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || m_writeFailed || m_tooLarge) {
        fail();
        return;
    }
    if (!target.isEmpty()) {
        RemoveFile(partialPath());
        const QUrl next = url.resolved(target);
        // Once on https, a redirect must not hand the rest of the transfer to anyone on the path.
        if (m_redirects >= MaxRedirects || !IsHttpUrl(next) || (IsHttps(url) && !IsHttps(next))) {
            fail();
            return;
        }
        ++m_redirects;
        url = next;
        releaseReply();
        if (!openPartialFile()) {
            fail();
            return;
        }
        startRequest(url);
        return;
    }
    // Only a 2xx answer carries the file; a 3xx without a target does not.
    const QString finalPath = dir + fileName;
    if (status >= 200 && status <= 299)
        RemovePath(finalPath); // an earlier download of the same name
    if (status < 200 || status > 299 || !QFile::rename(partialPath(), finalPath)) {
        fail();
        return;
    }
    releaseReply();
    m_errorCode = 0;
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

void CDownloader::releaseReply() {
    if (!reply)
        return;
    disconnect(reply, nullptr, this, nullptr);
    reply->deleteLater();
    reply = nullptr;
}

void CDownloader::fail() {
    timer->stop();
    closeFile();
    if (!fileName.isEmpty())
        RemoveFile(partialPath());
    releaseReply();
    m_errorCode = 1;
    emit signalFinished();
}
