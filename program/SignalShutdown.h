#pragma once

#include "framework/CAbstractFrame.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace platform {
class TerminationSignals;
}

// Ends the program when the session or a terminal asks it to (SIGTERM at log-out or shut-down, SIGINT, SIGHUP) as
// closing its window outside a repair does: the device job is stopped, the run log says why, and the event loop
// ends with result 0, so that shut-down saves the settings as usual. Nobody is there to answer a box: none is shown,
// and one that is open gives way.
//
// Two moments cannot be cut short. While a repair works on the device itself (entering recovery mode, the
// restore), the program ends as soon as that repair has ended, well or not. Before the main window, while the
// start-up's dialog is open (the install of the support software), that dialog is closed as its close button
// closes it, and start-up goes no further.
class SignalShutdown : public QObject {
    Q_OBJECT
public:
    SignalShutdown(CAbstractFrame* mainFrame, QObject* parent = nullptr);

    // True once a signal asked the program to end: an event loop started after that would not hear of it.
    bool Requested() const { return m_requested; }

    // The dialog start-up shows before the main window, null once it is gone.
    void SetStartupFrame(CAbstractFrame* frame) { m_startupFrame = frame; }

private:
    void End(const QString& signalName);
    void EndIfRepairEnded();
    void Finish();

    platform::TerminationSignals* m_signals;
    QPointer<CAbstractFrame> m_frame;
    QPointer<CAbstractFrame> m_startupFrame;
    QTimer m_repairWatch;
    bool m_requested = false;
};
