#include "CallbackGate.h"

#include <QCoreApplication>
#include <QEvent>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace {

// Standard library locks, so that a thread sanitizer sees every hand-over between the library's threads.
struct GateState {
    std::mutex mutex;
    std::condition_variable left;
    std::unordered_set<const void*> open;
    std::unordered_map<const void*, int> inFlight;
};

GateState& state() {
    // Never destroyed: a library thread may still pass through while the process ends.
    static GateState* gates = new GateState;
    return *gates;
}

} // namespace

void CallbackGate::Open(const void* owner) {
    GateState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.open.insert(owner);
}

bool CallbackGate::IsOpen(const void* owner) {
    GateState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.open.count(owner) != 0;
}

bool CallbackGate::Enter(const void* owner) {
    GateState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.open.count(owner) == 0)
        return false;
    ++s.inFlight[owner];
    return true;
}

void CallbackGate::Leave(const void* owner) {
    GateState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.inFlight.find(owner);
    if (it != s.inFlight.end() && --it->second <= 0)
        s.inFlight.erase(it);
    s.left.notify_all();
}

bool CallbackGate::Close(const void* owner, QObject* receiver, int timeoutMs) {
    GateState& s = state();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> lock(s.mutex);
    s.open.erase(owner);
    auto running = [&] {
        auto it = s.inFlight.find(owner);
        return it != s.inFlight.end() && it->second > 0;
    };
    while (running()) {
        lock.unlock();
        // A blocked emitter waits on its posted event; deleting the event unhandled releases it.
        if (receiver)
            QCoreApplication::removePostedEvents(receiver, QEvent::MetaCall);
        lock.lock();
        if (!running())
            break;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        s.left.wait_for(lock, std::chrono::milliseconds(5));
    }
    return true;
}

CallbackGate::Pass::Pass(const void* owner) : m_owner(owner), m_entered(Enter(owner)) {}

CallbackGate::Pass::~Pass() {
    if (m_entered)
        Leave(m_owner);
}
