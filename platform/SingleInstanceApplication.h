#pragma once

#include <QApplication>
#include <QPointer>
#include <QString>

class QWidget;

namespace platform {

class InstanceGuard;

// An application object of which one instance runs per id and user. A later start finds the
// running one (isRunning), hands it a message (sendMessage) and ends; the running one emits
// messageReceived and, when asked to, brings its activation window to the front.
class SingleInstanceApplication : public QApplication {
    Q_OBJECT
public:
    SingleInstanceApplication(const QString& id, int& argc, char** argv);
    ~SingleInstanceApplication() override;

    QString id() const;
    bool isRunning() const;

    // True when the running instance took the message within timeoutMs.
    bool sendMessage(const QString& message, int timeoutMs = 5000);

    // The window raised and activated by activateWindow(), and on every message when
    // activateOnMessage is set.
    void setActivationWindow(QWidget* window, bool activateOnMessage = true);
    QWidget* activationWindow() const;

public slots:
    // Restores the activation window from the minimised state, raises and activates it.
    void activateWindow();

signals:
    void messageReceived(const QString& message);

private:
    InstanceGuard* m_guard;
    QPointer<QWidget> m_window;
    bool m_activateOnMessage = false;
};

} // namespace platform
