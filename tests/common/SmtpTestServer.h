#pragma once

// A real SMTP server for tests: tests/common/smtp_peer.py (Python's aiosmtpd) on a free port of 127.0.0.1,
// plain, with TLS from the start or with STARTTLS, optionally requiring AUTH (PLAIN or LOGIN) with one
// user. Every mail it takes is read back as parsed by Python's own mail parser (see the script).

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
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
    };

    SmtpTestServer() = default;
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;
    ~SmtpTestServer() { stop(); }

    // Starts the server and waits until it listens; false with errorText() when it does not.
    bool start(const Options& options) {
        const QString python = Python();
        if (python.isEmpty()) {
            m_error = QStringLiteral("no python3 with aiosmtpd (Debian package python3-aiosmtpd)");
            return false;
        }
        static const char* const modes[] = {"plain", "tls", "starttls"};
        QStringList arguments{Script(), QStringLiteral("--out"), m_out.path(), QStringLiteral("--mode"),
                              QString::fromLatin1(modes[static_cast<int>(options.mode)])};
        if (options.mode != Mode::Plain)
            arguments << QStringLiteral("--cert") << options.certificatePath << QStringLiteral("--key")
                      << options.keyPath;
        if (!options.user.isEmpty())
            arguments << QStringLiteral("--user") << options.user << QStringLiteral("--password") << options.password;
        m_process.start(python, arguments);
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 30000) {
            while (m_process.canReadLine()) {
                const QByteArray line = m_process.readLine().trimmed();
                if (line.startsWith("PORT ")) {
                    m_port = static_cast<quint16>(line.mid(5).toUInt());
                    return m_port != 0;
                }
            }
            if (m_process.state() == QProcess::NotRunning)
                break;
            m_process.waitForReadyRead(1000);
        }
        m_error = QStringLiteral("the SMTP server did not start: ") +
                  QString::fromLocal8Bit(m_process.readAllStandardError());
        return false;
    }

    void stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    quint16 port() const { return m_port; }
    QString errorText() const { return m_error; }
    // What the server wrote on its standard error so far (Python's complaints).
    QByteArray errors() { return m_process.readAllStandardError(); }

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
    static QString Script() {
        return QDir(qEnvironmentVariable("MENDRA_SOURCE_DIR")).filePath(QStringLiteral("tests/common/smtp_peer.py"));
    }

    // The Debian interpreter first: a python3 earlier on the PATH may not see the Debian package.
    static QString Python() {
        static const QString found = [] {
            for (const QString& candidate :
                 {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
                if (candidate.isEmpty())
                    continue;
                QProcess probe;
                probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import aiosmtpd")});
                if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
                    return candidate;
            }
            return QString();
        }();
        return found;
    }

    QProcess m_process;
    QTemporaryDir m_out;
    quint16 m_port = 0;
    QString m_error;
};
