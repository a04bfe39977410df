#pragma once

// Python's http.server on 127.0.0.1 serving the files of a folder (tests/common/peers/file_server.py): it follows
// the script's misbehaving routes (redirect chains, stalls, slow bodies, status codes, requests never answered)
// and, given a certificate, speaks TLS. It reports every request as it comes and every connection it holds.

#include "PythonPeer.h"
#include "RecordedRequest.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QStringList>
#include <QUrl>

#include <algorithm>

class PythonHttpServer {
public:
    // Serves the files of root; with a certificate and key, over TLS.
    explicit PythonHttpServer(const QString& root, const QString& certificate = QString(),
                              const QString& key = QString())
        : m_arguments{QStringLiteral("--root"), root}, m_https(!certificate.isEmpty()) {
        if (m_https)
            m_arguments << QStringLiteral("--tls") << certificate << key;
    }

    // Starts the server and waits until it listens; false when it did not start.
    bool start() { return m_peer.start(QStringLiteral("file_server.py"), m_arguments); }

    quint16 port() const { return m_peer.port(); }
    QUrl url(const QString& pathAndQuery) const {
        return QUrl(m_peer.url(pathAndQuery, m_https ? QStringLiteral("https") : QStringLiteral("http")));
    }

    // The requests so far as the server saw them (see RecordedRequest.h).
    QList<QJsonObject> requestRecords() { return m_peer.records("REQUEST"); }
    QList<QJsonObject> requestsTo(const QString& path) {
        QList<QJsonObject> found;
        for (const QJsonObject& request : requestRecords()) {
            if (request.value(QStringLiteral("path")).toString() == path)
                found.append(request);
        }
        return found;
    }
    bool waitForRequestTo(const QString& path, int timeoutMs = 30000) {
        return m_peer.waitFor([&] { return !requestsTo(path).isEmpty(); }, timeoutMs);
    }

    // The requests so far, "GET /path?query".
    QStringList requests() {
        QStringList lines;
        for (const QJsonObject& request : requestRecords())
            lines.append(request.value(QStringLiteral("method")).toString() + QLatin1Char(' ') +
                         request.value(QStringLiteral("target")).toString());
        return lines;
    }

    // The requests made before this call: asks for a path of its own and waits for it, so that every request
    // made before has been reported too. Only for a server without TLS.
    QStringList requestsSoFar() {
        const QString marker = QStringLiteral("/sentinel-%1").arg(++m_sentinels);
        QNetworkAccessManager manager;
        manager.setProxy(QNetworkProxy::NoProxy);
        QNetworkReply* reply = manager.get(QNetworkRequest(url(marker)));
        const QString line = QStringLiteral("GET ") + marker;
        const bool seen = m_peer.waitFor([&] { return requests().contains(line); }, 20000);
        delete reply;
        if (!seen)
            return {QStringLiteral("<the server did not answer>")};
        QStringList all = requests();
        QStringList before = all.mid(0, all.indexOf(line));
        before.erase(std::remove_if(before.begin(), before.end(),
                                    [](const QString& request) { return request.startsWith("GET /sentinel-"); }),
                     before.end());
        return before;
    }

    // Connections a client holds open at the moment.
    int openConnections() { return m_peer.records("OPENED").size() - m_peer.records("CLOSED").size(); }

private:
    PythonPeer m_peer;
    QStringList m_arguments;
    bool m_https = false;
    int m_sentinels = 0;
};
