#include "InstanceGuard.h"

#include "RuntimeFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QtEndian>

#include <climits>

#include <unistd.h>

namespace platform {

namespace {

// Messages are a 32-bit big-endian length and that many bytes of UTF-8; the receiver answers one
// byte once it has the whole message.
constexpr char acknowledgement = 0x06;
constexpr quint32 maxMessageBytes = 1024 * 1024;

// Socket paths are limited to about 100 bytes, so the key is a short hash of id and user.
QString instanceKey(const QString& id) {
    const QByteArray seed = id.toUtf8() + '\0' + QByteArray::number(uint(::getuid()));
    return QStringLiteral("mendra-instance-") +
           QString::fromLatin1(QCryptographicHash::hash(seed, QCryptographicHash::Sha256).toHex().left(24));
}

QString pathInRuntimeFolder(const QString& id, const QString& suffix) {
    const QString folder = userRuntimeFolder();
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + instanceKey(id) + suffix;
}

} // namespace

QString InstanceGuard::lockFilePath(const QString& id) {
    return pathInRuntimeFolder(id, QStringLiteral(".lock"));
}

QString InstanceGuard::serverPath(const QString& id) {
    return pathInRuntimeFolder(id, QStringLiteral(".sock"));
}

InstanceGuard::InstanceGuard(const QString& id, QObject* parent) : QObject(parent), m_id(id) {
    const QString lockPath = lockFilePath(id);
    if (lockPath.isEmpty()) {
        qWarning("InstanceGuard: no private runtime folder; other instances cannot be detected");
        return;
    }
    m_lock = std::make_unique<QLockFile>(lockPath);
    // Only a dead owner makes the lock stale, never its age.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        startServer();
    } else if (m_lock->error() == QLockFile::LockFailedError) {
        m_running = true;
        m_lock.reset();
    } else {
        qWarning("InstanceGuard: cannot create the lock file %s", qPrintable(lockPath));
        m_lock.reset();
    }
}

InstanceGuard::~InstanceGuard() {
    if (m_server)
        m_server->close();
}

void InstanceGuard::startServer() {
    const QString path = serverPath(m_id);
    // Holding the lock, any socket file left there belongs to a dead instance.
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        qWarning("InstanceGuard: cannot listen on %s: %s", qPrintable(path), qPrintable(m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readMessage(socket);
        }
    });
}

void InstanceGuard::readMessage(QLocalSocket* socket) {
    // Several messages may arrive in one read.
    while (socket->bytesAvailable() >= qint64(sizeof(quint32))) {
        quint32 length = 0;
        socket->peek(reinterpret_cast<char*>(&length), sizeof length);
        length = qFromBigEndian(length);
        if (length > maxMessageBytes) {
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < qint64(sizeof length + length))
            return;
        socket->skip(sizeof length);
        const QString message = QString::fromUtf8(socket->read(length));
        socket->write(&acknowledgement, 1);
        socket->flush();
        emit messageReceived(message);
    }
}

bool InstanceGuard::sendMessage(const QString& message, int timeoutMs) {
    if (!m_running)
        return false;
    const QString path = serverPath(m_id);
    const QByteArray payload = message.toUtf8();
    if (path.isEmpty() || quint32(payload.size()) > maxMessageBytes)
        return false;

    QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
    QLocalSocket socket;
    // The running instance may hold its lock a moment before it listens: keep trying.
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(int(qMin<qint64>(deadline.remainingTime(), INT_MAX))))
            break;
        if (deadline.hasExpired())
            return false;
        const qint64 remaining = deadline.remainingTime();
        QThread::msleep(quint64(remaining < 0 ? 50 : qMin<qint64>(remaining, 50)));
        socket.abort();
    }
    const quint32 length = qToBigEndian(quint32(payload.size()));
    socket.write(reinterpret_cast<const char*>(&length), sizeof length);
    socket.write(payload);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(qMin<qint64>(deadline.remainingTime(), INT_MAX))))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), INT_MAX))))
            return false;
    }
    char answer = 0;
    socket.getChar(&answer);
    socket.disconnectFromServer();
    return answer == acknowledgement;
}

} // namespace platform
