#include "CComponentInstallThread.h"

#include "CAbstractComponentInstall.h"
#include "ComponentLog.h"

#include <algorithm>

CComponentInstallThread::CComponentInstallThread(CAbstractComponentInstall* component, QObject* parent)
    : QThread(parent), component(component) {
    // The component reports from the steps, which run on this thread; the slot only reads the step.
    connect(component, &CAbstractComponentInstall::workProgress, this,
            &CComponentInstallThread::on_component_workProgress, Qt::DirectConnection);
}

CComponentInstallThread::~CComponentInstallThread() {
    // A finished thread leaves the component alone: its owner may already have let go of it.
    if (isRunning()) {
        requestAbort();
        wait();
    }
}

void CComponentInstallThread::requestAbort() {
    component->requestAbort();
}

void CComponentInstallThread::on_component_workProgress(qlonglong completed, qlonglong total) {
    if (total <= 0)
        return;
    const qlonglong done = std::clamp<qlonglong>(completed, 0, total);
    const qlonglong current = std::clamp(step.load(), 0, 4);
    const qlonglong value = ((current * total + done) * 100 / 5) / total;
    emit progress(int(value), 100);
}

void CComponentInstallThread::run() {
    step = -1;
    if (!runStep(0)) {
        // Nothing (or nothing any more) is missing: there is nothing to wait for.
        if (!component->isAbortRequested())
            emit workSuccess();
        return;
    }
    for (int n = 1; n <= 3; ++n) {
        if (!runStep(n)) {
            if (!component->isAbortRequested())
                emit workError();
            return;
        }
    }
    emit workSuccess();
}

bool CComponentInstallThread::runStep(int n) {
    const int current = ++step;
    emit progress(current * 100 / 5, 100);

    struct Step {
        const char* verb;
        const char* debugText;
        const char* workText;
    };
    static const Step steps[] = {
        {"check", "Checking components:", QT_TR_NOOP("Checking...")},
        {"download", "Downloading component:", QT_TR_NOOP("Downloading...")},
        {"decompress", "Decompressing components:", QT_TR_NOOP("Decompressing...")},
        {"install", "Installing components:", QT_TR_NOOP("Installing...")},
    };
    const Step& chosen = steps[n];
    ComponentLog::Debug(QLatin1String(chosen.debugText) + QLatin1Char(' ') + component->name());
    emit message(tr(chosen.workText));

    bool done = false;
    switch (n) {
    case 0:
        done = component->check();
        break;
    case 1:
        done = component->download();
        break;
    case 2:
        done = component->decompress();
        break;
    default:
        done = component->install();
        break;
    }
    if (!done)
        ComponentLog::Debug(QStringLiteral("Be failed to ") + QLatin1String(chosen.verb));
    return done;
}
