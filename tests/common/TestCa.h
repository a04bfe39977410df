#pragma once

// A certificate authority of a test's own, made with openssl in a temporary folder, and server certificates
// it signs (by default for 127.0.0.1 and localhost). Point MENDRA_EXTRA_CA at caCertificatePath() to have
// the program trust it; a second TestCa that is not named there stands for an untrusted issuer.

#include "RunTool.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TestCa {
public:
    struct ServerCertificate {
        QString certificatePath; // PEM, the server's certificate only
        QString keyPath;         // PEM, unencrypted
        bool isValid() const { return !certificatePath.isEmpty(); }
    };

    explicit TestCa(const QString& commonName = QStringLiteral("Mendra Test CA")) {
        if (!m_dir.isValid()) {
            m_error = QStringLiteral("no temporary folder");
            return;
        }
        m_ok = run({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                    QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"),
                    QStringLiteral("-nodes"), QStringLiteral("-keyout"), path(QStringLiteral("ca.key")),
                    QStringLiteral("-out"), caCertificatePath(), QStringLiteral("-days"), QStringLiteral("30"),
                    QStringLiteral("-subj"), QStringLiteral("/CN=") + commonName, QStringLiteral("-addext"),
                    QStringLiteral("basicConstraints=critical,CA:TRUE"), QStringLiteral("-addext"),
                    QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")});
    }

    bool isValid() const { return m_ok; }
    QString errorText() const { return m_error; }
    QString folder() const { return m_dir.path(); }
    QString caCertificatePath() const { return path(QStringLiteral("ca.pem")); }

    // A new key and certificate signed by this CA for the given names; invalid (see errorText()) when openssl
    // fails.
    ServerCertificate issueServerCertificate(const QStringList& dnsNames = {QStringLiteral("localhost")},
                                             const QStringList& ipAddresses = {QStringLiteral("127.0.0.1")}) {
        if (!m_ok)
            return {};
        const QString base = QStringLiteral("server%1").arg(++m_serial);
        const QString key = path(base + QStringLiteral(".key"));
        const QString request = path(base + QStringLiteral(".csr"));
        const QString certificate = path(base + QStringLiteral(".pem"));
        const QString extensions = path(base + QStringLiteral(".ext"));
        QStringList names;
        for (const QString& name : dnsNames)
            names.append(QStringLiteral("DNS:") + name);
        for (const QString& address : ipAddresses)
            names.append(QStringLiteral("IP:") + address);
        QFile ext(extensions);
        if (!ext.open(QIODevice::WriteOnly)) {
            m_error = QStringLiteral("cannot write ") + extensions;
            return {};
        }
        ext.write("basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature,keyEncipherment\n"
                  "extendedKeyUsage=serverAuth\nsubjectAltName=" +
                  names.join(QLatin1Char(',')).toUtf8() + "\n");
        ext.close();
        const QString commonName = dnsNames.value(0, ipAddresses.value(0, QStringLiteral("server")));
        const bool made =
            run({QStringLiteral("req"), QStringLiteral("-new"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                 QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                 QStringLiteral("-keyout"), key, QStringLiteral("-out"), request, QStringLiteral("-subj"),
                 QStringLiteral("/CN=") + commonName}) &&
            run({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), request, QStringLiteral("-CA"),
                 caCertificatePath(), QStringLiteral("-CAkey"), path(QStringLiteral("ca.key")),
                 QStringLiteral("-set_serial"), QString::number(1000 + m_serial), QStringLiteral("-days"),
                 QStringLiteral("30"), QStringLiteral("-out"), certificate, QStringLiteral("-extfile"), extensions});
        if (!made)
            return {};
        return {certificate, key};
    }

private:
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    bool run(const QStringList& arguments) { return RunTool(QStringLiteral("openssl"), arguments, &m_error); }

    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
    int m_serial = 0;
};
