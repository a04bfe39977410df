#pragma once

#include <QString>
#include <QThread>

#include <atomic>

class CAbstractComponentInstall;

// Runs one component's check, download, decompress and install in turn and reports each step's text
// and the overall progress (each step owns a fifth of a bar of 100). A run ends with workSuccess (all
// done, or nothing was missing after all), with workError (a step failed), or without a signal when
// it was aborted. The same object may be started again after a run for a retry; each run begins with a
// fresh check.
class CComponentInstallThread : public QThread {
    Q_OBJECT
public:
    // The component is not owned and must outlive the thread's runs.
    explicit CComponentInstallThread(CAbstractComponentInstall* component, QObject* parent = nullptr);
    // Aborts a running run and waits for it; the component must then still exist.
    ~CComponentInstallThread() override;

    // Ends a running download at once; no installer is started afterwards, in this run or a later
    // one. Returns at once; wait() for the end.
    void requestAbort();
    int currentStep() const { return step.load(); }

signals:
    void progress(int value, int max);
    void message(QString text);
    void workError();
    void workSuccess();

public slots:
    void on_component_workProgress(qlonglong completed, qlonglong total);

protected:
    void run() override;

private:
    bool runStep(int n);

    CAbstractComponentInstall* component;
    std::atomic<int> step{0};
};
