#include "TlsTrust.h"

#include "RunLog.h"

#include <QFile>
#include <QSslSocket>

namespace TlsTrust {

QString ExtraCaPath() {
    return qEnvironmentVariable("MENDRA_EXTRA_CA");
}

QList<QSslCertificate> ExtraCertificates() {
    const QString path = ExtraCaPath();
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        RunLog->WriteString(1, QStringLiteral("Extra CA file %1 cannot be read: %2").arg(path, file.errorString()),
                            true);
        return {};
    }
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(file.readAll(), QSsl::Pem);
    if (certificates.isEmpty())
        RunLog->WriteString(1, QStringLiteral("Extra CA file %1 holds no PEM certificate").arg(path), true);
    return certificates;
}

QSslConfiguration Configuration() {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    const QList<QSslCertificate> extra = ExtraCertificates();
    if (!extra.isEmpty())
        configuration.addCaCertificates(extra);
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    return configuration;
}

QByteArray CurlCaBundle() {
    const QList<QSslCertificate> extra = ExtraCertificates();
    if (extra.isEmpty())
        return {};
    QByteArray pem;
    for (const QSslCertificate& certificate : QSslConfiguration::systemCaCertificates())
        pem += certificate.toPem();
    for (const QSslCertificate& certificate : extra)
        pem += certificate.toPem();
    return pem;
}

} // namespace TlsTrust
