#include "Job.h"

#include <cstdlib>
#include <curl/curl.h>

namespace mr {

std::string temporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

void Job::requestStop() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stop.store(true, std::memory_order_release);
    m_woken = true;
    if (m_multi)
        curl_multi_wakeup(m_multi);
    m_wake.notify_all();
}

bool Job::sleepFor(std::chrono::milliseconds duration) {
    std::unique_lock<std::mutex> lock(m_mutex);
    bool woken = m_wake.wait_for(lock, duration, [this] { return m_woken; });
    m_woken = false;
    return !woken && !stopRequested();
}

void Job::wake() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_woken = true;
    m_wake.notify_all();
}

void Job::setTransfer(CURLM* multi) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_multi = multi;
}

} // namespace mr
