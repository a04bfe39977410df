#pragma once

// A certificate authority made for one test run with the openssl command, and a server certificate it
// signed for 127.0.0.1 and localhost. The program trusts the authority through MENDRA_EXTRA_CA.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

class TestCertificateAuthority {
public:
    // Writes ca.pem, server.pem and server.key into folder; false with openssl's output in why when a
    // step fails.
    bool Make(const QString& folder, QString* why) {
        m_folder = folder;
        const QString ec = QStringLiteral("ec");
        const QString curve = QStringLiteral("ec_paramgen_curve:prime256v1");
        QFile extensions(Path("server.ext"));
        if (!extensions.open(QIODevice::WriteOnly))
            return Fail(why, "cannot write server.ext");
        extensions.write("subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\n"
                         "extendedKeyUsage=serverAuth\n");
        extensions.close();
        return Run({"req", "-x509", "-newkey", ec, "-pkeyopt", curve, "-nodes", "-keyout", Path("ca.key"), "-out",
                    CaFile(), "-days", "2", "-subj", "/CN=Mendra Test CA", "-addext",
                    "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign"},
                   why) &&
               Run({"req", "-newkey", ec, "-pkeyopt", curve, "-nodes", "-keyout", KeyFile(), "-out", Path("server.csr"),
                    "-subj", "/CN=127.0.0.1"},
                   why) &&
               Run({"x509", "-req", "-in", Path("server.csr"), "-CA", CaFile(), "-CAkey", Path("ca.key"),
                    "-CAcreateserial", "-out", CertificateFile(), "-days", "2", "-extfile", Path("server.ext")},
                   why);
    }

    QString CaFile() const { return Path("ca.pem"); }
    QString CertificateFile() const { return Path("server.pem"); }
    QString KeyFile() const { return Path("server.key"); }

private:
    QString Path(const char* name) const { return QDir(m_folder).filePath(QString::fromLatin1(name)); }

    static bool Fail(QString* why, const QString& text) {
        if (why)
            *why = text;
        return false;
    }

    static bool Run(const QStringList& arguments, QString* why) {
        QProcess openssl;
        openssl.setProcessChannelMode(QProcess::MergedChannels);
        openssl.start(QStringLiteral("openssl"), arguments);
        if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0)
            return Fail(why, QStringLiteral("openssl %1: %2")
                                 .arg(arguments.join(QLatin1Char(' ')), QString::fromLocal8Bit(openssl.readAll())));
        return true;
    }

    QString m_folder;
};
