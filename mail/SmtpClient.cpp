#include "SmtpClient.h"

#include "EmailAddress.h"
#include "LineEnds.h"
#include "MimeMessage.h"

#include "app/RunLog.h"
#include "app/TlsTrust.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkProxy>
#include <QSslSocket>
#include <QStringList>
#include <QTimer>

#include <cctype>

namespace {

// Bytes counted for every expected reply in the progress estimate.
constexpr qint64 kReplyBytes = 50;
// Every wait is cut into slices this long, so that a stop request ends it soon.
constexpr int kWaitSliceMs = 100;
// The message is written in pieces of this size, so that a stop request ends the upload soon.
constexpr int kWriteChunk = 64 * 1024;
// A reply takes at most this many failed waits.
constexpr int kMaxReplyWaits = 11;
constexpr int kFinalReplyTimeout = 30000;
// A sound server's reply line has at most 512 bytes and its longest reply (EHLO) a few dozen lines; anything
// past these bounds is a peer filling our memory, and the reply is not taken.
constexpr int kMaxReplyLineBytes = 4096;
constexpr int kMaxReplyBytes = 64 * 1024;

qint64 LineBytes(const QString& line) {
    return line.toUtf8().size() + 2;
}

QString PlainCredential(const QString& user, const QString& password) {
    const QByteArray credential = QByteArray(1, '\0') + user.toUtf8() + QByteArray(1, '\0') + password.toUtf8();
    return QString::fromLatin1(credential.toBase64());
}

QString Base64(const QString& text) {
    return QString::fromLatin1(text.toUtf8().toBase64());
}

// The bytes of one login's commands and replies in the progress estimate.
qint64 AuthBytes(int method, const QString& user, const QString& password) {
    if (method == SmtpClient::SaslPlain)
        return LineBytes(QStringLiteral("AUTH PLAIN ") + PlainCredential(user, password)) + kReplyBytes;
    if (method == SmtpClient::SaslLogin)
        return LineBytes(QStringLiteral("AUTH LOGIN")) + LineBytes(Base64(user)) + LineBytes(Base64(password)) +
               3 * kReplyBytes;
    return 0;
}

QStringList HandshakeErrors(const QSslSocket* socket) {
    QStringList errors;
    for (const QSslError& error : socket->sslHandshakeErrors())
        errors.append(error.errorString());
    return errors;
}

} // namespace

SmtpClient::SmtpClient(const QString& host, int port, int connectionType, QObject* parent)
    : QObject(parent), host(host), port(port) {
    qRegisterMetaType<SmtpClient::SmtpError>("SmtpClient::SmtpError");
    selectConnectionType(connectionType);
}

SmtpClient::~SmtpClient() = default;

void SmtpClient::selectConnectionType(int type) {
    connectionType = type;
    delete socket;
    socket = nullptr;
    switch (type) {
    case PlainTcp:
        socket = new QTcpSocket(this);
        break;
    case SslOnConnect:
    case StartTls:
        socket = new QSslSocket(this);
        break;
    default:
        return;
    }
    socket->setProxy(QNetworkProxy::NoProxy);
    connect(socket, &QAbstractSocket::stateChanged, this, &SmtpClient::socketStateChanged);
    connect(socket, &QAbstractSocket::errorOccurred, this, &SmtpClient::socketError);
    connect(socket, &QIODevice::readyRead, this, &SmtpClient::socketReadyRead);
}

const QString& SmtpClient::getHost() const {
    return host;
}

void SmtpClient::setHost(const QString& value) {
    host = value;
}

int SmtpClient::getPort() const {
    return port;
}

void SmtpClient::setPort(int value) {
    port = value;
}

int SmtpClient::getConnectionType() const {
    return connectionType;
}

const QString& SmtpClient::getEhloName() const {
    return ehloName;
}

void SmtpClient::setEhloName(const QString& name) {
    ehloName = name;
}

const QString& SmtpClient::getUser() const {
    return user;
}

void SmtpClient::setUser(const QString& value) {
    user = value;
}

const QString& SmtpClient::getPassword() const {
    return password;
}

void SmtpClient::setPassword(const QString& value) {
    password = value;
}

int SmtpClient::getAuthMethod() const {
    return authMethod;
}

void SmtpClient::setAuthMethod(int method) {
    authMethod = method;
}

int SmtpClient::getConnectionTimeout() const {
    return connectTimeout;
}

void SmtpClient::setConnectionTimeout(int msec) {
    connectTimeout = msec;
}

int SmtpClient::getResponseTimeout() const {
    return replyTimeout;
}

void SmtpClient::setResponseTimeout(int msec) {
    replyTimeout = msec;
}

int SmtpClient::getSendMessageTimeout() const {
    return writeTimeout;
}

void SmtpClient::setSendMessageTimeout(int msec) {
    writeTimeout = msec;
}

const QString& SmtpClient::getResponseText() const {
    return lastReplyText;
}

int SmtpClient::getResponseCode() const {
    return lastReplyCode;
}

QTcpSocket* SmtpClient::getSocket() const {
    return socket;
}

void SmtpClient::logFailure(const QString& what) const {
    RunLog->WriteString(TextLog::Error, QStringLiteral("Mail to %1:%2: %3").arg(host).arg(port).arg(what), true);
}

bool SmtpClient::isEncrypted() const {
    const auto* ssl = qobject_cast<const QSslSocket*>(socket);
    return ssl && ssl->isEncrypted();
}

bool SmtpClient::MayAuthenticate(bool encrypted, const QHostAddress& peer) {
    if (encrypted || peer.isLoopback())
        return true;
    bool isV4 = false;
    const quint32 v4 = peer.toIPv4Address(&isV4);
    return isV4 && QHostAddress(v4).isLoopback();
}

QByteArray SmtpClient::WireText(const QString& messageText) {
    QByteArray wire = LineEnds::DotStuffed(LineEnds::ToCrlf(messageText.toUtf8()));
    if (!wire.endsWith("\r\n"))
        wire += "\r\n";
    return wire;
}

bool SmtpClient::startEncryption() {
    auto* ssl = qobject_cast<QSslSocket*>(socket);
    ssl->startClientEncryption();
    if (waitForConnection(true, connectTimeout) && !halted())
        return true;
    logFailure(QStringLiteral("TLS handshake failed: %1 %2")
                   .arg(ssl->errorString(), HandshakeErrors(ssl).join(QStringLiteral("; "))));
    return false;
}

bool SmtpClient::connectToHost() {
    if (!socket) {
        emit smtpError(ConnectFailed);
        return false;
    }
    if (auto* ssl = qobject_cast<QSslSocket*>(socket))
        ssl->setSslConfiguration(TlsTrust::Configuration());

    bool connected = false;
    if (connectionType == SslOnConnect) {
        auto* ssl = qobject_cast<QSslSocket*>(socket);
        ssl->connectToHostEncrypted(host, static_cast<quint16>(port));
        connected = waitForConnection(true, connectTimeout);
        if (!connected)
            logFailure(QStringLiteral("no TLS connection: %1 %2")
                           .arg(ssl->errorString(), HandshakeErrors(ssl).join(QStringLiteral("; "))));
    } else {
        socket->connectToHost(host, static_cast<quint16>(port));
        connected = waitForConnection(false, connectTimeout);
        if (!connected)
            logFailure(QStringLiteral("no connection: %1").arg(socket->errorString()));
    }
    if (!connected || halted()) {
        emit smtpError(ConnectFailed);
        return false;
    }

    if (!awaitReply(220, QStringLiteral("the greeting")) || !ehlo()) {
        emit smtpError(ServerTransientError);
        return false;
    }
    if (connectionType == StartTls) {
        if (!command(QStringLiteral("STARTTLS"), 220, QStringLiteral("STARTTLS"))) {
            emit smtpError(ServerTransientError);
            return false;
        }
        // Anything that came after the reply was sent before the encryption and could be passed off as the
        // encrypted server's words.
        if (socket->bytesAvailable() > 0) {
            logFailure(QStringLiteral("data after the STARTTLS reply"));
            emit smtpError(ConnectFailed);
            return false;
        }
        if (!startEncryption()) {
            emit smtpError(ConnectFailed);
            return false;
        }
        // What the server offered before the encryption may have been changed on the way.
        if (!ehlo()) {
            emit smtpError(ServerTransientError);
            return false;
        }
    }
    return true;
}

bool SmtpClient::ehlo() {
    offeredAuth.clear();
    if (!command(QStringLiteral("EHLO ") + ehloName, 250, QStringLiteral("EHLO")))
        return false;
    // "250-AUTH PLAIN LOGIN", or the older "250-AUTH=LOGIN"; the keywords are not case-sensitive.
    for (const QString& line : qAsConst(replyLines)) {
        const QString keyword = line.mid(4);
        if (!keyword.startsWith(QLatin1String("AUTH"), Qt::CaseInsensitive) || keyword.size() < 5 ||
            (keyword.at(4) != QLatin1Char(' ') && keyword.at(4) != QLatin1Char('=')))
            continue;
        for (const QString& mechanism : keyword.mid(5).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            offeredAuth << mechanism.toUpper();
    }
    return true;
}

int SmtpClient::offeredAuthMethod(int method) const {
    const auto offered = [this](int candidate) {
        return offeredAuth.contains(candidate == SaslPlain ? QLatin1String("PLAIN") : QLatin1String("LOGIN"));
    };
    // A server that names no method, or neither of these, gets the one asked for, as it always has.
    const int other = method == SaslPlain ? SaslLogin : SaslPlain;
    if (!offered(method) && offered(other))
        return other;
    return method;
}

bool SmtpClient::login() {
    return login(user, password, authMethod);
}

bool SmtpClient::login(const QString& name, const QString& secret, int method) {
    if (method != SaslPlain && method != SaslLogin)
        return true;
    if (!socket || !MayAuthenticate(isEncrypted(), socket->peerAddress())) {
        logFailure(QStringLiteral("credentials are not sent over an unencrypted connection to another machine"));
        emit smtpError(AuthRejected);
        return false;
    }
    // A server that offers only the other method would refuse this one: it gets the one it takes. The
    // progress was sized for the one asked for, and counts as much for the login.
    const int asked = method;
    method = offeredAuthMethod(asked);
    const bool switched = method != asked;
    countingBytes = !switched;
    bool accepted = false;
    if (method == SaslPlain) {
        accepted = command(QStringLiteral("AUTH PLAIN ") + PlainCredential(name, secret), 235, QStringLiteral("AUTH"));
    } else {
        accepted = command(QStringLiteral("AUTH LOGIN"), 334, QStringLiteral("AUTH")) &&
                   command(Base64(name), 334, QStringLiteral("the user name")) &&
                   command(Base64(secret), 235, QStringLiteral("the password"));
    }
    countingBytes = true;
    if (switched && accepted)
        HandleBytes(AuthBytes(asked, name, secret));
    if (!accepted)
        emit smtpError(AuthRejected);
    return accepted;
}

bool SmtpClient::sendMail(MimeMessage& message) {
    if (!socket)
        return false;
    if (!message.isSafe()) {
        logFailure(QStringLiteral("mail refused: an address, a name or the subject cannot go into a header"));
        return false;
    }
    if (!command(QStringLiteral("MAIL FROM: <") + message.sender()->address() + QLatin1Char('>'), 250,
                 QStringLiteral("MAIL FROM")))
        return false;
    for (const int type : {MimeMessage::To, MimeMessage::Cc, MimeMessage::Bcc}) {
        for (const EmailAddress* recipient : message.recipients(type)) {
            if (!command(QStringLiteral("RCPT TO: <") + recipient->address() + QLatin1Char('>'), 250,
                         QStringLiteral("RCPT TO")))
                return false;
        }
    }
    if (!command(QStringLiteral("DATA"), 354, QStringLiteral("DATA")))
        return false;

    const QByteArray wire = WireText(message.toString());
    if (!writeAll(wire)) {
        if (!halted())
            emit smtpError(WriteTimedOut);
        return false;
    }
    HandleBytes(wire.size());

    // From here on the mail may be taken at any moment, so a stop could no longer tell whether it went out.
    std::unique_lock<std::mutex> lock(stopMutex);
    if (halted())
        return false;
    emit limitStop();
    const bool written = sendMessage(QStringLiteral(".")) > 0;
    stopRequested = false;
    if (!written)
        return false;
    waitForResponse(kFinalReplyTimeout);
    if (lastReplyCode != 250) {
        if (aborted)
            logFailure(QStringLiteral("the program ended before the reply to the end of the mail"));
        else
            logFailure(QStringLiteral("reply to the end of the mail: %1")
                           .arg(!replyProblem.isEmpty() ? replyProblem : lastReplyText.trimmed()));
        return false;
    }
    mailTaken = true;
    lock.unlock();
    HandleBytes(kReplyBytes);
    return true;
}

void SmtpClient::quit() {
    // A connection dropped after a reply that broke a bound has nobody left to say goodbye to.
    if (socket && socket->state() == QAbstractSocket::ConnectedState)
        sendMessage(QStringLiteral("QUIT"));
    HandleBytes(-1);
}

bool SmtpClient::RequestStop() {
    if (!stopMutex.try_lock())
        return false;
    if (!mailTaken)
        stopRequested = true;
    const bool stopping = stopRequested;
    stopMutex.unlock();
    return stopping;
}

void SmtpClient::Abort() {
    aborted = true;
}

void SmtpClient::countTransferBytes(MimeMessage& message) {
    const QString ehlo = QStringLiteral("EHLO ") + ehloName;
    qint64 total = LineBytes(ehlo) + 2 * kReplyBytes;
    if (connectionType == StartTls)
        total += LineBytes(QStringLiteral("STARTTLS")) + LineBytes(ehlo) + 2 * kReplyBytes;
    total += AuthBytes(authMethod, user, password);
    if (message.sender())
        total +=
            LineBytes(QStringLiteral("MAIL FROM: <") + message.sender()->address() + QLatin1Char('>')) + kReplyBytes;
    for (const int type : {MimeMessage::To, MimeMessage::Cc, MimeMessage::Bcc}) {
        for (const EmailAddress* recipient : message.recipients(type))
            total += LineBytes(QStringLiteral("RCPT TO: <") + recipient->address() + QLatin1Char('>')) + kReplyBytes;
    }
    total += LineBytes(QStringLiteral("DATA")) + kReplyBytes + kReplyBytes;

    const qint64 messageBytes = WireText(message.toString()).size();
    m_messageBytes = messageBytes;
    bytesTotal = total;
    smallStepScale = 0.9 * static_cast<double>(bytesTotal + messageBytes) / static_cast<double>(bytesTotal);
    bytesTotal += messageBytes;
}

void SmtpClient::HandleBytes(qlonglong bytes) {
    if (bytes == -1) {
        bytesHandled = bytesTotal;
        emit progress(bytesTotal, bytesTotal);
        return;
    }
    if (bytes <= 0 || !countingBytes)
        return;
    bytesHandled += bytes;
    if (bytes >= 300) {
        emit progress(bytesHandled, bytesTotal);
        return;
    }
    qint64 shown = static_cast<qint64>(static_cast<double>(bytesHandled) * smallStepScale);
    if (shown > bytesTotal)
        shown = bytesHandled - bytes;
    emit progress(shown, bytesTotal);
}

qint64 SmtpClient::sendMessage(const QString& text) {
    if (halted())
        return 0;
    // A command is one line; a line end inside it would be a second command.
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
        logFailure(QStringLiteral("a command with a line break is not sent"));
        return -1;
    }
    const QByteArray line = text.toUtf8() + "\r\n";
    if (!writeAll(line)) {
        if (halted())
            return 0;
        emit smtpError(WriteTimedOut);
        return -1;
    }
    return line.size();
}

bool SmtpClient::writeAll(const QByteArray& data) {
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return false;
    const auto* ssl = qobject_cast<const QSslSocket*>(socket);
    const auto pending = [&] { return socket->bytesToWrite() + (ssl ? ssl->encryptedBytesToWrite() : 0); };
    for (int offset = 0; offset < data.size(); offset += kWriteChunk) {
        if (halted())
            return false;
        const int size = qMin(kWriteChunk, data.size() - offset);
        if (socket->write(data.constData() + offset, size) != size)
            return false;
        const QDeadlineTimer deadline(writeTimeout);
        while (pending() > 0) {
            if (halted() || socket->state() != QAbstractSocket::ConnectedState || deadline.hasExpired())
                return false;
            socket->waitForBytesWritten(static_cast<int>(qMin<qint64>(deadline.remainingTime(), kWaitSliceMs)));
        }
    }
    return true;
}

bool SmtpClient::waitForConnection(bool encrypted, int msec) {
    auto* ssl = qobject_cast<QSslSocket*>(socket);
    const auto done = [&] {
        return encrypted ? ssl && ssl->isEncrypted() : socket->state() == QAbstractSocket::ConnectedState;
    };
    // Qt's own blocking waits give up the connection when they time out, so they cannot be cut into slices.
    const QDeadlineTimer deadline(msec);
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(kWaitSliceMs);
    const auto check = [&] {
        if (done() || halted() || deadline.hasExpired() || socket->state() == QAbstractSocket::UnconnectedState)
            loop.quit();
    };
    connect(&tick, &QTimer::timeout, &loop, check);
    connect(socket, &QAbstractSocket::stateChanged, &loop, check);
    connect(socket, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
    if (ssl)
        connect(ssl, &QSslSocket::encrypted, &loop, &QEventLoop::quit);
    tick.start();
    check();
    if (!done() && !halted() && !deadline.hasExpired() && socket->state() != QAbstractSocket::UnconnectedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done();
}

bool SmtpClient::waitForReadable(int msec) {
    const QDeadlineTimer deadline(msec);
    for (;;) {
        if (halted())
            return false;
        if (socket->waitForReadyRead(static_cast<int>(qMin<qint64>(deadline.remainingTime(), kWaitSliceMs))))
            return true;
        if (socket->state() != QAbstractSocket::ConnectedState)
            return socket->bytesAvailable() > 0;
        if (deadline.hasExpired())
            return false;
    }
}

void SmtpClient::waitForResponse(int msec) {
    const int limit = qMax(msec, replyTimeout);
    // A server that trickles bytes without ever finishing the reply is cut off after as long as the
    // failed waits would have taken.
    const QDeadlineTimer whole(static_cast<qint64>(limit) * kMaxReplyWaits);
    replyProblem.clear();
    // The reply is not taken, and the rest of what the peer sends is not read either.
    const auto refuse = [this](const QString& problem) {
        replyProblem = problem;
        lastReplyCode = -1;
        socket->abort();
    };
    int failures = 0;
    qint64 replyBytes = 0;
    replyLines.clear();
    for (;;) {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaxReplyLineBytes)
                return refuse(QStringLiteral("a line longer than %1 bytes").arg(kMaxReplyLineBytes));
            if (!waitForReadable(limit) || halted()) {
                emit smtpError(ReplyTimedOut);
                const bool gone = socket->state() != QAbstractSocket::ConnectedState && !socket->canReadLine();
                if (++failures >= kMaxReplyWaits || halted() || gone || whole.hasExpired()) {
                    lastReplyCode = -1;
                    return;
                }
                continue;
            }
        }
        while (socket->canReadLine() && !halted()) {
            // One byte more than a line may have tells a line that is too long.
            const QByteArray line = socket->readLine(kMaxReplyLineBytes + 1);
            if (line.size() > kMaxReplyLineBytes || !line.endsWith('\n'))
                return refuse(QStringLiteral("a line longer than %1 bytes").arg(kMaxReplyLineBytes));
            replyBytes += line.size();
            if (replyBytes > kMaxReplyBytes)
                return refuse(QStringLiteral("longer than %1 bytes").arg(kMaxReplyBytes));
            lastReplyText = QString::fromUtf8(line);
            replyLines << lastReplyText.trimmed();
            const bool numeric = line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line.at(0))) &&
                                 std::isdigit(static_cast<unsigned char>(line.at(1))) &&
                                 std::isdigit(static_cast<unsigned char>(line.at(2)));
            lastReplyCode = numeric ? line.left(3).toInt() : 0;
            if (lastReplyCode / 100 == 4)
                emit smtpError(ServerTransientError);
            else if (lastReplyCode / 100 == 5)
                emit smtpError(ServerPermanentError);
            // Only a hyphen after the code says that more lines follow; "250\r\n" is a whole reply.
            if (line.size() < 4 || line.at(3) != '-')
                return;
        }
        if (halted() || whole.hasExpired()) {
            if (!halted())
                emit smtpError(ReplyTimedOut);
            lastReplyCode = -1;
            return;
        }
    }
}

bool SmtpClient::awaitReply(int expectedCode, const QString& label, int msec) {
    waitForResponse(msec);
    if (lastReplyCode != expectedCode || halted()) {
        if (!halted()) {
            const QString reply = !replyProblem.isEmpty() ? replyProblem
                                  : lastReplyCode < 0     ? QStringLiteral("none")
                                                          : lastReplyText.trimmed();
            logFailure(QStringLiteral("reply to %1: %2").arg(label, reply));
        }
        return false;
    }
    HandleBytes(kReplyBytes);
    return true;
}

bool SmtpClient::command(const QString& text, int expectedCode, const QString& label) {
    const qint64 count = sendMessage(text);
    if (count <= 0)
        return false;
    HandleBytes(count);
    return awaitReply(expectedCode, label);
}

void SmtpClient::socketStateChanged(QAbstractSocket::SocketState) {}

void SmtpClient::socketError(QAbstractSocket::SocketError) {}

void SmtpClient::socketReadyRead() {}
