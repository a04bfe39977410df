#pragma once

// The bug-report mail account as an installation has it, for tests: a test CA that MENDRA_EXTRA_CA names, a
// real mail server (aiosmtpd) with a certificate from it, and the account file that MENDRA_MAIL_CONFIG names,
// written for that server (or for any other peer). Also the reading back of a report's archive with 7z.

#include "RunTool.h"
#include "SmtpTestServer.h"
#include "TestCa.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class MailDeployment {
public:
    static constexpr const char* User = "reports@tavik.example";
    static constexpr const char* Password = "pw for the test server";

    // The CA, a server certificate for 127.0.0.1 and both variables; false with errorText() when openssl
    // fails. Until an account is written, MENDRA_MAIL_CONFIG names a file that does not exist.
    bool setUp() {
        m_ca = std::make_unique<TestCa>();
        if (!m_dir.isValid() || !m_ca->isValid())
            return fail(m_ca->errorText());
        m_certificate = m_ca->issueServerCertificate();
        if (!m_certificate.isValid())
            return fail(m_ca->errorText());
        qputenv("MENDRA_EXTRA_CA", m_ca->caCertificatePath().toLocal8Bit());
        qputenv("MENDRA_MAIL_CONFIG", accountPath().toLocal8Bit());
        removeAccount();
        return true;
    }

    // A server that takes mail over TLS from the start after AUTH with User and Password, and the account
    // file for it.
    bool startServer(SmtpTestServer::Mode mode = SmtpTestServer::Mode::Tls) {
        server = std::make_unique<SmtpTestServer>();
        const SmtpTestServer::Options options(mode, m_certificate.certificatePath, m_certificate.keyPath,
                                              QLatin1String(User), QLatin1String(Password));
        if (!server->start(options))
            return fail(server->errorText());
        static const char* const words[] = {"plain", "tls", "starttls"};
        return writeAccount(server->port(), QLatin1String(words[static_cast<int>(mode)]));
    }

    // The account file for a server on 127.0.0.1 at port; the body replaces the usual keys when given.
    bool writeAccount(quint16 port, const QString& security, const QByteArray& body = QByteArray()) {
        QFile file(accountPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(QStringLiteral("cannot write ") + accountPath());
        const QByteArray text = !body.isEmpty() ? body
                                                : QStringLiteral("[mail]\nhost = 127.0.0.1\nport = %1\nsecurity = %2\n"
                                                                 "user = %3\npassword = %4\n")
                                                      .arg(port)
                                                      .arg(security, QLatin1String(User), QLatin1String(Password))
                                                      .toUtf8();
        return file.write(text) == text.size() || fail(QStringLiteral("cannot write ") + accountPath());
    }

    void removeAccount() { QFile::remove(accountPath()); }
    QString accountPath() const { return m_dir.filePath(QStringLiteral("mail.ini")); }
    QString errorText() const { return m_error; }

    std::unique_ptr<SmtpTestServer> server;

private:
    bool fail(const QString& why) {
        m_error = why;
        return false;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TestCa> m_ca;
    TestCa::ServerCertificate m_certificate;
    QString m_error;
};

// The archive of a report as the support reads it: unpacked with 7z into a folder of its own.
class UnpackedReport {
public:
    // Unpacks the archive's bytes; false with errorText() when 7z cannot.
    bool unpack(const QByteArray& archive) {
        const QString path = m_dir.filePath(QStringLiteral("report.dmp"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(archive) != archive.size())
            return false;
        file.close();
        return RunTool(
            QStringLiteral("7z"),
            {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-o") + folder(), QStringLiteral("--"), path},
            &m_error);
    }

    // Unpacks the one attachment of a mail as SmtpTestServer recorded it.
    bool unpackFromMail(const QJsonObject& mail) {
        const QJsonArray attachments = mail.value(QStringLiteral("attachments")).toArray();
        if (attachments.size() != 1) {
            m_error = QStringLiteral("%1 attachments in the mail").arg(attachments.size());
            return false;
        }
        return unpack(SmtpTestServer::Bytes(attachments.at(0).toObject(), QStringLiteral("data_b64")));
    }

    QString folder() const { return m_dir.filePath(QStringLiteral("unpacked")); }
    // Every file's path inside the archive, sorted.
    QStringList files() const {
        QStringList found;
        collect(QDir(folder()), QString(), &found);
        found.sort();
        return found;
    }
    QByteArray read(const QString& name) const {
        QFile file(QDir(folder()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString errorText() const { return m_error; }

private:
    static void collect(const QDir& dir, const QString& prefix, QStringList* found) {
        for (const QString& name : dir.entryList(QDir::Files))
            found->append(prefix + name);
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            collect(QDir(dir.filePath(name)), prefix + name + QLatin1Char('/'), found);
    }

    QTemporaryDir m_dir;
    QString m_error;
};
