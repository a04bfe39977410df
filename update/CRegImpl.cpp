#include "CRegImpl.h"

#include "UpdateResult.h"
#include "UpdateTrace.h"

#include <QElapsedTimer>

CRegImpl::CRegImpl() = default;

CRegImpl::~CRegImpl() = default;

void CRegImpl::SetUp(const QByteArray& product, const QByteArray& versioncur, const QByteArray& lang,
                     const QByteArray& endpoint) {
    m_data.SetUp(product, versioncur, lang);
    QMutexLocker lock(&m_endpointMutex);
    m_endpoint = endpoint;
}

void CRegImpl::SetServiceLanguage(const QByteArray& lang) {
    m_data.SetLang(lang);
}

QByteArray CRegImpl::GetEndpoint() const {
    QMutexLocker lock(&m_endpointMutex);
    return m_endpoint;
}

int CRegImpl::RunCheck() {
    m_data.Reset();
    if (!m_data.IsSetUp() || GetEndpoint().isEmpty()) {
        m_data.SetUpdateState(UpdateResult::NotSetUp);
        return UpdateResult::NotSetUp;
    }
    if (m_createClient || !HasClient()) {
        if (SetUpClient() != 0) {
            m_data.SetUpdateState(UpdateResult::ClientFailed);
            return UpdateResult::ClientFailed;
        }
        m_createClient = false;
    }
    CheckUpdateState();
    return m_data.GetUpdateState();
}

void CRegImpl::CheckUpdateState() {
    const QByteArray url = BuildUpdateUrl();
    qCDebug(lcUpdate, "req updata-url[%s]\n", url.constData());
    QElapsedTimer stopwatch;
    stopwatch.start();
    QByteArray body;
    QByteArray errorText;
    const int code = HttpGet(url, &body, &errorText);
    qCDebug(lcUpdate, "get updata[%s] use[%dms]\n", body.constData(), static_cast<int>(stopwatch.elapsed()));
    if (code != 0) {
        m_data.SetErrorText(errorText);
        m_data.SetUpdateState(UpdateResult::TransferFailed);
        return;
    }
    m_data.HandleUpdateData(body);
}

// The values are UTF-8 and are sent percent-encoded: everything but ASCII letters, digits and "-._~".
QByteArray CRegImpl::BuildUpdateUrl() const {
    const CRegData::Query query = m_data.GetQuery();
    const QByteArray endpoint = GetEndpoint();
    return endpoint + (endpoint.contains('?') ? '&' : '?') +
           "action=getinfo&product=" + query.product.toPercentEncoding() +
           "&versioncur=" + query.versioncur.toPercentEncoding() + "&lang=" + query.lang.toPercentEncoding();
}
