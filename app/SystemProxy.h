#pragma once

#include <QMap>
#include <QNetworkProxy>
#include <QString>

// The desktop's proxy setting as a QNetworkProxy: an HTTP proxy when a proxy is switched on and
// names a host, otherwise no proxy (host and port are filled in either way). Notes in the run log
// whether the proxy is switched on.
QNetworkProxy GetSystemProxy();

// The same rule on given "HostName", "Port" and "ProxyEnable" values.
QNetworkProxy ProxyFromSystemValues(const QMap<QString, QString>& values);
