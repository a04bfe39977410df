#include "CallbackGate.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QWaitCondition>

namespace {

struct GateState {
    QMutex mutex;
    QWaitCondition left;
    QSet<const void*> open;
    QHash<const void*, int> inFlight;
};

GateState& state() {
    // Never destroyed: a library thread may still pass through while the process ends.
    static GateState* gates = new GateState;
    return *gates;
}

} // namespace

void CallbackGate::Open(const void* owner) {
    GateState& s = state();
    QMutexLocker locker(&s.mutex);
    s.open.insert(owner);
}

bool CallbackGate::IsOpen(const void* owner) {
    GateState& s = state();
    QMutexLocker locker(&s.mutex);
    return s.open.contains(owner);
}

bool CallbackGate::Enter(const void* owner) {
    GateState& s = state();
    QMutexLocker locker(&s.mutex);
    if (!s.open.contains(owner))
        return false;
    ++s.inFlight[owner];
    return true;
}

void CallbackGate::Leave(const void* owner) {
    GateState& s = state();
    QMutexLocker locker(&s.mutex);
    auto it = s.inFlight.find(owner);
    if (it != s.inFlight.end() && --it.value() <= 0)
        s.inFlight.erase(it);
    s.left.wakeAll();
}

bool CallbackGate::Close(const void* owner, QObject* receiver, int timeoutMs) {
    GateState& s = state();
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker locker(&s.mutex);
    s.open.remove(owner);
    while (s.inFlight.value(owner) > 0) {
        locker.unlock();
        // A blocked emitter waits on its posted event; deleting the event unhandled releases it.
        if (receiver)
            QCoreApplication::removePostedEvents(receiver, QEvent::MetaCall);
        locker.relock();
        if (s.inFlight.value(owner) == 0)
            break;
        if (deadline.hasExpired())
            return false;
        s.left.wait(&s.mutex, QDeadlineTimer(5));
    }
    return true;
}

CallbackGate::Pass::Pass(const void* owner) : m_owner(owner), m_entered(Enter(owner)) {}

CallbackGate::Pass::~Pass() {
    if (m_entered)
        Leave(m_owner);
}
