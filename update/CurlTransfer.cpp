#include "CurlTransfer.h"

#include "CurlGlobal.h"

#include "app/TlsTrust.h"

#include <QNetworkProxyFactory>
#include <QNetworkProxyQuery>
#include <QPointer>
#include <QSocketNotifier>

#include <curl/curl.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

namespace {

bool IsHeaderEnd(const char* data, size_t count) {
    return (count == 2 && data[0] == '\r' && data[1] == '\n') || (count == 1 && data[0] == '\n');
}

} // namespace

struct CurlTransferCallbacks {
    static size_t Header(char* data, size_t size, size_t count, void* user) {
        auto* self = static_cast<CurlTransfer*>(user);
        const size_t bytes = size * count;
        self->m_headerBytes += qint64(bytes);
        if (self->m_headerBytes > CurlTransfer::MaxHeaderBytes) {
            self->m_refusal = QStringLiteral("response header larger than %1 bytes").arg(CurlTransfer::MaxHeaderBytes);
            return 0;
        }
        if (!IsHeaderEnd(data, bytes))
            return bytes;
        long status = 0;
        curl_easy_getinfo(self->m_easy, CURLINFO_RESPONSE_CODE, &status);
        // An interim answer (100 Continue) is followed by the real one.
        if (status >= 100 && status < 200)
            return bytes;
        self->m_headerComplete = true;
        curl_off_t length = -1;
        curl_easy_getinfo(self->m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        self->m_contentLength = qint64(length);
        // Refused before a byte of the body is read.
        if (self->m_contentLength > self->m_maxBodyBytes) {
            self->m_refusal =
                QStringLiteral("announced %1 bytes, more than %2").arg(self->m_contentLength).arg(self->m_maxBodyBytes);
            return 0;
        }
        return bytes;
    }

    static size_t Body(char* data, size_t size, size_t count, void* user) {
        auto* self = static_cast<CurlTransfer*>(user);
        const size_t bytes = size * count;
        // The block comes again once the transfer goes on.
        if (!self->m_arrived.isEmpty() && self->m_arrived.size() + qint64(bytes) > CurlTransfer::MaxTurnBytes) {
            self->m_paused = true;
            return CURL_WRITEFUNC_PAUSE;
        }
        if (self->m_bodyBytes + qint64(bytes) > self->m_maxBodyBytes) {
            self->m_refusal = QStringLiteral("body larger than %1 bytes").arg(self->m_maxBodyBytes);
            return 0;
        }
        self->m_bodyBytes += qint64(bytes);
        self->m_arrived.append(data, int(bytes));
        return bytes;
    }

    static int Socket(CURL*, curl_socket_t socket, int what, void* user, void*) {
        static_cast<CurlTransfer*>(user)->Watch(qintptr(socket), what);
        return 0;
    }

    // libcurl's store holds the system's authorities; the extra ones join them for this connection. Reading them
    // from the few lines of their file costs nothing, where listing the system's through Qt takes 100 ms and more.
    static CURLcode AddExtraAuthorities(CURL*, void* context, void* user) {
        const QByteArray& pem = static_cast<CurlTransfer*>(user)->m_extraAuthorities;
        X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(context));
        BIO* bio = BIO_new_mem_buf(pem.constData(), pem.size());
        if (!store || !bio)
            return CURLE_SSL_CERTPROBLEM;
        while (X509* certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr)) {
            X509_STORE_add_cert(store, certificate);
            X509_free(certificate);
        }
        BIO_free(bio);
        // The end of the text shows as an error, as does an authority already in the store.
        ERR_clear_error();
        return CURLE_OK;
    }

    // libcurl must not be called from inside its own callback: the timer runs it from the event loop.
    static int Timer(CURLM*, long milliseconds, void* user) {
        auto* self = static_cast<CurlTransfer*>(user);
        if (milliseconds < 0)
            self->m_timer.stop();
        else
            self->m_timer.start(int(qMin<long>(milliseconds, 60000)));
        return 0;
    }
};

CurlTransfer::CurlTransfer(QObject* parent) : QObject(parent) {
    InitCurlOnce();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { Drive(CURL_SOCKET_TIMEOUT, 0); });
    m_resume.setSingleShot(true);
    m_resume.setInterval(0);
    connect(&m_resume, &QTimer::timeout, this, &CurlTransfer::Resume);
}

CurlTransfer::~CurlTransfer() {
    abort();
    if (m_multi)
        curl_multi_cleanup(m_multi);
}

bool CurlTransfer::start(const QUrl& url, const QNetworkProxy& proxy, const QByteArray& userAgent) {
    abort();
    m_headerBytes = 0;
    m_headerComplete = false;
    m_bodyBytes = 0;
    m_arrived.clear();
    m_refusal.clear();
    m_status = 0;
    m_contentLength = -1;
    m_redirectTarget.clear();
    m_errorText.clear();
    m_errorBuffer[0] = '\0';
    if (!m_multi) {
        m_multi = curl_multi_init();
        if (!m_multi) {
            m_errorText = QStringLiteral("libcurl gives no handle");
            return false;
        }
        curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlTransferCallbacks::Socket);
        curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
        curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlTransferCallbacks::Timer);
        curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    }
    m_easy = curl_easy_init();
    if (!m_easy) {
        m_errorText = QStringLiteral("libcurl gives no handle");
        return false;
    }
    const QByteArray address = url.toEncoded();
    curl_easy_setopt(m_easy, CURLOPT_URL, address.constData());
    curl_easy_setopt(m_easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(m_easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(m_easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(m_easy, CURLOPT_USERAGENT, userAgent.constData());
    // What Qt's network layer asked for and unpacked; the body limit counts the unpacked bytes.
    curl_easy_setopt(m_easy, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &CurlTransferCallbacks::Header);
    curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &CurlTransferCallbacks::Body);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_errorBuffer);
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYHOST, 2L);
    m_extraAuthorities.clear();
    for (const QSslCertificate& certificate : TlsTrust::ExtraCertificates())
        m_extraAuthorities += certificate.toPem();
    if (!m_extraAuthorities.isEmpty()) {
        curl_easy_setopt(m_easy, CURLOPT_SSL_CTX_FUNCTION, &CurlTransferCallbacks::AddExtraAuthorities);
        curl_easy_setopt(m_easy, CURLOPT_SSL_CTX_DATA, this);
    }
    // One file per transfer: no connection is kept for later.
    curl_easy_setopt(m_easy, CURLOPT_FORBID_REUSE, 1L);
    // A name lookup still running when the transfer is given up is left to itself, never waited for.
    curl_easy_setopt(m_easy, CURLOPT_QUICK_EXIT, 1L);
    if (!ApplyProxy(proxy, url) || curl_multi_add_handle(m_multi, m_easy) != CURLM_OK) {
        if (m_errorText.isEmpty())
            m_errorText = QStringLiteral("libcurl refused the transfer");
        curl_easy_cleanup(m_easy);
        m_easy = nullptr;
        return false;
    }
    return true;
}

// As Qt's network layer uses a proxy for an http or https address: an HTTP proxy forwards plain requests
// and tunnels TLS, a caching proxy carries plain requests only, SOCKS 5 tunnels both.
bool CurlTransfer::ApplyProxy(QNetworkProxy proxy, const QUrl& url) {
    if (proxy.type() == QNetworkProxy::DefaultProxy)
        proxy = QNetworkProxyFactory::proxyForQuery(QNetworkProxyQuery(url)).value(0, QNetworkProxy::NoProxy);
    const bool secure = url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    long kind = CURLPROXY_HTTP;
    switch (proxy.type()) {
    case QNetworkProxy::NoProxy:
        // An empty proxy also keeps libcurl from taking one from the environment.
        curl_easy_setopt(m_easy, CURLOPT_PROXY, "");
        return true;
    case QNetworkProxy::HttpProxy:
        break;
    case QNetworkProxy::HttpCachingProxy:
        if (!secure)
            break;
        m_errorText = QStringLiteral("a caching proxy carries no https");
        return false;
    case QNetworkProxy::Socks5Proxy:
        kind = (proxy.capabilities() & QNetworkProxy::HostNameLookupCapability) ? long(CURLPROXY_SOCKS5_HOSTNAME)
                                                                                : long(CURLPROXY_SOCKS5);
        break;
    default:
        m_errorText = QStringLiteral("the proxy carries no http");
        return false;
    }
    QString host = proxy.hostName();
    if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('[')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    curl_easy_setopt(m_easy, CURLOPT_PROXY, host.toUtf8().constData());
    curl_easy_setopt(m_easy, CURLOPT_PROXYPORT, long(proxy.port()));
    curl_easy_setopt(m_easy, CURLOPT_PROXYTYPE, kind);
    // A proxy named outright is used for every address, whatever the environment's exceptions say.
    curl_easy_setopt(m_easy, CURLOPT_NOPROXY, "");
    curl_easy_setopt(m_easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    if (!proxy.user().isEmpty()) {
        curl_easy_setopt(m_easy, CURLOPT_PROXYUSERNAME, proxy.user().toUtf8().constData());
        curl_easy_setopt(m_easy, CURLOPT_PROXYPASSWORD, proxy.password().toUtf8().constData());
        curl_easy_setopt(m_easy, CURLOPT_PROXYAUTH, long(CURLAUTH_ANY));
    }
    return true;
}

void CurlTransfer::abort() {
    m_timer.stop();
    m_resume.stop();
    m_paused = false;
    Release();
    m_arrived.clear();
}

void CurlTransfer::Release() {
    if (!m_easy)
        return;
    // Removing a transfer that has not ended closes its connection.
    curl_multi_remove_handle(m_multi, m_easy);
    curl_easy_cleanup(m_easy);
    m_easy = nullptr;
}

void CurlTransfer::Drive(qintptr socket, int events) {
    if (!m_easy)
        return;
    int running = 0;
    curl_multi_socket_action(m_multi, curl_socket_t(socket), events, &running);
    Deliver();
}

void CurlTransfer::Resume() {
    if (!m_easy || !m_paused)
        return;
    m_paused = false;
    // Hands the block held back to the body callback at once.
    curl_easy_pause(m_easy, CURLPAUSE_CONT);
    Deliver();
}

void CurlTransfer::Deliver() {
    const QPointer<CurlTransfer> alive(this);
    if (!m_arrived.isEmpty()) {
        const QByteArray data = m_arrived;
        m_arrived.clear();
        emit dataReceived(data);
        if (!alive)
            return;
    }
    CheckDone();
    // The rest waits for the next turn of the event loop.
    if (m_paused && m_easy)
        m_resume.start();
}

void CurlTransfer::CheckDone() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
        if (message->msg != CURLMSG_DONE || message->easy_handle != m_easy)
            continue;
        const CURLcode result = message->data.result;
        long status = 0;
        curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
        m_status = int(status);
        char* target = nullptr;
        if (curl_easy_getinfo(m_easy, CURLINFO_REDIRECT_URL, &target) == CURLE_OK && target)
            m_redirectTarget = QUrl::fromEncoded(QByteArray(target));
        const bool ok = result == CURLE_OK && m_refusal.isEmpty();
        if (!m_refusal.isEmpty())
            m_errorText = m_refusal;
        else if (result == CURLE_OUT_OF_MEMORY && !m_headerComplete)
            // What libcurl reports for a header line longer than it holds.
            m_errorText = QStringLiteral("response header line longer than %1 bytes").arg(CURL_MAX_HTTP_HEADER);
        else if (result != CURLE_OK)
            m_errorText = QString::fromUtf8(m_errorBuffer[0] ? m_errorBuffer : curl_easy_strerror(result));
        m_timer.stop();
        Release();
        emit finished(ok);
        return;
    }
}

void CurlTransfer::Watch(qintptr socket, int what) {
    if (what == CURL_POLL_REMOVE) {
        Unwatch(socket);
        return;
    }
    Watched& watched = m_watched[socket];
    auto keep = [&](QSocketNotifier*& notifier, bool wanted, QSocketNotifier::Type type, int events) {
        if (wanted && !notifier) {
            notifier = new QSocketNotifier(socket, type, this);
            connect(notifier, &QSocketNotifier::activated, this, [this, socket, events] { Drive(socket, events); });
        } else if (!wanted && notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
            notifier = nullptr;
        }
    };
    keep(watched.read, what & CURL_POLL_IN, QSocketNotifier::Read, CURL_CSELECT_IN);
    keep(watched.write, what & CURL_POLL_OUT, QSocketNotifier::Write, CURL_CSELECT_OUT);
}

// The notifier may be the one whose signal is being handled: it is switched off now and goes later.
void CurlTransfer::Unwatch(qintptr socket) {
    const Watched watched = m_watched.take(socket);
    for (QSocketNotifier* notifier : {watched.read, watched.write}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
}
