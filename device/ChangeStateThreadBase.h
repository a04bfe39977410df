#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QThread>

#include <atomic>

// One blocking device-mode change on a short-lived thread of its own.
class ChangeStateThreadBase : public QThread {
    Q_OBJECT
public:
    ChangeStateThreadBase(QObject* parent, MRDeviceRef device);
    ~ChangeStateThreadBase() override;

    MRDeviceRef GetDevice() const { return m_device; }
    // The library's answer, 0 on success; valid once the thread has finished.
    int GetResult() const { return m_result.load(); }
    // 1 for entering recovery mode, 0 for leaving it: the mode the device is asked to take.
    virtual int TargetMode() const = 0;

protected:
    void run() override = 0;

    MRDeviceRef m_device;
    std::atomic<int> m_result{0};
};
