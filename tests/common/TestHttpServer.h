#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for tests: it records every request and answers with a response set
// by the test, per path or by default, or never answers at all.

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

class TestHttpServer : public QTcpServer {
public:
    struct Request {
        QByteArray line; // "GET /path?query HTTP/1.1"
        QByteArray method;
        QByteArray target;                    // path and query as sent
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;

        QString path() const { return QUrl(QString::fromLatin1(target)).path(); }
        QUrlQuery query() const { return QUrlQuery(QUrl(QString::fromLatin1(target))); }
        // The query items in the order they were sent, values decoded.
        QList<QPair<QString, QString>> queryItems() const { return query().queryItems(QUrl::FullyDecoded); }
        QStringList queryKeys() const {
            QStringList keys;
            for (const auto& item : queryItems())
                keys.append(item.first);
            return keys;
        }
    };

    struct Response {
        Response(int status = 200, const QByteArray& body = {},
                 const QByteArray& contentType = "text/html; charset=utf-8")
            : status(status), body(body), contentType(contentType) {}
        int status;
        QByteArray body;
        QByteArray contentType;
        QList<QPair<QByteArray, QByteArray>> headers;
    };

    explicit TestHttpServer(QObject* parent = nullptr) : QTcpServer(parent) {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                Accept(socket);
        });
    }

    // Listens on a free port of 127.0.0.1.
    bool start() { return listen(QHostAddress::LocalHost, 0); }

    QUrl url(const QString& pathAndQuery = QStringLiteral("/")) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(pathAndQuery));
    }

    void setDefaultResponse(const Response& response) { m_defaultResponse = response; }
    void setResponse(const QString& path, const Response& response) { m_responses.insert(path, response); }
    // false: requests are read and recorded, the connection stays open and nothing is ever sent back.
    void setAnswering(bool answering) { m_answering = answering; }

    QList<Request> requests() const { return m_requests; }
    QList<Request> requestsTo(const QString& path) const {
        QList<Request> found;
        for (const Request& request : m_requests) {
            if (request.path() == path)
                found.append(request);
        }
        return found;
    }
    bool waitForRequestTo(const QString& path, int timeoutMs = 30000) {
        return QTest::qWaitFor([&] { return !requestsTo(path).isEmpty(); }, timeoutMs);
    }
    int openConnections() const { return m_buffers.size(); }

private:
    void Accept(QTcpSocket* socket) {
        m_buffers.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }

    void Read(QTcpSocket* socket) {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        for (;;) {
            const int headerEnd = buffer.indexOf("\r\n\r\n");
            if (headerEnd < 0)
                return;
            Request request;
            const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
            request.line = lines.value(0).trimmed();
            const QList<QByteArray> parts = request.line.split(' ');
            request.method = parts.value(0);
            request.target = parts.value(1);
            for (int i = 1; i < lines.size(); ++i) {
                const int colon = lines[i].indexOf(':');
                if (colon > 0)
                    request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
            }
            const int length = request.headers.value("content-length").toInt();
            if (buffer.size() < headerEnd + 4 + length)
                return;
            request.body = buffer.mid(headerEnd + 4, length);
            buffer.remove(0, headerEnd + 4 + length);
            m_requests.append(request);
            if (m_answering)
                Answer(socket, m_responses.value(request.path(), m_defaultResponse));
        }
    }

    static void Answer(QTcpSocket* socket, const Response& response) {
        QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
        out += "Content-Type: " + response.contentType + "\r\n";
        out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        for (const auto& header : response.headers)
            out += header.first + ": " + header.second + "\r\n";
        out += "Connection: close\r\n\r\n" + response.body;
        socket->write(out);
        socket->disconnectFromHost();
    }

    Response m_defaultResponse;
    QHash<QString, Response> m_responses;
    bool m_answering = true;
    QList<Request> m_requests;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
