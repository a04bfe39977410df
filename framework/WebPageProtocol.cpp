#include "WebPageProtocol.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace WebPageProtocol {

namespace {

const QByteArray kLoadEnd = QByteArrayLiteral("loaded ");

QJsonObject EncodeProxy(const QNetworkProxy& proxy) {
    return QJsonObject{{QStringLiteral("type"), int(proxy.type())},
                       {QStringLiteral("host"), proxy.hostName()},
                       {QStringLiteral("port"), int(proxy.port())},
                       {QStringLiteral("user"), proxy.user()},
                       {QStringLiteral("password"), proxy.password()}};
}

QNetworkProxy DecodeProxy(const QJsonObject& object) {
    const int type = object.value(QStringLiteral("type")).toInt(QNetworkProxy::DefaultProxy);
    if (type < QNetworkProxy::DefaultProxy || type > QNetworkProxy::FtpCachingProxy)
        return QNetworkProxy();
    const int port = object.value(QStringLiteral("port")).toInt();
    return QNetworkProxy(QNetworkProxy::ProxyType(type), object.value(QStringLiteral("host")).toString(),
                         quint16(qBound(0, port, 65535)), object.value(QStringLiteral("user")).toString(),
                         object.value(QStringLiteral("password")).toString());
}

} // namespace

QByteArray EncodeRequest(const LoadRequest& request) {
    const QJsonObject object{{QStringLiteral("url"), request.url.toString(QUrl::FullyEncoded)},
                             {QStringLiteral("proxy"), EncodeProxy(request.proxy)},
                             {QStringLiteral("application"), request.applicationName},
                             {QStringLiteral("organization"), request.organizationName}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

bool DecodeRequest(const QByteArray& line, LoadRequest* request) {
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed());
    const QJsonObject object = document.object();
    const QUrl url(object.value(QStringLiteral("url")).toString(), QUrl::StrictMode);
    if (!document.isObject() || !url.isValid() || url.isEmpty())
        return false;
    request->url = url;
    request->proxy = DecodeProxy(object.value(QStringLiteral("proxy")).toObject());
    request->applicationName = object.value(QStringLiteral("application")).toString();
    request->organizationName = object.value(QStringLiteral("organization")).toString();
    return true;
}

QByteArray EncodeLoadEnd(bool ok) {
    return kLoadEnd + (ok ? QByteArrayLiteral("true") : QByteArrayLiteral("false")) + '\n';
}

bool DecodeLoadEnd(const QByteArray& line, bool* ok) {
    const QByteArray text = line.trimmed();
    if (text == kLoadEnd + "true")
        *ok = true;
    else if (text == kLoadEnd + "false")
        *ok = false;
    else
        return false;
    return true;
}

} // namespace WebPageProtocol
