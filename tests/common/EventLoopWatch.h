#pragma once

// Measures how long the GUI thread's event loop goes without serving a timer: a 10 ms timer on the
// watching thread notes the longest gap between two of its ticks. A frozen window shows as a long gap.
//
// What counts is the time the thread spent working or waiting on its own account: the time it stood ready to run
// while the kernel gave the processor to other programs (a loaded machine, the other tests of a parallel run) is
// taken out of each gap, as the kernel counts it for the thread in /proc/thread-self/schedstat. Where the kernel
// keeps no such count the gaps are measured as they stand.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

class EventLoopWatch : public QObject {
public:
    explicit EventLoopWatch(QObject* parent = nullptr) : QObject(parent) {
        m_timer.setInterval(10);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.elapsed();
            const qint64 waited = RunQueueWaitMs();
            const qint64 gap = (now - m_last) - (waited - m_lastWaited);
            if (gap > m_longest)
                m_longest = gap;
            m_last = now;
            m_lastWaited = waited;
        });
    }

    void start() {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_lastWaited = RunQueueWaitMs();
        m_timer.start();
    }

    // The longest time in milliseconds, up to now, that the loop served no timer through its own doing. Called
    // on the watching thread.
    qint64 longestGapMs() const {
        const qint64 open = m_clock.isValid() ? (m_clock.elapsed() - m_last) - (RunQueueWaitMs() - m_lastWaited) : 0;
        return open > m_longest ? open : m_longest;
    }

    void stop() {
        m_longest = longestGapMs();
        m_timer.stop();
        m_clock.invalidate();
    }

private:
    // How long, in all, the calling thread has stood ready to run without being given a processor; 0 where the
    // kernel does not say.
    static qint64 RunQueueWaitMs() {
        const int fd = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return 0;
        char text[128] = {};
        const ssize_t got = ::read(fd, text, sizeof text - 1);
        ::close(fd);
        if (got <= 0)
            return 0;
        char* end = nullptr;
        std::strtoull(text, &end, 10); // the time on a processor
        const unsigned long long waitedNs = std::strtoull(end, nullptr, 10);
        return qint64(waitedNs / 1000000ULL);
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_lastWaited = 0;
    qint64 m_longest = 0;
};
