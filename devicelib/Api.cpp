// The exported C functions: each is a thin call into the library's one state.
#include "Library.h"
#include "Scenario.h"
#include "Strings.h"
#include "zUZArovaduControl.h"

#include <mutex>

using mr::Library;

extern "C" {

void MRRegisterDatabaseUpgradeCallback(MRDatabaseUpgradeCallback callback, void* user) {
    Library::instance().registerDatabaseUpgrade(callback, user);
}

void MRRegisterDeviceNotification(MRDeviceNotificationCallback callback, void* user, int* handle) {
    Library::instance().registerNotification(callback, user, handle);
}

void MRUnregisterDeviceNotification(int handle) {
    Library::instance().unregisterNotification(handle);
}

const char* MRGetDeviceName(MRDeviceRef device) {
    return Library::instance().deviceName(device);
}
const char* MRGetDeviceInfo(MRDeviceRef device) {
    return Library::instance().deviceInfo(device);
}
int MRGetDeviceMode(MRDeviceRef device) {
    return Library::instance().deviceMode(device);
}
uint64_t MRGetDeviceId(MRDeviceRef device) {
    return Library::instance().deviceId(device);
}

int MREnterRecovery(MRDeviceRef device, int) {
    return Library::instance().changeRecovery(device, true);
}
int MRQuitRecovery(MRDeviceRef device, int) {
    return Library::instance().changeRecovery(device, false);
}

int MRGetFirmwareCount(MRDeviceRef device) {
    return Library::instance().firmwareCount(device);
}
const MRFirmwareEntry* MRGetFirmwareEntry(MRDeviceRef device, int index) {
    return Library::instance().firmwareEntry(device, index);
}
void MRSelectFirmware(MRDeviceRef device, int index) {
    Library::instance().selectFirmware(device, index);
}
void MRSetLocalFirmware(MRDeviceRef device, const char* path) {
    Library::instance().setLocalFirmware(device, path);
}

int MRRestore(MRDeviceRef device, int option, MRRestoreCallback callback, void* user) {
    return Library::instance().restore(device, option, callback, user);
}
void MRStopDevice(MRDeviceRef device) {
    Library::instance().stopDevice(device);
}

void MRSetDownloadFolder(const char* folder) {
    Library::instance().setDownloadFolder(folder);
}
void MRSetDeleteFirmware(int enable) {
    Library::instance().setDeleteFirmware(enable != 0);
}
void MRSetProxy(const MRProxyInfo* proxy) {
    Library::instance().setProxy(proxy);
}

} // extern "C"

// ---- test-only control --------------------------------------------------------------------------------------

namespace {

std::mutex errorMutex;
std::string lastError;

int loaded(bool ok, const std::string& error) {
    std::lock_guard<std::mutex> lock(errorMutex);
    lastError = ok ? std::string() : error;
    return ok ? 0 : -1;
}

int loadScenario(const char* json) {
    std::string error;
    bool ok = json && Library::instance().loadScenario(json, &error);
    return loaded(ok, json ? error : "no scenario given");
}

int loadScenarioFile(const char* path) {
    std::string json, error;
    bool ok = path && mr::readTextFile(path, &json, &error) && Library::instance().loadScenario(json, &error);
    return loaded(ok, path ? error : "no scenario file given");
}

const char* lastErrorText() {
    std::lock_guard<std::mutex> lock(errorMutex);
    return mr::keepText(lastError);
}

int plug(uint64_t id) {
    return Library::instance().plug(id);
}
int unplug(uint64_t id) {
    return Library::instance().unplug(id);
}
int setMode(uint64_t id, int mode) {
    return Library::instance().setMode(id, mode);
}

int injectFault(uint64_t id, const MRSimFault* fault) {
    if (!fault)
        return -1;
    mr::FaultDef def;
    def.step = fault->step;
    def.atPercent = fault->atPercent;
    def.code = fault->code;
    def.description = fault->description ? fault->description : "Simulated failure";
    def.depart = fault->depart != 0;
    def.noFinalReport = fault->noFinalReport != 0;
    def.repeat = fault->repeat != 0;
    return Library::instance().injectFault(id, def);
}

void clearFaults(uint64_t id) {
    Library::instance().clearFaults(id);
}
int getState(uint64_t id, MRSimDeviceState* state) {
    return state ? Library::instance().state(id, state) : -1;
}
void triggerDatabaseUpgrade() {
    Library::instance().triggerDatabaseUpgrade();
}
int waitIdle(int timeoutMs) {
    return Library::instance().waitIdle(std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0)) ? 0 : -1;
}

const MRSimControl control = {loadScenario, loadScenarioFile, lastErrorText, plug,     unplug,
                              setMode,      injectFault,      clearFaults,   getState, triggerDatabaseUpgrade,
                              waitIdle};

} // namespace

extern "C" const MRSimControl* MRSimGetControl(void) {
    return &control;
}
