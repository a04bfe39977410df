// The simulated world: which devices come and go, what firmware each product type is offered, how a mode
// change shows, and which steps break.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace mr {

struct FirmwareDef {
    std::string version;
    std::string url;
    std::string sha1; // lower-case hex
    uint64_t size = 0;
};

struct FaultDef {
    int step = 0;
    int atPercent = 0;
    int code = 0;
    std::string description;
    bool depart = false;
    bool noFinalReport = false;
    bool repeat = false;
};

struct DeviceDef {
    uint64_t id = 0;
    std::string name;
    std::string info;
    std::string productType;
    int mode = 0;
    int64_t arriveMs = 0;  // -1: absent until plugged
    int64_t departMs = -1; // -1: stays
    bool reenumerate = false;
    std::vector<FaultDef> faults;
};

struct Scenario {
    std::vector<DeviceDef> devices;
    std::map<std::string, std::vector<FirmwareDef>> firmware; // by product type
    int enterRecoveryMs = 3000;
    int quitRecoveryMs = 3000;
    int restoreMs = 10000;
    int reenumerateMs = 0;   // how long a re-enumerating device is off the bus before it comes back
    int reconnectMs = 60000; // how long a restore waits for its device to come back before it fails
    int64_t databaseUpgradeMs = -1;
};

// Parses a scenario; "${LIBDIR}" in texts stands for the folder of the library file. On failure returns
// false with the reason.
bool parseScenario(const std::string& json, const std::string& libraryDir, Scenario* scenario, std::string* error);

// One iPhone in normal mode, offered the demo package that the build puts beside the library.
std::string defaultScenarioJson();

bool readTextFile(const std::string& path, std::string* text, std::string* error);

} // namespace mr
