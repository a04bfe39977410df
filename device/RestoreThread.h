#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QThread>

#include <atomic>

class MyModel;

// Runs one repair run: the device library's blocking restore call, whose reports reach the model's
// handler on the GUI thread one at a time while the library waits for each answer. Started once per run;
// the device and option word of a run are given on the GUI thread before it starts, so the worker reads
// no widget and no model state.
class RestoreThread : public QThread {
    Q_OBJECT
public:
    RestoreThread(MRDeviceRef device, void* user, QObject* parent = nullptr);
    ~RestoreThread() override;

    void SetModel(MyModel* model);
    MyModel* GetModel() const { return m_model; }

    // The next run's device and option word (0 standard, keeps data; 1 advanced, erases the device).
    // Only while the thread is not running.
    void SetRun(MRDeviceRef device, int optionWord);
    MRDeviceRef GetDevice() const { return m_device; }
    int GetOptionWord() const { return m_optionWord; }

    // The value the last restore call returned.
    int GetResult() const { return m_result.load(); }
    void* GetUserPointer() const { return m_user; }

    // Emits OnRestoreCallback with this thread's user pointer; the answer of the slot, 0 when none ran.
    int EmitRestoreCallback(MRRestoreCallbackData* data);

signals:
    int OnRestoreCallback(MRRestoreCallbackData* data, void* pUser);

protected:
    void run() override;

private:
    MyModel* m_model = nullptr;
    MRDeviceRef m_device;
    void* m_user;
    std::atomic<int> m_result{0};
    int m_optionWord = MROptionStandard;
};
