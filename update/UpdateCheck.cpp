#include "UpdateCheck.h"

#include "CRegImpl.h"
#include "UpdateService.h"
#include "app/RunLog.h"

#include <QThread>

UpdateCheck::UpdateCheck(CRegImpl& service, QObject* parent) : QObject(parent), m_service(service) {}

UpdateCheck::~UpdateCheck() {
    Shutdown();
}

bool UpdateCheck::Start(const QNetworkProxy& proxy) {
    if (m_thread)
        return false;
    SetServiceProxy(proxy, m_service);
    m_service.ClearAbort();
    const quint64 generation = ++m_generation;
    m_thread = QThread::create([this] { m_code.store(m_service.RunCheck()); });
    m_thread->setObjectName(QStringLiteral("UpdateCheck"));
    // The thread object lives here, so its end is delivered queued to this object's thread.
    connect(m_thread, &QThread::finished, this, [this, generation] { OnThreadFinished(generation); });
    m_thread->start();
    return true;
}

void UpdateCheck::OnThreadFinished(quint64 generation) {
    // A worker that Shutdown already ended has nothing to report.
    if (generation != m_generation || !m_thread)
        return;
    QThread* thread = m_thread;
    m_thread = nullptr;
    thread->wait();
    delete thread;
    emit Finished(m_code.load());
}

void UpdateCheck::Shutdown() {
    if (!m_thread)
        return;
    m_service.Abort();
    if (!m_thread->wait(ShutdownWaitMs)) {
        RunLog->WriteString(1, QStringLiteral("The update check did not end in time after it was aborted; waiting"),
                            true);
        m_thread->wait();
    }
    delete m_thread;
    m_thread = nullptr;
    ++m_generation;
}
