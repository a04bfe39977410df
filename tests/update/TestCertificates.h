#pragma once

// A certificate authority of the test's own and a server certificate it signed for 127.0.0.1, made with
// the openssl command in a folder: ca.pem, server.pem and server.key.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

inline bool RunOpenssl(const QString& folder, const QStringList& arguments) {
    QProcess openssl;
    openssl.setWorkingDirectory(folder);
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        qWarning("openssl %s: %s", qPrintable(arguments.join(' ')), openssl.readAll().constData());
        return false;
    }
    return true;
}

inline bool MakeTestCertificates(const QString& folder) {
    QFile extensions(QDir(folder).filePath(QStringLiteral("server.ext")));
    if (!extensions.open(QIODevice::WriteOnly))
        return false;
    extensions.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n");
    extensions.close();
    return RunOpenssl(folder,
                      {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem", "-days",
                       "2", "-subj", "/CN=Mendra Test CA", "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
                       "keyUsage=critical,keyCertSign,cRLSign"}) &&
           RunOpenssl(folder, {"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "server.key", "-out", "server.csr",
                               "-subj", "/CN=127.0.0.1"}) &&
           RunOpenssl(folder, {"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                               "-CAcreateserial", "-out", "server.pem", "-days", "2", "-extfile", "server.ext"});
}
