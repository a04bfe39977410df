#pragma once

#include <QByteArray>
#include <QHash>
#include <QNetworkProxy>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

class QSocketNotifier;

typedef void CURL;
typedef void CURLM;

// One HTTP GET at a time over libcurl, driven by the event loop of the thread it lives in: its sockets are
// watched there and nothing ever waits for the peer. The response's header may hold MaxHeaderBytes, its body
// maxBodyBytes(): a Content-Length over the limit ends the transfer as soon as the header is in, a body that
// grows past it at the first bytes beyond. abort() ends a transfer at once, its connection with it. Redirects
// are not followed; redirectTarget() names where one leads.
//
// Qt's own network layer cannot be held to a header size: a server sending header lines without end keeps
// its network thread reading (and growing) after the reply was aborted, and that thread then holds up the
// manager's destruction for seconds.
class CurlTransfer : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 MaxHeaderBytes = 64 * 1024;
    // Body bytes handed on in one turn of the event loop at most: libcurl reads for as long as the socket holds
    // data, on a fast link the whole body at once, and the thread's loop would stand still meanwhile.
    static constexpr qint64 MaxTurnBytes = 256 * 1024;

    explicit CurlTransfer(QObject* parent = nullptr);
    ~CurlTransfer() override;

    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    void setMaxBodyBytes(qint64 bytes) { m_maxBodyBytes = bytes; }

    // Starts a GET of an http or https address through the proxy (DefaultProxy: the application's); false
    // with errorText() when it cannot be started, and then nothing is emitted.
    bool start(const QUrl& url, const QNetworkProxy& proxy, const QByteArray& userAgent);
    // Ends the running transfer at once; nothing more is emitted for it.
    void abort();
    bool isRunning() const { return m_easy != nullptr; }

    // Of the last transfer: the final response's status (0 before one came), its announced length (-1 when
    // none), where it redirects to (absolute; empty when nowhere), and why it failed.
    int status() const { return m_status; }
    qint64 contentLength() const { return m_contentLength; }
    QUrl redirectTarget() const { return m_redirectTarget; }
    QString errorText() const { return m_errorText; }

signals:
    // Body bytes as they arrive, never more than maxBodyBytes() in all.
    void dataReceived(const QByteArray& data);
    // The transfer ended; ok when the whole response came, whatever its status.
    void finished(bool ok);

private:
    friend struct CurlTransferCallbacks;

    bool ApplyProxy(QNetworkProxy proxy, const QUrl& url);
    void Drive(qintptr socket, int events);
    void Resume();
    // Hands on what arrived and ends the transfer when libcurl says it ended.
    void Deliver();
    void CheckDone();
    void Watch(qintptr socket, int what);
    void Unwatch(qintptr socket);
    void Release();

    struct Watched {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    CURLM* m_multi = nullptr;
    CURL* m_easy = nullptr;
    QTimer m_timer;
    QTimer m_resume; // goes on with a transfer paused for the rest of a turn
    bool m_paused = false;
    QHash<qintptr, Watched> m_watched;
    QByteArray m_extraAuthorities; // PEM
    qint64 m_maxBodyBytes = 0;
    qint64 m_headerBytes = 0;
    bool m_headerComplete = false;
    qint64 m_bodyBytes = 0;
    QByteArray m_arrived; // body bytes taken in by libcurl and not yet handed on
    QString m_refusal;    // why a callback ended the transfer
    int m_status = 0;
    qint64 m_contentLength = -1;
    QUrl m_redirectTarget;
    QString m_errorText;
    char m_errorBuffer[256] = {};
};
