#include "SystemProxy.h"

#include "RunLog.h"

#include "platform/ProxySettings.h"

// Straight from the platform, not through the system utilities: the engine asks for the proxy of every
// update check, and must not take the utilities' desktop services (and the GUI libraries) along.
QNetworkProxy GetSystemProxy() {
    const QMap<QString, QString> values = platform::readSystemProxy();
    RunLog->WriteString(TextLog::Info,
                        QStringLiteral("tempProxyEnable : ") + values.value(QStringLiteral("ProxyEnable")), true);
    return ProxyFromSystemValues(values);
}

QNetworkProxy ProxyFromSystemValues(const QMap<QString, QString>& values) {
    const QString enable = values.value(QStringLiteral("ProxyEnable"));
    const QString host = values.value(QStringLiteral("HostName"));
    bool portRead = false;
    int port = values.value(QStringLiteral("Port")).toInt(&portRead, 10);
    if (!portRead || port < 0 || port > 0xFFFF)
        port = 0;

    QNetworkProxy proxy;
    proxy.setHostName(host);
    proxy.setPort(quint16(port));
    proxy.setUser(QString());
    proxy.setPassword(QString());
    // "0" is what a missing server value reads as: switched on without an address is no proxy.
    const bool hasHost = !host.isEmpty() && host != QLatin1String("0");
    proxy.setType(enable == QLatin1String("1") && hasHost ? QNetworkProxy::HttpProxy : QNetworkProxy::NoProxy);
    return proxy;
}
