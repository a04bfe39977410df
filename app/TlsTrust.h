#pragma once

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>

// The certificate authorities every TLS connection of the program trusts: the system's, plus those in
// the PEM file that MENDRA_EXTRA_CA names (a private mirror's or a test's own CA). Verification of the
// peer and its host name is always on; this only widens whom it accepts.
namespace TlsTrust {

// The file named by MENDRA_EXTRA_CA; empty when the variable is unset or empty.
QString ExtraCaPath();
// The certificates in that file; empty when there is none or it holds no readable certificate.
QList<QSslCertificate> ExtraCertificates();
// Qt's default TLS configuration with the extra authorities added and peer verification required, for
// QSslSocket and QNetworkAccessManager users.
QSslConfiguration Configuration();
// For libcurl's CURLOPT_CAINFO_BLOB, which replaces curl's own bundle: the system's authorities followed
// by the extra ones, as PEM. Empty when there are no extra ones, so curl keeps its default bundle.
QByteArray CurlCaBundle();

} // namespace TlsTrust
