#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <mutex>

class MimeMessage;
class QHostAddress;
class QTcpSocket;

// Sends one MimeMessage to an SMTP server over plain TCP, TLS from the start, or STARTTLS. It blocks on the
// thread that owns it. Besides the bool result of each step it keeps a byte-based progress estimate,
// takes a stop request from another thread, and refuses that request in the final phase (from just before
// the closing "." until the server's reply), when the mail may already have been taken.
//
// Certificates and the host name are always verified (TlsTrust, with MENDRA_EXTRA_CA); credentials are
// only sent over an encrypted connection or to a server on this machine.
class SmtpClient : public QObject {
    Q_OBJECT
public:
    enum ConnectionType { PlainTcp = 0, SslOnConnect = 1, StartTls = 2 };
    enum AuthMethod { SaslPlain = 0, SaslLogin = 1 };
    enum SmtpError {
        ConnectFailed = 0,        // no connection or TLS handshake in time, an untrusted peer, or a stop
        ReplyTimedOut = 1,        // a wait for reply data failed (once per failed wait)
        WriteTimedOut = 2,        // a command or the message could not be written
        AuthRejected = 3,         // an AUTH step did not get its expected code, or AUTH was not allowed
        ServerTransientError = 4, // a 4xx line, or an unexpected greeting, EHLO or STARTTLS reply
        ServerPermanentError = 5, // a 5xx line
    };
    Q_ENUM(SmtpError)

    SmtpClient(const QString& host = QStringLiteral("localhost"), int port = 25, int connectionType = PlainTcp,
               QObject* parent = nullptr);
    ~SmtpClient() override;

    const QString& getHost() const;
    void setHost(const QString& host);
    int getPort() const;
    void setPort(int port);
    int getConnectionType() const;
    const QString& getEhloName() const;
    void setEhloName(const QString& name);
    const QString& getUser() const;
    void setUser(const QString& user);
    const QString& getPassword() const;
    void setPassword(const QString& password);
    int getAuthMethod() const;
    void setAuthMethod(int method);
    int getConnectionTimeout() const;
    void setConnectionTimeout(int msec);
    int getResponseTimeout() const;
    void setResponseTimeout(int msec);
    int getSendMessageTimeout() const;
    void setSendMessageTimeout(int msec);
    const QString& getResponseText() const;
    int getResponseCode() const;
    QTcpSocket* getSocket() const;

    bool connectToHost();
    // Logs in with the method asked for, or with the other one when the server's EHLO reply offers only that.
    bool login();
    bool login(const QString& user, const QString& password, int method = SaslPlain);
    bool sendMail(MimeMessage& message);
    void quit();

    // Sizes the progress total for this message; call once before connecting.
    void countTransferBytes(MimeMessage& message);
    // The bytes that follow DATA for the message countTransferBytes() sized.
    qint64 messageBytes() const { return m_messageBytes; }

    // From any thread: asks the running steps to stop. Returns whether the send will stop: false while the
    // final phase runs and after the server took the mail.
    bool RequestStop();
    // From any thread, when the program ends: every wait, the final phase's included, gives up within a
    // fraction of a second and no further command is sent. Whether the server took the mail stays unknown.
    void Abort();

    // Whether credentials may be sent on a connection: encrypted, or to a loopback address of this machine.
    static bool MayAuthenticate(bool encrypted, const QHostAddress& peer);

    // The bytes that follow DATA for this message text: "\r\n" line ends, dot-stuffed, ending in "\r\n".
    static QByteArray WireText(const QString& messageText);

signals:
    void smtpError(SmtpClient::SmtpError e);
    void progress(qlonglong bytesHandled, qlonglong bytesTotal);
    void limitStop();

public slots:
    void socketStateChanged(QAbstractSocket::SocketState state);
    void socketError(QAbstractSocket::SocketError error);
    void socketReadyRead();
    void HandleBytes(qlonglong bytes);

private:
    void selectConnectionType(int type);
    bool startEncryption();
    bool isEncrypted() const;
    // Writes a command line; the byte count written, 0 after a stop request, -1 on failure.
    qint64 sendMessage(const QString& text);
    bool writeAll(const QByteArray& data);
    void waitForResponse(int msec);
    bool waitForReadable(int msec);
    // Waits for the connection (encrypted: for the TLS handshake too) while serving the socket's events, so
    // that an abort ends the wait at once.
    bool waitForConnection(bool encrypted, int msec);
    // A stop or an abort was asked for.
    bool halted() const { return stopRequested || aborted; }
    // Sends a command and checks its reply code; counts progress on the way.
    bool command(const QString& text, int expectedCode, const QString& label);
    bool awaitReply(int expectedCode, const QString& label, int msec = -1);
    // EHLO, and the AUTH methods its reply offers.
    bool ehlo();
    // The method to log in with when method was asked for.
    int offeredAuthMethod(int method) const;
    void logFailure(const QString& what) const;

    QTcpSocket* socket = nullptr;
    QString host;
    int port;
    int connectionType = PlainTcp;
    QString ehloName = QStringLiteral("localhost");
    QString user;
    QString password;
    int authMethod = SaslPlain;
    int connectTimeout = 5000;
    int replyTimeout = 3000;
    int writeTimeout = 60000;
    QString lastReplyText;
    int lastReplyCode = -1;
    // Every line of the last reply, without its line end.
    QStringList replyLines;
    // The AUTH methods the last EHLO reply offered, in upper case.
    QStringList offeredAuth;
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> aborted{false};
    // Why the last reply was not taken when it broke a size bound; empty otherwise.
    QString replyProblem;
    // Set once the server has taken the mail; a stop then no longer changes anything.
    bool mailTaken = false;
    std::mutex stopMutex;
    qint64 bytesTotal = 0;
    qint64 bytesHandled = 0;
    double smallStepScale = 0.0;
    // Off while a login's steps are counted as one.
    bool countingBytes = true;
    qint64 m_messageBytes = 0;
};
