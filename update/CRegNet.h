#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QMutex>

#include <atomic>

typedef void CURL;

// The update service's HTTP client: one libcurl easy handle, reused by every check, and the proxy it
// goes through. The handle is only ever touched by the thread that runs a check; the proxy record may
// be set from any thread and is applied to the handle at the start of every transfer.
class CRegNet {
public:
    // The proxy kinds are the numbers of QNetworkProxy::ProxyType; any other kind means no proxy.
    enum ProxyKind { ProxyNotSet = 0, ProxySocks5 = 1, ProxyNone = 2, ProxyHttp = 3 };

    struct Proxy {
        int kind = ProxyNotSet;
        QByteArray host;
        int port = 0;
        QByteArray user;
        QByteArray password;
    };

    // How long a transfer may take. The first try is kept short so that a dead server is noticed soon;
    // the retries get longer. A first try that took noRetryAfterMs or more is not repeated.
    struct Timeouts {
        int connectMs = 5000;
        int firstTryMs = 3000;
        int retryMs = 5000;
        int noRetryAfterMs = 21000;
    };

    CRegNet();
    virtual ~CRegNet();

    CRegNet(const CRegNet&) = delete;
    CRegNet& operator=(const CRegNet&) = delete;

    void SetProxy(int kind, const QByteArray& host, int port, const QByteArray& user = {},
                  const QByteArray& password = {});
    Proxy GetProxy() const;

    void SetTimeouts(const Timeouts& timeouts);

    // Makes a running transfer end at its next progress report and keeps further tries from starting,
    // until ClearAbort. Safe from any thread.
    void Abort() { m_abort.store(true); }
    void ClearAbort() { m_abort.store(false); }
    bool IsAborted() const { return m_abort.load(); }

    // Creates the handle (replacing an old one) with the options every check uses; -1 when libcurl
    // gives no handle.
    int SetUpClient();
    bool HasClient() const { return m_curl != nullptr; }

    // GET of url into body, up to three tries; 0 or the libcurl code of the last failed try. A reply
    // with an HTTP status of 400 or above counts as a failed try. errorText gets the reason of a failure.
    int HttpGet(const QByteArray& url, QByteArray* body, QByteArray* errorText);

    // A reply body larger than this ends the transfer as failed.
    static constexpr qint64 MaxBodyBytes = 4 * 1024 * 1024;

private:
    int Perform(int timeoutMs, QByteArray* body, QByteArray* errorText);
    void ApplyProxy();
    void ApplyTrust();

    // libcurl's callbacks, in the source file where libcurl's types are known.
    friend struct CRegNetCallbacks;

    CURL* m_curl = nullptr;
    struct curl_slist* m_headers = nullptr;
    mutable QMutex m_proxyMutex;
    Proxy m_proxy;
    Timeouts m_timeouts;
    QElapsedTimer m_stopwatch;
    QByteArray m_caBundle;
    QByteArray* m_body = nullptr; // the body of the running transfer
    bool m_bodyTooLarge = false;
    std::atomic<bool> m_abort{false};
    char m_errorBuffer[256] = {};
};
