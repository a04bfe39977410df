#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace platform {

// Keeps one instance per application id and user. The first instance holds a lock file in the
// user's runtime folder and listens on a local socket beside it; a later instance finds the lock
// held and can hand a message to the first one. A lock left by a crashed instance is taken
// over, and since each user has a runtime folder of their own (and the user id is part of the
// key), two users on one machine never see each other's instance.
class InstanceGuard : public QObject {
    Q_OBJECT
public:
    explicit InstanceGuard(const QString& id, QObject* parent = nullptr);
    ~InstanceGuard() override;

    QString id() const { return m_id; }

    // True when another instance with this id was running when this guard was made.
    bool isRunning() const { return m_running; }

    // Hands a message to the running instance and waits until it has taken it, at most timeoutMs
    // (a negative value waits without limit). False when this is the running instance or no
    // running instance took the message in time.
    bool sendMessage(const QString& message, int timeoutMs = 5000);

    // Paths of the lock file and the local socket for an id in the current user's runtime
    // folder ("" when there is no such folder).
    static QString lockFilePath(const QString& id);
    static QString serverPath(const QString& id);

signals:
    void messageReceived(const QString& message);

private:
    void startServer();
    void readMessage(QLocalSocket* socket);

    QString m_id;
    bool m_running = false;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace platform
