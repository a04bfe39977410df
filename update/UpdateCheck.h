#pragma once

#include <QNetworkProxy>
#include <QObject>

#include <atomic>

class CRegImpl;
class QThread;

// Runs update checks of one service on a worker thread, one at a time, and reports each result on the
// thread that owns this object. Destroying it (or Shutdown) ends a running check first: the transfer is
// aborted and the worker waited for, so no result ever arrives after its owner has gone.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    explicit UpdateCheck(CRegImpl& service, QObject* parent = nullptr);
    ~UpdateCheck() override;

    // Starts one check through the given proxy; false, and nothing starts, while a check runs.
    bool Start(const QNetworkProxy& proxy);
    bool IsRunning() const { return m_thread != nullptr; }
    // Ends a running check without a result. An aborted transfer ends within about a second.
    void Shutdown();

    CRegImpl& Service() const { return m_service; }

    // How long Shutdown waits before it reports that the worker is late (and waits on).
    static constexpr int ShutdownWaitMs = 5000;

signals:
    // Every check that was not shut down ends in exactly one of these: the result code (UpdateResult).
    void Finished(int code);

private:
    void OnThreadFinished(quint64 generation);

    CRegImpl& m_service;
    QThread* m_thread = nullptr;
    quint64 m_generation = 0;
    std::atomic<int> m_code{0};
};
