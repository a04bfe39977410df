#pragma once

// Measures how long the GUI thread's event loop goes without serving a timer: a 10 ms timer on the
// watching thread notes the longest gap between two of its ticks. A frozen window shows as a long gap.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class EventLoopWatch : public QObject {
public:
    explicit EventLoopWatch(QObject* parent = nullptr) : QObject(parent) {
        m_timer.setInterval(10);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.elapsed();
            if (now - m_last > m_longest)
                m_longest = now - m_last;
            m_last = now;
        });
    }

    void start() {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }

    // The longest time in milliseconds, up to now, that the loop served no timer.
    qint64 longestGapMs() const {
        const qint64 open = m_clock.isValid() ? m_clock.elapsed() - m_last : 0;
        return open > m_longest ? open : m_longest;
    }

    void stop() {
        m_longest = longestGapMs();
        m_timer.stop();
        m_clock.invalidate();
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};
