#pragma once

#include <QNetworkProxy>

// The desktop's proxy setting as a QNetworkProxy: an HTTP proxy when a proxy is switched on and
// names a host, otherwise no proxy (host and port are filled in either way).
QNetworkProxy GetSystemProxy();
