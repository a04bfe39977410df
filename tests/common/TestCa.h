#pragma once

// A certificate authority made for one test with openssl in a temporary folder, and server
// certificates it signs, so that TLS peers of a test are verified like any other server: the test
// names the authority's certificate in MENDRA_EXTRA_CA and never switches verification off.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TestCa {
public:
    struct Issued {
        QString certificate;
        QString key;
    };

    // Makes the authority's key and certificate; isValid() tells whether that worked.
    TestCa() {
        m_valid = m_dir.isValid() &&
                  Run({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                       Path("ca.key"), "-out", Path("ca.pem"), "-days", "2", "-subj", "/CN=Mendra Test CA", "-addext",
                       "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign"});
    }

    bool isValid() const { return m_valid; }
    QString certificatePath() const { return Path("ca.pem"); }

    // A server certificate signed by this authority for the given subject alternative names
    // ("IP:127.0.0.1", "DNS:localhost"); empty paths when openssl failed.
    Issued issue(const QString& name, const QStringList& altNames) {
        const QString key = Path(name + ".key");
        const QString request = Path(name + ".csr");
        const QString certificate = Path(name + ".pem");
        const QString extensions = Path(name + ".ext");
        QFile file(extensions);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write("basicConstraints=CA:FALSE\nkeyUsage=digitalSignature,keyEncipherment\n"
                   "extendedKeyUsage=serverAuth\nsubjectAltName=" +
                   altNames.join(QLatin1Char(',')).toUtf8() + "\n");
        file.close();
        if (!Run({"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out",
                  request, "-subj", "/CN=" + name}) ||
            !Run({"x509", "-req", "-in", request, "-CA", Path("ca.pem"), "-CAkey", Path("ca.key"), "-CAcreateserial",
                  "-out", certificate, "-days", "2", "-extfile", extensions}))
            return {};
        return {certificate, key};
    }

    // A certificate for 127.0.0.1 that signs itself, which no authority vouches for.
    Issued selfSigned(const QString& name) {
        const Issued issued{Path(name + ".pem"), Path(name + ".key")};
        if (!Run({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                  issued.key, "-out", issued.certificate, "-days", "2", "-subj", "/CN=" + name, "-addext",
                  "subjectAltName=IP:127.0.0.1"}))
            return {};
        return issued;
    }

private:
    QString Path(const QString& file) const { return m_dir.filePath(file); }

    static bool Run(const QStringList& arguments) {
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty())
            return false;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(openssl, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            qWarning("openssl %s failed: %s", qPrintable(arguments.join(QLatin1Char(' '))),
                     process.readAll().constData());
            return false;
        }
        return true;
    }

    QTemporaryDir m_dir;
    bool m_valid = false;
};
