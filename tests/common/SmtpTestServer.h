#pragma once

// A real SMTP server for tests: tests/common/peers/smtp_peer.py (Python's aiosmtpd) on a free port of 127.0.0.1,
// plain, with TLS from the start or with STARTTLS, optionally requiring AUTH with one user and offering PLAIN,
// LOGIN or both. Every mail it takes is read back as parsed by Python's own mail parser (see the script).

#include "PythonPeer.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class SmtpTestServer {
public:
    enum class Mode { Plain, Tls, StartTls };

    struct Options {
        Options(Mode mode = Mode::Plain, const QString& certificatePath = QString(), const QString& keyPath = QString(),
                const QString& user = QString(), const QString& password = QString())
            : mode(mode), certificatePath(certificatePath), keyPath(keyPath), user(user), password(password) {}
        Mode mode = Mode::Plain;
        QString certificatePath; // Tls and StartTls
        QString keyPath;
        QString user; // empty: no AUTH
        QString password;
        QStringList offered; // the AUTH methods offered (PLAIN, LOGIN); empty: both
    };

    // Starts the server and waits until it listens; false with errorText() when it does not.
    bool start(const Options& options) {
        static const char* const modes[] = {"plain", "tls", "starttls"};
        QStringList arguments{QStringLiteral("--out"), m_out.path(), QStringLiteral("--mode"),
                              QString::fromLatin1(modes[static_cast<int>(options.mode)])};
        if (options.mode != Mode::Plain)
            arguments << QStringLiteral("--cert") << options.certificatePath << QStringLiteral("--key")
                      << options.keyPath;
        if (!options.user.isEmpty())
            arguments << QStringLiteral("--user") << options.user << QStringLiteral("--password") << options.password;
        if (!options.offered.isEmpty())
            arguments << QStringLiteral("--offer") << options.offered;
        // The Debian package python3-aiosmtpd.
        return m_peer.start(QStringLiteral("smtp_peer.py"), arguments, QStringLiteral("aiosmtpd"));
    }

    void stop() { m_peer.stop(); }

    quint16 port() const { return m_peer.port(); }
    QString errorText() const { return m_peer.errorText(); }

    // The mails taken so far, in the order they came.
    QList<QJsonObject> mails() const {
        QList<QJsonObject> found;
        for (int n = 1;; ++n) {
            QFile file(QDir(m_out.path()).filePath(QStringLiteral("%1.json").arg(n)));
            if (!file.open(QIODevice::ReadOnly))
                return found;
            found.append(QJsonDocument::fromJson(file.readAll()).object());
        }
    }

    // A Base64 field of a mail record (raw_b64, text_b64, an attachment's data_b64) as bytes.
    static QByteArray Bytes(const QJsonObject& record, const QString& key) {
        return QByteArray::fromBase64(record.value(key).toString().toLatin1());
    }

private:
    QTemporaryDir m_out;
    PythonPeer m_peer; // ends before its folder goes
};
