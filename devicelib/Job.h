// One running job of a device: a restore run or a recovery-mode change. Other threads may only ask it to stop.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

typedef void CURLM;

namespace mr {

// Progress reports go out at most this often; the simulated steps also wake this often to look around.
constexpr std::chrono::milliseconds kProgressInterval{100};

// The system's temporary folder, for downloads and unpacking when the program names no folder.
std::string temporaryFolder();

// What a step reports when it ends: code 0 is success; aborted means the job was stopped and reports nothing.
struct StepResult {
    int code = 0;
    std::string text;
    bool aborted = false;

    static StepResult ok() { return {}; }
    static StepResult error(int code, std::string text) { return {code, std::move(text), false}; }
    static StepResult stopped() { return {0, std::string(), true}; }
};

// Progress sink of a step: returns false when the step must end at once (stop, or a fault that ends it).
using ProgressFn = std::function<bool(uint64_t done, uint64_t total)>;

class Job {
public:
    // Never blocks: sets the flag and wakes whatever the job waits on.
    void requestStop();
    bool stopRequested() const { return m_stop.load(std::memory_order_acquire); }

    // Sleeps up to the given time; false when a stop or a wake-up ended the wait.
    bool sleepFor(std::chrono::milliseconds duration);
    void wake();

    // The transfer in progress, so that a stop can interrupt its poll.
    void setTransfer(CURLM* multi);

private:
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_woken = false;
    CURLM* m_multi = nullptr;
};

} // namespace mr
