#include "SignalShutdown.h"

#include "app/RunLog.h"
#include "controller/Controller.h"
#include "framework/CAbstractFrame.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>

namespace {

QString Reason(const QString& signalName) {
    if (signalName == QLatin1String("SIGTERM"))
        return QStringLiteral("the system asked it to end (log-out, shut-down or kill)");
    if (signalName == QLatin1String("SIGINT"))
        return QStringLiteral("it was interrupted from its terminal (Ctrl+C)");
    if (signalName == QLatin1String("SIGHUP"))
        return QStringLiteral("its terminal or session has gone away");
    return QStringLiteral("it was asked to end");
}

} // namespace

SignalShutdown::SignalShutdown(CAbstractFrame* mainFrame, QObject* parent)
    : QObject(parent), m_signals(new platform::TerminationSignals(this)), m_frame(mainFrame) {
    connect(m_signals, &platform::TerminationSignals::requested, this, &SignalShutdown::End);
}

void SignalShutdown::End(const QString& signalName) {
    // A second signal while the first one is handled changes nothing.
    if (m_requested)
        return;
    m_requested = true;
    RunLog->WriteString(TextLog::Info, QStringLiteral("Program ends on %1: %2.").arg(signalName, Reason(signalName)),
                        true);
    Controller::Instance()->StopDeviceJob();
    if (m_frame) {
        // The frame's close would ask the user first, who is not there.
        m_frame->SetCloseCallback(nullptr, nullptr);
        m_frame->close();
    }
    // Every event loop ends, a modal box's too, and none started from now on runs.
    QCoreApplication::exit(0);
}
