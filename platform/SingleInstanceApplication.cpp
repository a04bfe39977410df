#include "SingleInstanceApplication.h"

#include "InstanceGuard.h"

#include <QWidget>

namespace platform {

SingleInstanceApplication::SingleInstanceApplication(const QString& id, int& argc, char** argv)
    : QApplication(argc, argv), m_guard(new InstanceGuard(id, this)) {
    connect(m_guard, &InstanceGuard::messageReceived, this, [this](const QString& message) {
        if (m_activateOnMessage)
            activateWindow();
        emit messageReceived(message);
    });
}

SingleInstanceApplication::~SingleInstanceApplication() = default;

QString SingleInstanceApplication::id() const {
    return m_guard->id();
}

bool SingleInstanceApplication::isRunning() const {
    return m_guard->isRunning();
}

bool SingleInstanceApplication::sendMessage(const QString& message, int timeoutMs) {
    return m_guard->sendMessage(message, timeoutMs);
}

void SingleInstanceApplication::setActivationWindow(QWidget* window, bool activateOnMessage) {
    m_window = window;
    m_activateOnMessage = activateOnMessage;
}

QWidget* SingleInstanceApplication::activationWindow() const {
    return m_window;
}

void SingleInstanceApplication::activateWindow() {
    if (!m_window)
        return;
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
}

} // namespace platform
