#include "SignalShutdown.h"

#include "app/RunLog.h"
#include "controller/Controller.h"
#include "framework/CAbstractFrame.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>

namespace {

// How often a pending end looks whether the repair it waits for has ended.
constexpr int RepairWatchMs = 100;

QString Reason(const QString& signalName) {
    if (signalName == QLatin1String("SIGTERM"))
        return QStringLiteral("the system asked it to end (log-out, shut-down or kill)");
    if (signalName == QLatin1String("SIGINT"))
        return QStringLiteral("it was interrupted from its terminal (Ctrl+C)");
    if (signalName == QLatin1String("SIGHUP"))
        return QStringLiteral("its terminal or session has gone away");
    return QStringLiteral("it was asked to end");
}

void Log(const QString& text) {
    RunLog->WriteString(TextLog::Info, text, true);
}

bool DeviceStepRunning() {
    const Controller* controller = Controller::Instance();
    return controller && controller->IsDeviceStepRunning();
}

} // namespace

SignalShutdown::SignalShutdown(CAbstractFrame* mainFrame, QObject* parent)
    : QObject(parent), m_signals(new platform::TerminationSignals(this)), m_frame(mainFrame) {
    connect(m_signals, &platform::TerminationSignals::requested, this, &SignalShutdown::End);
    m_repairWatch.setInterval(RepairWatchMs);
    connect(&m_repairWatch, &QTimer::timeout, this, &SignalShutdown::EndIfRepairEnded);
}

void SignalShutdown::End(const QString& signalName) {
    // A second signal while the first one is handled changes nothing.
    if (m_requested)
        return;
    m_requested = true;
    const QString request = QStringLiteral("Program ends on %1: %2").arg(signalName, Reason(signalName));
    if (m_startupFrame) {
        // Its own close lets an install at work finish first; then start-up sees the request and ends.
        Log(request + QLatin1Char('.'));
        m_startupFrame->close();
        return;
    }
    if (DeviceStepRunning()) {
        // Stopping the device's job now could leave the device unusable.
        Log(request + QStringLiteral(", once the repair of the device has ended."));
        m_repairWatch.start();
        return;
    }
    Log(request + QLatin1Char('.'));
    Finish();
}

void SignalShutdown::EndIfRepairEnded() {
    if (DeviceStepRunning())
        return;
    m_repairWatch.stop();
    Log(QStringLiteral("The repair has ended; the program ends now."));
    Finish();
}

void SignalShutdown::Finish() {
    if (Controller* controller = Controller::Instance())
        controller->StopDeviceJob();
    if (m_frame) {
        // The frame's close would ask the user first, who is not there.
        m_frame->SetCloseCallback(nullptr, nullptr);
        m_frame->close();
    }
    // Every event loop ends, a modal box's too, and none started from now on runs.
    QCoreApplication::exit(0);
}
