#include "Library.h"

#include "RestoreRun.h"

#include "Strings.h"
#include "zUZArovaduControl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>
#include <thread>

namespace mr {
namespace {

std::string folderOfThisLibrary() {
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&folderOfThisLibrary), &info) && info.dli_fname) {
        std::string path = info.dli_fname;
        size_t slash = path.rfind('/');
        if (slash != std::string::npos)
            return path.substr(0, slash);
    }
    return ".";
}

} // namespace

Library& Library::instance() {
    // Never destroyed: the event thread and running jobs may outlive static destruction at process exit.
    static Library* library = new Library;
    return *library;
}

Library::Library() : m_libraryDir(folderOfThisLibrary()) {
    std::string json = defaultScenarioJson();
    std::string origin = "built-in scenario";
    if (const char* path = std::getenv("MENDRA_DEVICE_SCENARIO")) {
        if (*path) {
            std::string error;
            if (readTextFile(path, &json, &error))
                origin = path;
            else
                std::fprintf(stderr, "zUZArovadu: %s; using the built-in scenario\n", error.c_str());
        }
    }
    Scenario scenario;
    std::string error;
    if (!parseScenario(json, m_libraryDir, &scenario, &error)) {
        std::fprintf(stderr, "zUZArovadu: %s: %s; no devices are simulated\n", origin.c_str(), error.c_str());
        scenario = Scenario();
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        applyScenarioLocked(scenario);
    }
    std::thread thread([this] { eventLoop(); });
    m_eventThread = thread.get_id();
    thread.detach();
}

// ---- event thread -------------------------------------------------------------------------------------------

void Library::eventLoop() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        auto now = std::chrono::steady_clock::now();
        runDueTimers(now);
        if (!m_events.empty()) {
            Event event = std::move(m_events.front());
            m_events.pop_front();
            if (event.database) {
                if (!m_databaseCallback) {
                    m_databasePending = true;
                    continue;
                }
                MRDatabaseUpgradeCallback callback = m_databaseCallback;
                void* user = m_databaseUser;
                m_databaseInFlight = true;
                lock.unlock();
                callback(user);
                lock.lock();
                m_databaseInFlight = false;
                m_changed.notify_all();
                continue;
            }
            for (int target : event.targets) {
                auto it = m_registrations.find(target);
                if (it == m_registrations.end())
                    continue; // unregistered meanwhile
                Registration registration = it->second;
                m_inFlight = target;
                lock.unlock();
                registration.callback(event.device, event.type, registration.user);
                lock.lock();
                m_inFlight = 0;
                m_changed.notify_all();
            }
            continue;
        }
        m_changed.notify_all();
        if (m_timers.empty()) {
            m_changed.wait(lock, [this] { return !m_events.empty() || !m_timers.empty(); });
        } else {
            auto next = std::min_element(m_timers.begin(), m_timers.end(), [](const Timed& a, const Timed& b) {
                            return a.at < b.at;
                        })->at;
            m_changed.wait_until(lock, next);
        }
    }
}

void Library::runDueTimers(std::chrono::steady_clock::time_point now) {
    std::vector<Timed> due;
    auto split = std::stable_partition(m_timers.begin(), m_timers.end(), [now](const Timed& t) { return t.at > now; });
    due.assign(split, m_timers.end());
    m_timers.erase(split, m_timers.end());
    std::stable_sort(due.begin(), due.end(), [](const Timed& a, const Timed& b) { return a.at < b.at; });
    for (const Timed& timer : due) {
        if (timer.kind == Timed::Database) {
            Event event;
            event.database = true;
            m_events.push_back(event);
            continue;
        }
        Device* device = byId(timer.deviceId);
        if (!device)
            continue;
        if ((timer.kind == Timed::Arrive || timer.kind == Timed::Return) && !device->present)
            plugLocked(device);
        else if (timer.kind == Timed::Depart && device->present)
            unplugLocked(device);
    }
}

bool Library::idleLocked(std::chrono::steady_clock::time_point now) const {
    if (!m_events.empty() || m_inFlight || m_databaseInFlight || m_runningJobs)
        return false;
    for (const Timed& timer : m_timers)
        if (timer.at <= now || timer.kind == Timed::Return)
            return false;
    return true;
}

bool Library::waitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!idleLocked(std::chrono::steady_clock::now())) {
        if (m_changed.wait_until(lock, deadline) == std::cv_status::timeout)
            return idleLocked(std::chrono::steady_clock::now());
    }
    return true;
}

void Library::notifyLocked(MRDeviceRef device, int type) {
    Event event;
    event.device = device;
    event.type = type;
    for (const auto& registration : m_registrations)
        event.targets.push_back(registration.first);
    if (!event.targets.empty())
        m_events.push_back(std::move(event));
    m_changed.notify_all();
}

// ---- registration -------------------------------------------------------------------------------------------

void Library::registerNotification(MRDeviceNotificationCallback callback, void* user, int* out) {
    if (!callback) {
        if (out)
            *out = 0;
        return;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    int handle = ++m_lastRegistration;
    if (out)
        *out = handle;
    m_registrations[handle] = Registration{callback, user};
    for (const auto& device : m_devices) {
        if (device->present) {
            Event event;
            event.device = device->handle;
            event.type = MRDeviceArrival;
            event.targets.push_back(handle);
            m_events.push_back(std::move(event));
        }
    }
    m_changed.notify_all();
}

void Library::unregisterNotification(int handle) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_registrations.erase(handle);
    // A callback calling this for its own registration must not wait for itself.
    if (std::this_thread::get_id() == m_eventThread)
        return;
    m_changed.wait(lock, [this, handle] { return m_inFlight != handle; });
}

void Library::registerDatabaseUpgrade(MRDatabaseUpgradeCallback callback, void* user) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_databaseCallback = callback;
    m_databaseUser = user;
    if (callback && m_databasePending) {
        m_databasePending = false;
        Event event;
        event.database = true;
        m_events.push_back(event);
        m_changed.notify_all();
    }
}

void Library::triggerDatabaseUpgrade() {
    std::lock_guard<std::mutex> lock(m_mutex);
    Event event;
    event.database = true;
    m_events.push_back(event);
    m_changed.notify_all();
}

// ---- devices ------------------------------------------------------------------------------------------------

Device* Library::lookup(MRDeviceRef handle) {
    auto it = m_handles.find(handle);
    if (it == m_handles.end())
        return nullptr;
    Device* device = it->second;
    return device->present && device->handle == handle ? device : nullptr;
}

Device* Library::byId(uint64_t id) {
    for (const auto& device : m_devices)
        if (device->def.id == id)
            return device.get();
    return nullptr;
}

void Library::plugLocked(Device* device) {
    cancelReturnLocked(device);
    device->present = true;
    device->handle = ++m_lastHandle;
    m_handles[device->handle] = device;
    notifyLocked(device->handle, MRDeviceArrival);
    // A job waiting for its device to come back goes on at once.
    if (device->job)
        device->job->wake();
}

bool Library::cancelReturnLocked(const Device* device) {
    auto returning = [device](const Timed& t) { return t.kind == Timed::Return && t.deviceId == device->def.id; };
    auto end = std::remove_if(m_timers.begin(), m_timers.end(), returning);
    bool cancelled = end != m_timers.end();
    m_timers.erase(end, m_timers.end());
    return cancelled;
}

void Library::unplugLocked(Device* device) {
    MRDeviceRef old = device->handle;
    device->present = false;
    device->handle = 0;
    notifyLocked(old, MRDeviceDeparture);
    if (device->job)
        device->job->wake();
}

// The device drops off the bus and comes back as a new device in the mode.
void Library::reenumerateLocked(Device* device, int mode) {
    unplugLocked(device);
    device->mode = mode;
    if (m_scenario.reenumerateMs > 0)
        m_timers.push_back({std::chrono::steady_clock::now() + std::chrono::milliseconds(m_scenario.reenumerateMs),
                            Timed::Return, device->def.id});
    else
        plugLocked(device);
}

void Library::changeModeLocked(Device* device, int mode) {
    if (device->mode == mode)
        return;
    if (device->present && device->def.reenumerate) {
        reenumerateLocked(device, mode);
        return;
    }
    device->mode = mode;
    if (device->present)
        notifyLocked(device->handle, MRDeviceChange);
}

const char* Library::deviceName(MRDeviceRef handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = lookup(handle);
    return device ? device->name : "";
}

const char* Library::deviceInfo(MRDeviceRef handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = lookup(handle);
    return device ? device->info : "";
}

int Library::deviceMode(MRDeviceRef handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = lookup(handle);
    return device ? device->mode : -1;
}

uint64_t Library::deviceId(MRDeviceRef handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = lookup(handle);
    return device ? device->def.id : 0;
}

int Library::firmwareCount(MRDeviceRef handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = lookup(handle);
    return device ? int(device->entries.size()) : 0;
}

const MRFirmwareEntry* Library::firmwareEntry(MRDeviceRef handle, int index) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = lookup(handle);
    if (!device || index < 0 || size_t(index) >= device->entries.size())
        return nullptr;
    return &device->entries[size_t(index)];
}

void Library::selectFirmware(MRDeviceRef handle, int index) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Device* device = lookup(handle))
        device->selected = index >= 0 && size_t(index) < device->entries.size() ? index : -1;
}

void Library::setLocalFirmware(MRDeviceRef handle, const char* path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Device* device = lookup(handle)) {
        device->hasLocal = path && *path;
        device->localPath = device->hasLocal ? path : "";
    }
}

// The handle need not be current: a job that began before its device re-enumerated (or while the device is off
// the bus) is stopped with the handle it began with as well as with a later one.
void Library::stopDevice(MRDeviceRef handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_handles.find(handle);
    if (it == m_handles.end())
        return;
    Device* device = it->second;
    if (device->job && handle >= device->jobHandle)
        device->job->requestStop();
}

void Library::startJobLocked(Device* device, const std::shared_ptr<Job>& job) {
    device->job = job;
    device->jobHandle = device->handle;
}

bool Library::isPresent(const Device* device) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return device->present;
}

int Library::modeOf(const Device* device) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return device->mode;
}

void Library::unplugDevice(Device* device) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (device->present)
        unplugLocked(device);
}

void Library::changeMode(Device* device, int mode) {
    std::lock_guard<std::mutex> lock(m_mutex);
    changeModeLocked(device, mode);
}

void Library::restartInRecovery(Device* device) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (device->present)
        reenumerateLocked(device, MRModeRecovery);
}

bool Library::takeFault(Device* device, int step, int percent, FaultDef* fault) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = device->faults.begin(); it != device->faults.end(); ++it) {
        if (it->step == step && it->atPercent <= percent) {
            *fault = *it;
            if (!it->repeat)
                device->faults.erase(it);
            return true;
        }
    }
    return false;
}

void Library::recordRestore(Device* device, int option, const std::string& version) {
    std::lock_guard<std::mutex> lock(m_mutex);
    device->restoreCount++;
    device->lastOption = option;
    device->lastVersion = version;
    if (option == MROptionAdvanced)
        device->erased = true;
}

bool Library::identify(const std::string& path, FileIdentity* identity) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    *identity = FileIdentity{uint64_t(st.st_dev), uint64_t(st.st_ino), uint64_t(st.st_size),
                             int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    return true;
}

void Library::markDownloaded(const std::string& path) {
    FileIdentity identity;
    if (!identify(path, &identity))
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_downloaded[path] = identity;
}

bool Library::wasDownloaded(const std::string& path) {
    FileIdentity identity;
    if (!identify(path, &identity))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_downloaded.find(path);
    return it != m_downloaded.end() && it->second == identity;
}

void Library::forgetDownloaded(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_downloaded.erase(path);
}

bool Library::claimDownload(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_activeDownloads.insert(path).second;
}

void Library::releaseDownload(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_activeDownloads.erase(path);
}

// ---- settings -----------------------------------------------------------------------------------------------

void Library::setDownloadFolder(const char* folder) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_downloadFolder = folder ? folder : "";
    while (m_downloadFolder.size() > 1 && m_downloadFolder.back() == '/')
        m_downloadFolder.pop_back();
}

void Library::setDeleteFirmware(bool enable) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_deleteAfterRepair = enable;
}

void Library::setProxy(const MRProxyInfo* proxy) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_proxy = ProxySettings();
    if (!proxy)
        return;
    m_proxy.host.assign(proxy->host, strnlen(proxy->host, sizeof proxy->host));
    m_proxy.port = proxy->port;
    m_proxy.user.assign(proxy->user, strnlen(proxy->user, sizeof proxy->user));
    m_proxy.password.assign(proxy->password, strnlen(proxy->password, sizeof proxy->password));
}

// ---- test control -------------------------------------------------------------------------------------------

void Library::applyScenarioLocked(const Scenario& scenario) {
    for (auto& device : m_devices) {
        if (device->present)
            unplugLocked(device.get());
        if (device->job)
            device->job->requestStop();
        m_retired.push_back(std::move(device));
    }
    m_devices.clear();
    m_timers.clear();
    m_scenario = scenario;

    auto start = std::chrono::steady_clock::now();
    for (const DeviceDef& def : scenario.devices) {
        auto device = std::make_unique<Device>();
        device->def = def;
        device->name = keepText(def.name);
        device->info = keepText(def.info);
        device->mode = def.mode;
        device->faults = def.faults;
        auto offered = scenario.firmware.find(def.productType);
        if (offered != scenario.firmware.end())
            device->firmware = offered->second;
        for (const FirmwareDef& firmware : device->firmware)
            device->entries.push_back(MRFirmwareEntry{keepText(firmware.version), keepText(firmware.url)});
        Device* raw = device.get();
        m_devices.push_back(std::move(device));
        if (def.arriveMs == 0)
            plugLocked(raw);
        else if (def.arriveMs > 0)
            m_timers.push_back({start + std::chrono::milliseconds(def.arriveMs), Timed::Arrive, def.id});
        if (def.departMs >= 0)
            m_timers.push_back({start + std::chrono::milliseconds(def.departMs), Timed::Depart, def.id});
    }
    if (scenario.databaseUpgradeMs >= 0)
        m_timers.push_back({start + std::chrono::milliseconds(scenario.databaseUpgradeMs), Timed::Database, 0});
    m_changed.notify_all();
}

bool Library::loadScenario(const std::string& json, std::string* error) {
    Scenario scenario;
    if (!parseScenario(json, m_libraryDir, &scenario, error))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    applyScenarioLocked(scenario);
    return true;
}

int Library::plug(uint64_t id) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = byId(id);
    if (!device || device->present)
        return -1;
    plugLocked(device);
    return 0;
}

int Library::unplug(uint64_t id) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = byId(id);
    if (!device)
        return -1;
    if (!device->present)
        return cancelReturnLocked(device) ? 0 : -1; // pulled out while it re-enumerates: it stays away
    unplugLocked(device);
    return 0;
}

int Library::setMode(uint64_t id, int mode) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = byId(id);
    if (!device || !device->present || mode < 0 || mode > 2)
        return -1;
    changeModeLocked(device, mode);
    return 0;
}

int Library::injectFault(uint64_t id, const FaultDef& fault) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = byId(id);
    if (!device || fault.step < 0 || fault.step > 4 || fault.atPercent < 0 || fault.atPercent > 100)
        return -1;
    device->faults.push_back(fault);
    return 0;
}

void Library::clearFaults(uint64_t id) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Device* device = byId(id))
        device->faults.clear();
}

int Library::state(uint64_t id, MRSimDeviceState* state) {
    std::memset(state, 0, sizeof *state);
    state->lastOption = -1;
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = byId(id);
    if (!device)
        return -1;
    state->known = 1;
    state->present = device->present;
    state->handle = device->handle;
    state->mode = device->mode;
    state->erased = device->erased;
    state->restoreCount = device->restoreCount;
    state->lastOption = device->lastOption;
    std::snprintf(state->lastVersion, sizeof state->lastVersion, "%s", device->lastVersion.c_str());
    state->jobRunning = device->job != nullptr;
    return 0;
}

// ---- jobs ---------------------------------------------------------------------------------------------------

int Library::restore(MRDeviceRef handle, int option, MRRestoreCallback callback, void* user) {
    auto job = std::make_shared<Job>();
    RunPlan plan;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        Device* device = lookup(handle);
        if (device && device->job)
            return MRErrorBusy;
        plan.device = device;
        plan.option = option;
        plan.settings.downloadFolder = m_downloadFolder.empty() ? temporaryFolder() : m_downloadFolder;
        plan.settings.deleteAfterRepair = m_deleteAfterRepair;
        plan.settings.proxy = m_proxy;
        if (const char* extraCa = std::getenv("MENDRA_EXTRA_CA"))
            plan.settings.extraCaFile = extraCa;
        plan.settings.enterRecoveryMs = m_scenario.enterRecoveryMs;
        plan.settings.restoreMs = m_scenario.restoreMs;
        plan.settings.reconnectMs = m_scenario.reconnectMs;
        if (device) {
            plan.productType = device->def.productType;
            plan.local = device->hasLocal;
            if (plan.local) {
                plan.packagePath = device->localPath;
            } else if (device->selected >= 0 && size_t(device->selected) < device->firmware.size()) {
                plan.firmware = device->firmware[size_t(device->selected)];
                std::string name = lastUrlPiece(plan.firmware.url);
                plan.firmwareChosen = !name.empty() && name != "." && name != "..";
                plan.packagePath = plan.settings.downloadFolder + "/" + name;
            }
            startJobLocked(device, job);
        }
        ++m_runningJobs;
    }

    int result = 0;
    std::thread worker([&] { result = RestoreRun(*this, *job, plan, callback, user).run(); });
    worker.join();

    std::lock_guard<std::mutex> lock(m_mutex);
    if (plan.device && plan.device->job == job)
        plan.device->job.reset();
    --m_runningJobs;
    m_changed.notify_all();
    return result;
}

int Library::changeRecovery(MRDeviceRef handle, bool enter) {
    auto job = std::make_shared<Job>();
    Device* device = nullptr;
    int duration = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        device = lookup(handle);
        if (!device)
            return MRErrorNoDevice;
        if (device->job)
            return MRErrorBusy;
        const int from = enter ? MRModeNormal : MRModeRecovery;
        const int to = enter ? MRModeRecovery : MRModeNormal;
        if (device->mode == to)
            return MRErrorNone;
        if (device->mode != from)
            return MRErrorDevice; // DFU: only a restore leaves it
        duration = enter ? m_scenario.enterRecoveryMs : m_scenario.quitRecoveryMs;
        startJobLocked(device, job);
        ++m_runningJobs;
    }

    int result = MRErrorNone;
    FaultDef fault;
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        int percent = duration > 0 ? int(std::min<int64_t>(100, elapsed.count() * 100 / duration)) : 100;
        if (enter && takeFault(device, MRStepEnterRecovery, percent, &fault)) {
            if (fault.depart) {
                unplugDevice(device);
            } else {
                result = fault.code ? fault.code : MRErrorDevice;
                break;
            }
        }
        if (!isPresent(device)) {
            result = MRErrorDisconnected;
            break;
        }
        if (job->stopRequested()) {
            result = MRErrorStopped;
            break;
        }
        if (percent >= 100)
            break;
        job->sleepFor(
            std::min<std::chrono::milliseconds>(std::chrono::milliseconds(duration) - elapsed, kProgressInterval));
    }

    std::lock_guard<std::mutex> lock(m_mutex);
    if (result == MRErrorNone)
        changeModeLocked(device, enter ? MRModeRecovery : MRModeNormal);
    if (device->job == job)
        device->job.reset();
    --m_runningJobs;
    m_changed.notify_all();
    return result;
}

} // namespace mr
