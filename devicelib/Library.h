// The library's one state: the simulated devices and their handles, the registered callbacks, the event
// thread that delivers notifications, and the settings the program passes in. All of it is guarded by one
// mutex that is never held while calling back.
#pragma once

#include "FileWork.h"
#include "Job.h"
#include "Scenario.h"
#include "zUZArovaduControl.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace mr {

struct Device {
    DeviceDef def;
    const char* name = "";
    const char* info = "";
    std::vector<FirmwareDef> firmware;
    std::vector<MRFirmwareEntry> entries; // texts kept for the library's life
    bool present = false;
    MRDeviceRef handle = 0;
    int mode = 0;
    bool erased = false;
    int restoreCount = 0;
    int lastOption = -1;
    std::string lastVersion;
    int selected = -1;
    bool hasLocal = false;
    std::string localPath;
    std::shared_ptr<Job> job;
    // The handle the device had when its job began. The job outlives re-enumerations: that handle and every
    // later one of the device can stop it (handles only grow), an older one cannot.
    MRDeviceRef jobHandle = 0;
    std::vector<FaultDef> faults;
};

// What one restore run needs to know, taken under the lock when it starts.
struct RunSettings {
    std::string downloadFolder;
    bool deleteAfterRepair = false;
    ProxySettings proxy;
    std::string extraCaFile;
    int enterRecoveryMs = 0;
    int restoreMs = 0;
    int reconnectMs = 0;
};

class Library {
public:
    static Library& instance();

    // Notifications
    // The handle is stored before the lock is released, so a callback can already unregister with it.
    void registerNotification(MRDeviceNotificationCallback callback, void* user, int* handle);
    void unregisterNotification(int handle);
    void registerDatabaseUpgrade(MRDatabaseUpgradeCallback callback, void* user);

    // Device queries; a stale handle gives the empty answer
    const char* deviceName(MRDeviceRef handle);
    const char* deviceInfo(MRDeviceRef handle);
    int deviceMode(MRDeviceRef handle);
    uint64_t deviceId(MRDeviceRef handle);
    int firmwareCount(MRDeviceRef handle);
    const MRFirmwareEntry* firmwareEntry(MRDeviceRef handle, int index);
    void selectFirmware(MRDeviceRef handle, int index);
    void setLocalFirmware(MRDeviceRef handle, const char* path);

    // Jobs
    int restore(MRDeviceRef handle, int option, MRRestoreCallback callback, void* user);
    int changeRecovery(MRDeviceRef handle, bool enter);
    void stopDevice(MRDeviceRef handle);

    // Settings
    void setDownloadFolder(const char* folder);
    void setDeleteFirmware(bool enable);
    void setProxy(const MRProxyInfo* proxy);

    // Used by a running job
    bool isPresent(const Device* device);
    int modeOf(const Device* device);
    void unplugDevice(Device* device);
    void changeMode(Device* device, int mode);
    // What a device does when its restore fails: it starts again and comes back in recovery mode, whatever the
    // scenario's way of showing mode changes (a restart always takes it off the bus).
    void restartInRecovery(Device* device);
    bool takeFault(Device* device, int step, int percent, FaultDef* fault);
    void recordRestore(Device* device, int option, const std::string& version);
    void markDownloaded(const std::string& path);
    // True only for the very file the library downloaded, not one put in its place since.
    bool wasDownloaded(const std::string& path);
    void forgetDownloaded(const std::string& path);
    // One transfer per package file: two devices offered the same package must not write into one file.
    bool claimDownload(const std::string& path);
    void releaseDownload(const std::string& path);

    // Test control
    bool loadScenario(const std::string& json, std::string* error);
    int plug(uint64_t id);
    int unplug(uint64_t id);
    int setMode(uint64_t id, int mode);
    int injectFault(uint64_t id, const FaultDef& fault);
    void clearFaults(uint64_t id);
    int state(uint64_t id, MRSimDeviceState* state);
    void triggerDatabaseUpgrade();
    bool waitIdle(std::chrono::milliseconds timeout);
    std::string libraryDir() const { return m_libraryDir; }

private:
    Library();

    struct Registration {
        MRDeviceNotificationCallback callback;
        void* user;
    };
    struct Event {
        bool database = false;
        MRDeviceRef device = 0;
        int type = 0;
        std::vector<int> targets; // registrations that were current when the event happened
    };
    struct Timed {
        std::chrono::steady_clock::time_point at;
        // Return: the device comes back from a re-enumeration; unlike the scenario's own arrivals it keeps
        // the library busy until it is due.
        enum Kind { Arrive, Depart, Database, Return } kind;
        uint64_t deviceId;
    };

    void eventLoop();
    void runDueTimers(std::chrono::steady_clock::time_point now);
    bool idleLocked(std::chrono::steady_clock::time_point now) const;
    Device* lookup(MRDeviceRef handle);
    Device* byId(uint64_t id);
    void plugLocked(Device* device);
    void unplugLocked(Device* device);
    void changeModeLocked(Device* device, int mode);
    void reenumerateLocked(Device* device, int mode);
    bool cancelReturnLocked(const Device* device);
    void startJobLocked(Device* device, const std::shared_ptr<Job>& job);
    void notifyLocked(MRDeviceRef device, int type);
    void applyScenarioLocked(const Scenario& scenario);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread::id m_eventThread;

    std::string m_libraryDir;
    std::vector<std::unique_ptr<Device>> m_devices; // current scenario
    std::vector<std::unique_ptr<Device>> m_retired; // earlier scenarios: their texts and handles stay valid
    std::unordered_map<MRDeviceRef, Device*> m_handles;
    MRDeviceRef m_lastHandle = 0;
    Scenario m_scenario;
    std::vector<Timed> m_timers;

    std::map<int, Registration> m_registrations;
    int m_lastRegistration = 0;
    int m_inFlight = 0; // registration whose callback runs now
    MRDatabaseUpgradeCallback m_databaseCallback = nullptr;
    void* m_databaseUser = nullptr;
    bool m_databasePending = false;
    bool m_databaseInFlight = false;
    std::deque<Event> m_events;
    int m_runningJobs = 0;

    std::string m_downloadFolder;
    bool m_deleteAfterRepair = false;
    ProxySettings m_proxy;
    struct FileIdentity {
        uint64_t device, inode, size;
        int64_t modified;
        bool operator==(const FileIdentity& o) const {
            return device == o.device && inode == o.inode && size == o.size && modified == o.modified;
        }
    };
    static bool identify(const std::string& path, FileIdentity* identity);
    std::map<std::string, FileIdentity> m_downloaded; // packages this library wrote, as they were then
    std::set<std::string> m_activeDownloads;
};

} // namespace mr
