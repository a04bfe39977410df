#pragma once

#include <QMap>
#include <QProcessEnvironment>
#include <QString>

namespace platform {

// Host and port of a proxy address; either may be empty.
struct ProxyAddress {
    QString host;
    QString port;
};

// Parses a proxy server text of the Internet-settings form: either one address ("host",
// "host:port", "[v6]:port") used for every protocol, or per-protocol entries
// "http=host:port;https=host:port;socks=host:port". Entries are separated by ';'. The first
// entry that is not a SOCKS entry gives the address: a SOCKS proxy cannot stand in for an HTTP
// one. An address whose host is missing (":8080") gives an empty host rather than taking the
// port for the host.
ProxyAddress parseProxyServer(const QString& server);

// The proxy variables, in the order they are looked at: http_proxy, HTTP_PROXY, all_proxy,
// ALL_PROXY. Each set, non-empty value becomes one per-protocol entry for parseProxyServer():
// "socks=..." for socks*:// URLs, "http=..." for anything else (a value without a scheme is an
// HTTP proxy). A URL without a port gets its scheme's usual one (80, 443 or 1080). Returns ""
// when no variable is set.
QString proxyServerFromEnvironment(const QProcessEnvironment& env);

// The system proxy as the three values "HostName", "Port" and "ProxyEnable" ("1" when a proxy
// variable is set, else "0"). Without any proxy variable "HostName" is "0" and "Port" is empty,
// the values that a missing server setting reads as.
QMap<QString, QString> readSystemProxy(const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

} // namespace platform
