#pragma once

// Python's http.server on 127.0.0.1, started by the test with tests/common/http_server.py: it serves the
// files of a folder, follows the script's misbehaving routes (redirect chains, stalls, slow bodies, status
// codes) and, given a certificate, speaks TLS. Every request it has dealt with is reported back as
// "<method> <path>".

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include <algorithm>

class PythonHttpServer {
public:
    // Serves the files of root; with a certificate and key, over TLS.
    explicit PythonHttpServer(const QString& root, const QString& certificate = QString(),
                              const QString& key = QString()) {
        QStringList arguments{qEnvironmentVariable("MENDRA_SOURCE_DIR") +
                                  QStringLiteral("/tests/common/http_server.py"),
                              QStringLiteral("--root"), root};
        if (!certificate.isEmpty())
            arguments << QStringLiteral("--cert") << certificate << QStringLiteral("--key") << key;
        m_https = !certificate.isEmpty();
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { ReadLines(); });
        m_process.start(QStringLiteral("python3"), arguments);
    }

    ~PythonHttpServer() {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Waits until the server listens; false when it did not start.
    bool start(int timeoutMs = 20000) {
        return QTest::qWaitFor([this] { return m_port != 0 || m_process.state() == QProcess::NotRunning; },
                               timeoutMs) &&
               m_port != 0;
    }

    quint16 port() const { return m_port; }
    QUrl url(const QString& pathAndQuery) const {
        return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                        .arg(m_https ? QStringLiteral("https") : QStringLiteral("http"))
                        .arg(m_port)
                        .arg(pathAndQuery));
    }

    // The requests dealt with so far, "GET /path?query".
    QStringList requests() const { return m_requests; }

    // The requests dealt with before this call: asks for a path of its own and waits for it, so that every
    // request made before has been reported too. Only for a server without TLS.
    QStringList requestsSoFar() {
        const QString marker = QStringLiteral("/sentinel-%1").arg(++m_sentinels);
        QNetworkAccessManager manager;
        manager.setProxy(QNetworkProxy::NoProxy);
        QNetworkReply* reply = manager.get(QNetworkRequest(url(marker)));
        const QString line = QStringLiteral("GET ") + marker;
        const bool seen = QTest::qWaitFor([&] { return m_requests.contains(line); }, 20000);
        delete reply;
        if (!seen)
            return {QStringLiteral("<the server did not answer>")};
        QStringList before = m_requests.mid(0, m_requests.indexOf(line));
        before.erase(std::remove_if(before.begin(), before.end(),
                                    [](const QString& request) { return request.startsWith("GET /sentinel-"); }),
                     before.end());
        return before;
    }

private:
    void ReadLines() {
        m_buffer += m_process.readAllStandardOutput();
        int end;
        while ((end = m_buffer.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(m_buffer.left(end));
            m_buffer.remove(0, end + 1);
            if (m_port == 0 && line.startsWith(QLatin1String("port ")))
                m_port = quint16(line.mid(5).toUInt());
            else
                m_requests.append(line);
        }
    }

    QProcess m_process;
    QByteArray m_buffer;
    quint16 m_port = 0;
    bool m_https = false;
    int m_sentinels = 0;
    QStringList m_requests;
};
