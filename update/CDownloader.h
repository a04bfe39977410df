#pragma once

#include "CurlTransfer.h"

#include <QNetworkProxy>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

class QFile;

// Fetches one file over HTTP or HTTPS into a folder. The body goes to the file name with ".tmp" appended
// while it arrives and is renamed to the plain name only once it is complete, so a half-written file never
// stands under the final name. Redirects are followed here (at most MaxRedirects, to http or https only, and
// never from https back to http); a transfer that receives nothing for timeout() milliseconds is given up, its
// connection closed at once. A response's header may hold CurlTransfer::MaxHeaderBytes; a body larger than
// maxBytes() fails the download: refused on its announced length before a byte of it is written, or cut off
// where it passes the limit. A file name holding a control character is refused. Each download() ends with
// exactly one signalFinished(), possibly before download() returns; nothing of it ever waits for the peer.
class CDownloader : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxRedirects = 10;
    static constexpr qint64 DefaultTimeoutMs = 30000;
    // How far the network layer may read ahead of what has been written.
    static constexpr qint64 ReadBufferBytes = 256 * 1024;
    static constexpr qint64 MaxHeaderBytes = CurlTransfer::MaxHeaderBytes;

    explicit CDownloader(QObject* parent = nullptr);
    ~CDownloader() override;

    void setProxy(const QNetworkProxy& proxy);
    // Milliseconds without any data after which the transfer is given up.
    void setTimeout(qint64 milliseconds);
    qint64 timeout() const { return m_timeout; }
    // The most bytes one reply's body may have; each reply of a redirect chain counts on its own. By default
    // XmlLimits::MaxBytes: only the rules file is fetched, and its reader refuses anything larger.
    void setMaxBytes(qint64 bytes);
    qint64 maxBytes() const { return m_maxBytes; }

    void download(const QString& urlText, const QString& folder);

    // 0 after a download that succeeded, 1 after one that failed.
    int errorCode() const { return m_errorCode; }
    // The final paths of the finished downloads, in order.
    QStringList downloadedFiles() const { return m_downloadedFiles; }
    // Why the last download failed, for a log: plain English, outside text escaped; empty after a success.
    QString errorText() const { return m_errorText; }

signals:
    void signalProgress(qlonglong bytesRead, qlonglong totalBytes);
    void signalErrorString();
    void signalFinished();

private slots:
    void slotHttpFinished(bool complete);
    void slotReadyRead(const QByteArray& data);
    void slotTimeOut();

private:
    void startRequest(const QUrl& target);
    // Takes the name of the file from the URL and opens its partial file; false when either fails.
    bool openPartialFile();
    void closeFile();
    void fail(const QString& why);
    QString partialPath() const { return dir + fileName + suffix; }

    QUrl url;
    CurlTransfer transfer;
    QNetworkProxy m_proxy{QNetworkProxy::DefaultProxy};
    QFile* file = nullptr;
    QString dir;
    QString fileName;
    const QString suffix = QStringLiteral(".tmp");
    QStringList m_downloadedFiles;
    int m_errorCode = 0;
    QString m_errorText;
    qint64 m_timeout = DefaultTimeoutMs;
    QTimer* timer = nullptr;
    int m_redirects = 0;
    qint64 m_maxBytes;
    // Body bytes of the current reply so far.
    qint64 m_received = 0;
    bool m_writeFailed = false;
};
