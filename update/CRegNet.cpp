#include "CRegNet.h"

#include "CurlGlobal.h"

#include "UpdateTrace.h"
#include "app/TlsTrust.h"

#include <curl/curl.h>

namespace {

QByteArray Escaped(CURL* curl, const QByteArray& text) {
    char* escaped = curl_easy_escape(curl, text.constData(), text.size());
    const QByteArray result(escaped ? escaped : "");
    curl_free(escaped);
    return result;
}

} // namespace

struct CRegNetCallbacks {
    // Appends to the running transfer's body; refusing bytes beyond the limit ends the transfer.
    static size_t UpdateWriteCallback(char* ptr, size_t size, size_t nmemb, void* userdata) {
        const size_t count = size * nmemb;
        auto* self = static_cast<CRegNet*>(userdata);
        if (!ptr || !self || !self->m_body)
            return count;
        if (self->m_body->size() + static_cast<qint64>(count) > CRegNet::MaxBodyBytes) {
            self->m_bodyTooLarge = true;
            return 0;
        }
        self->m_body->append(ptr, static_cast<int>(count));
        return count;
    }

    // Called while a transfer waits as well, so an abort is seen even when the server sends nothing.
    static int ProgressCallback(void* clientp, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<CRegNet*>(clientp)->IsAborted() ? 1 : 0;
    }
};

CRegNet::CRegNet() {
    InitCurlOnce();
}

CRegNet::~CRegNet() {
    if (m_curl)
        curl_easy_cleanup(m_curl);
    curl_slist_free_all(m_headers);
}

void CRegNet::SetProxy(int kind, const QByteArray& host, int port, const QByteArray& user, const QByteArray& password) {
    QMutexLocker lock(&m_proxyMutex);
    if (kind != ProxySocks5 && kind != ProxyHttp) {
        if (kind != ProxyNone)
            qCDebug(lcUpdate, "[unknow proxy type ][%d] [%s]", kind, host.constData());
        m_proxy.kind = ProxyNone;
        m_proxy.host.clear();
        return;
    }
    m_proxy = Proxy{kind, host, port, user, password};
    if (!user.isEmpty())
        qCDebug(lcUpdate, "set proxy user[%s]", user.constData());
    qCDebug(lcUpdate, "set proxy[%s:%d]", host.constData(), port);
}

CRegNet::Proxy CRegNet::GetProxy() const {
    QMutexLocker lock(&m_proxyMutex);
    return m_proxy;
}

void CRegNet::SetTimeouts(const Timeouts& timeouts) {
    m_timeouts = timeouts;
}

int CRegNet::SetUpClient() {
    if (m_curl) {
        curl_easy_cleanup(m_curl);
        m_curl = nullptr;
    }
    m_curl = curl_easy_init();
    if (!m_curl)
        return -1;
    ApplyProxy();
    if (!m_headers) {
        for (const char* header :
             {"Connection: Keep-Alive", "Accept-Language: zh-CN,en,*", "User-Agent: Mozilla/5.0", "Accept:"})
            m_headers = curl_slist_append(m_headers, header);
    }
    curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headers);
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &CRegNetCallbacks::UpdateWriteCallback);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, &CRegNetCallbacks::ProgressCallback);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    // Checks run on worker threads: time-outs must not be signals.
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    // A name lookup runs on a thread of libcurl's own, which nothing can stop: at a time-out or an abort libcurl
    // would wait for it to end, as long as the system's resolver takes (minutes with a name server that never
    // answers). It is left to end by itself instead.
    curl_easy_setopt(m_curl, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(m_curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(m_curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, 2L);
    ApplyTrust();
    curl_easy_setopt(m_curl, CURLOPT_FORBID_REUSE, 0L);
    curl_easy_setopt(m_curl, CURLOPT_FRESH_CONNECT, 0L);
    curl_easy_setopt(m_curl, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(m_curl, CURLOPT_TCP_KEEPIDLE, 30L);
    curl_easy_setopt(m_curl, CURLOPT_TCP_KEEPINTVL, 15L);
    return 0;
}

// libcurl's own bundle stays in use unless extra authorities are named; then the blob carries the
// system's authorities and the extra ones together, since it replaces the bundle.
void CRegNet::ApplyTrust() {
    m_caBundle = TlsTrust::CurlCaBundle();
    if (m_caBundle.isEmpty())
        return;
    curl_blob blob;
    blob.data = m_caBundle.data();
    blob.len = static_cast<size_t>(m_caBundle.size());
    blob.flags = CURL_BLOB_COPY;
    curl_easy_setopt(m_curl, CURLOPT_CAINFO_BLOB, &blob);
}

// Every setting is written, including the ones a previous proxy left, so that a change of proxy never
// keeps a part of the old one. An empty proxy text keeps libcurl from taking a proxy from the environment.
void CRegNet::ApplyProxy() {
    const Proxy proxy = GetProxy();
    if (proxy.kind != ProxySocks5 && proxy.kind != ProxyHttp) {
        curl_easy_setopt(m_curl, CURLOPT_PROXY, "");
        curl_easy_setopt(m_curl, CURLOPT_PROXYUSERPWD, static_cast<char*>(nullptr));
        return;
    }
    // An IPv6 address holds colons of its own: libcurl reads it in brackets only.
    const bool bare = proxy.host.contains(':') && !proxy.host.startsWith('[');
    const QByteArray host = bare ? '[' + proxy.host + ']' : proxy.host;
    const QByteArray address = host + ':' + QByteArray::number(proxy.port);
    curl_easy_setopt(m_curl, CURLOPT_PROXY, address.constData());
    curl_easy_setopt(m_curl, CURLOPT_PROXYTYPE,
                     static_cast<long>(proxy.kind == ProxySocks5 ? CURLPROXY_SOCKS5 : CURLPROXY_HTTP));
    if (proxy.user.isEmpty()) {
        curl_easy_setopt(m_curl, CURLOPT_PROXYUSERPWD, static_cast<char*>(nullptr));
        return;
    }
    const QByteArray credentials = Escaped(m_curl, proxy.user) + ':' + Escaped(m_curl, proxy.password);
    curl_easy_setopt(m_curl, CURLOPT_PROXYUSERPWD, credentials.constData());
}

int CRegNet::HttpGet(const QByteArray& url, QByteArray* body, QByteArray* errorText) {
    if (!m_curl)
        return CURLE_FAILED_INIT;
    ApplyProxy();
    curl_easy_setopt(m_curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(m_curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_timeouts.connectMs));
    // A redirect never leads from TLS to plain text.
    const bool secure = url.left(6).toLower() == "https:";
    curl_easy_setopt(m_curl, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");

    m_stopwatch.restart();
    int code = Perform(m_timeouts.firstTryMs, body, errorText);
    if (code == CURLE_OK)
        return 0;
    if (m_stopwatch.elapsed() < m_timeouts.noRetryAfterMs) {
        for (int retry = 0; retry < 2 && !IsAborted(); ++retry) {
            code = Perform(m_timeouts.retryMs, body, errorText);
            if (code == CURLE_OK)
                return 0;
        }
    }
    qCDebug(lcUpdate, "curl_err[%s][%s]", errorText->constData(), url.constData());
    return code;
}

// One try. The body starts empty every time: what a failed try received must not end up in front of
// the next try's reply.
int CRegNet::Perform(int timeoutMs, QByteArray* body, QByteArray* errorText) {
    body->clear();
    m_body = body;
    m_bodyTooLarge = false;
    m_errorBuffer[0] = '\0';
    curl_easy_setopt(m_curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
    const CURLcode code = IsAborted() ? CURLE_ABORTED_BY_CALLBACK : curl_easy_perform(m_curl);
    m_body = nullptr;
    if (code == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &status);
        if (status < 400)
            return CURLE_OK;
        // An error page is not a reply, however well-formed it is.
        *errorText = "HTTP status " + QByteArray::number(static_cast<qlonglong>(status));
        return CURLE_HTTP_RETURNED_ERROR;
    }
    if (m_bodyTooLarge)
        *errorText = "reply larger than " + QByteArray::number(MaxBodyBytes) + " bytes";
    else if (m_errorBuffer[0])
        *errorText = m_errorBuffer;
    else
        *errorText = curl_easy_strerror(code);
    return code;
}
