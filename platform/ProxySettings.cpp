#include "ProxySettings.h"

#include <QUrl>

namespace platform {

namespace {

ProxyAddress parseAddress(QString address) {
    address = address.trimmed();
    ProxyAddress result;
    if (address.startsWith(QLatin1Char('['))) {
        // A bracketed IPv6 host holds colons of its own.
        const int close = address.indexOf(QLatin1Char(']'));
        if (close < 0)
            return result;
        result.host = address.mid(1, close - 1);
        const QString rest = address.mid(close + 1);
        if (rest.startsWith(QLatin1Char(':')))
            result.port = rest.mid(1).section(QLatin1Char(':'), 0, 0);
        return result;
    }
    const QStringList parts = address.split(QLatin1Char(':'));
    result.host = parts.value(0);
    result.port = parts.value(1);
    return result;
}

} // namespace

ProxyAddress parseProxyServer(const QString& server) {
    const QStringList entries = server.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        if (!entry.contains(QLatin1Char('=')))
            return parseAddress(entry);
        const QString protocol = entry.section(QLatin1Char('='), 0, 0).trimmed();
        if (protocol.compare(QLatin1String("socks"), Qt::CaseInsensitive) == 0)
            continue;
        return parseAddress(entry.section(QLatin1Char('='), 1));
    }
    return ProxyAddress();
}

QString proxyServerFromEnvironment(const QProcessEnvironment& env) {
    static const char* const names[] = {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"};
    QStringList entries;
    for (const char* name : names) {
        const QString value = env.value(QLatin1String(name)).trimmed();
        if (value.isEmpty())
            continue;
        const QUrl url(value.contains(QLatin1String("://")) ? value : QStringLiteral("http://") + value);
        const QString scheme = url.scheme().toLower();
        const bool socks = scheme.startsWith(QLatin1String("socks"));
        const int defaultPort = socks ? 1080 : (scheme == QLatin1String("https") ? 443 : 80);
        QString host = url.host();
        if (host.contains(QLatin1Char(':')))
            host = QLatin1Char('[') + host + QLatin1Char(']');
        entries << (socks ? QStringLiteral("socks=") : QStringLiteral("http=")) + host + QLatin1Char(':') +
                       QString::number(url.port(defaultPort));
    }
    return entries.join(QLatin1Char(';'));
}

QMap<QString, QString> readSystemProxy(const QProcessEnvironment& env) {
    const QString server = proxyServerFromEnvironment(env);
    const ProxyAddress address = parseProxyServer(server.isEmpty() ? QStringLiteral("0") : server);
    QMap<QString, QString> values;
    values.insert(QStringLiteral("HostName"), address.host);
    values.insert(QStringLiteral("Port"), address.port);
    values.insert(QStringLiteral("ProxyEnable"), server.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
    return values;
}

} // namespace platform
