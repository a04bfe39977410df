#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class CAbstractFrame;

namespace platform {
class TerminationSignals;
}

// Ends the program when the session or a terminal asks it to (SIGTERM at log-out or shut-down, SIGINT, SIGHUP) as
// closing its window outside a repair does: the device job is stopped, the run log says why, and the event loop
// ends with result 0, so that shut-down saves the settings as usual. Nobody is there to answer a box: none is shown,
// and one that is open gives way.
class SignalShutdown : public QObject {
    Q_OBJECT
public:
    SignalShutdown(CAbstractFrame* mainFrame, QObject* parent = nullptr);

    // True once a signal asked the program to end: an event loop started after that would not hear of it.
    bool Requested() const { return m_requested; }

private:
    void End(const QString& signalName);

    platform::TerminationSignals* m_signals;
    QPointer<CAbstractFrame> m_frame;
    bool m_requested = false;
};
