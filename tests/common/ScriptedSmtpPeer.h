#pragma once

// A scripted SMTP peer on 127.0.0.1 for the faults a real server will not produce on demand: odd reply
// forms, replies that never end, an error at one chosen step, a connection dropped in the middle of the
// mail, a peer that stops reading, a final reply held back until the test releases it. It takes one
// connection and answers each command by its first word from a table the test can change.

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

class ScriptedSmtpPeer : public QTcpServer {
public:
    // Keys of replies that are no command word.
    static constexpr const char* Greeting = "greeting";
    static constexpr const char* EndOfData = "end-of-data";

    explicit ScriptedSmtpPeer(QObject* parent = nullptr) : QTcpServer(parent) {
        m_replies = {
            {Greeting, "220 peer ready\r\n"},
            {"EHLO", "250-peer\r\n250 AUTH PLAIN LOGIN\r\n"},
            {"AUTH", "235 2.7.0 accepted\r\n"},
            {"MAIL", "250 2.1.0 ok\r\n"},
            {"RCPT", "250 2.1.5 ok\r\n"},
            {"DATA", "354 go ahead\r\n"},
            {EndOfData, "250 2.0.0 queued\r\n"},
            {"QUIT", "221 bye\r\n"},
            {"STARTTLS", "454 4.7.0 no TLS here\r\n"},
        };
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                if (m_socket) {
                    socket->abort();
                    socket->deleteLater();
                    continue;
                }
                accept(socket);
            }
        });
    }

    bool start() { return listen(QHostAddress::LocalHost, 0); }

    // The reply to a command (by its first word, upper case) or to Greeting / EndOfData, sent exactly as
    // given. An empty reply sends nothing: the peer stalls until the test calls send().
    void setReply(const QByteArray& key, const QByteArray& reply) { m_replies.insert(key, reply); }
    // The reply to key becomes head followed by unit over and over, written as fast as the client takes it,
    // until the client goes or cap bytes have gone out: a server that never ends its line or its reply.
    void setFlood(const QByteArray& key, const QByteArray& head, const QByteArray& unit, qint64 cap) {
        m_floodKey = key;
        m_floodHead = head;
        m_floodUnit = unit;
        m_floodCap = cap;
        m_replies.insert(key, QByteArray());
    }
    // The rows of the tests' tables of hostile replies: head as the whole reply when unit is empty, otherwise
    // head and then unit without end (up to 1 GiB).
    void setHostileReply(const QByteArray& key, const QByteArray& head, const QByteArray& unit) {
        if (unit.isEmpty())
            setReply(key, head);
        else
            setFlood(key, head, unit, qint64(1) << 30);
    }
    qint64 floodBytes() const { return m_floodSent; }
    // Sends bytes on the open connection now (a held reply).
    void send(const QByteArray& bytes) {
        if (m_socket)
            m_socket->write(bytes);
    }
    // Closes the connection once this many bytes of the mail have come.
    void setDropAfterDataBytes(qint64 bytes) { m_dropAfter = bytes; }
    // Stops reading once the mail has begun to come, so that the client's writes back up.
    void setStopReadingInData(bool stop) { m_stopReadingInData = stop; }
    // Reads again after setStopReadingInData(true): what the client wrote, and whether it has gone.
    void resumeReading() {
        m_stopReadingInData = false;
        read();
    }

    // Every command line received, without its line end.
    const QList<QByteArray>& commands() const { return m_commands; }
    QList<QByteArray> commandWords() const {
        QList<QByteArray> words;
        for (const QByteArray& line : m_commands)
            words.append(line.split(' ').value(0).toUpper());
        return words;
    }
    // The mail as received after DATA, dot-stuffing and all, up to (not including) the final ".\r\n".
    const QByteArray& data() const { return m_data; }
    bool dataEnded() const { return m_dataEnded; }
    bool connected() const { return m_connections > 0; }
    bool clientGone() const { return m_connections > 0 && !m_socket; }

private:
    void accept(QTcpSocket* socket) {
        ++m_connections;
        m_socket = socket;
        // A bounded buffer lets the peer stop reading: the kernel's buffers then fill up.
        socket->setReadBufferSize(64 * 1024);
        connect(socket, &QTcpSocket::readyRead, this, [this] { read(); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this] { flood(); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            if (m_socket == socket)
                m_socket = nullptr;
            socket->deleteLater();
        });
        reply(Greeting);
    }

    // Sends the reply to key (a command word, Greeting or EndOfData) and returns it.
    QByteArray reply(const QByteArray& key) {
        const QByteArray text = m_replies.value(key, "500 5.5.2 unknown command\r\n");
        m_socket->write(text);
        if (key == m_floodKey && !m_flooding) {
            m_flooding = true;
            m_socket->write(m_floodHead);
            flood();
        }
        return text;
    }

    // Keeps a little of the flood queued, so that the peer's own memory stays small.
    void flood() {
        constexpr qint64 queued = 256 * 1024;
        if (!m_flooding || !m_socket || m_floodUnit.isEmpty())
            return;
        while (m_socket->bytesToWrite() < queued && m_floodSent < m_floodCap) {
            QByteArray chunk;
            while (chunk.size() < 64 * 1024)
                chunk += m_floodUnit;
            m_socket->write(chunk);
            m_floodSent += chunk.size();
        }
    }

    void read() {
        if (!m_socket || (m_inData && m_stopReadingInData && !m_data.isEmpty()))
            return;
        m_buffer += m_socket->readAll();
        while (m_socket) {
            if (m_inData) {
                if (!readData())
                    return;
                continue;
            }
            const int end = m_buffer.indexOf("\r\n");
            if (end < 0)
                return;
            const QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            m_commands.append(line);
            const QByteArray word = line.split(' ').value(0).toUpper();
            const QByteArray sent = reply(word);
            if (word == "DATA" && sent.startsWith("354"))
                m_inData = true;
        }
    }

    // Moves mail bytes from the buffer; true when the mail ended and commands may follow.
    bool readData() {
        const int searchFrom = qMax(0, m_data.size() - 4);
        m_data += m_buffer;
        m_buffer.clear();
        int cut = 0;
        if (!m_data.startsWith(".\r\n")) {
            const int end = m_data.indexOf("\r\n.\r\n", searchFrom);
            if (end < 0) {
                if (m_dropAfter >= 0 && m_data.size() >= m_dropAfter)
                    m_socket->abort();
                return false;
            }
            cut = end + 2; // the line end before the "." belongs to the mail's last line
        }
        m_buffer = m_data.mid(cut + 3);
        m_data.truncate(cut);
        m_inData = false;
        m_dataEnded = true;
        reply(EndOfData);
        return true;
    }

    QHash<QByteArray, QByteArray> m_replies;
    QPointer<QTcpSocket> m_socket;
    int m_connections = 0;
    QByteArray m_buffer;
    QList<QByteArray> m_commands;
    QByteArray m_data;
    bool m_inData = false;
    bool m_dataEnded = false;
    bool m_stopReadingInData = false;
    qint64 m_dropAfter = -1;
    QByteArray m_floodKey;
    QByteArray m_floodHead;
    QByteArray m_floodUnit;
    qint64 m_floodCap = 0;
    qint64 m_floodSent = 0;
    bool m_flooding = false;
};
