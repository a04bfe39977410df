#include "Scenario.h"

#include "Strings.h"
#include "deviceapi/zUZArovadu.h"

#include <cctype>
#include <cjson/cJSON.h>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace mr {
namespace {

struct JsonDeleter {
    void operator()(cJSON* json) const { cJSON_Delete(json); }
};
using Json = std::unique_ptr<cJSON, JsonDeleter>;

std::string expand(std::string text, const std::string& libraryDir, bool inUrl) {
    const std::string token = "${LIBDIR}";
    const std::string dir = inUrl ? percentEncodePath(libraryDir) : libraryDir;
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + dir.size()))
        text.replace(at, token.size(), dir);
    return text;
}

class Reader {
public:
    Reader(const std::string& libraryDir, std::string* error) : m_dir(libraryDir), m_error(error) {}

    bool fail(const std::string& what) {
        if (m_error->empty())
            *m_error = what;
        return false;
    }

    std::string text(const cJSON* object, const char* key, const std::string& fallback = std::string(),
                     bool inUrl = false) {
        const cJSON* item = cJSON_GetObjectItemCaseSensitive(object, key);
        if (!item)
            return fallback;
        if (!cJSON_IsString(item)) {
            fail(std::string("\"") + key + "\" must be a string");
            return fallback;
        }
        return expand(item->valuestring, m_dir, inUrl);
    }

    int64_t number(const cJSON* object, const char* key, int64_t fallback) {
        const cJSON* item = cJSON_GetObjectItemCaseSensitive(object, key);
        if (!item)
            return fallback;
        if (!cJSON_IsNumber(item)) {
            fail(std::string("\"") + key + "\" must be a number");
            return fallback;
        }
        return int64_t(item->valuedouble);
    }

    bool flag(const cJSON* object, const char* key) {
        const cJSON* item = cJSON_GetObjectItemCaseSensitive(object, key);
        return item && cJSON_IsTrue(item);
    }

    bool step(const cJSON* object, int* step) {
        static const char* const names[] = {"download", "verify", "unzip", "enterRecovery", "restore"};
        const cJSON* item = cJSON_GetObjectItemCaseSensitive(object, "step");
        if (cJSON_IsNumber(item) && item->valueint >= 0 && item->valueint <= 4) {
            *step = item->valueint;
            return true;
        }
        if (cJSON_IsString(item)) {
            for (int i = 0; i < 5; ++i) {
                if (std::strcmp(item->valuestring, names[i]) == 0) {
                    *step = i;
                    return true;
                }
            }
        }
        return fail("a fault needs \"step\": download, verify, unzip, enterRecovery or restore");
    }

    bool fault(const cJSON* object, FaultDef* fault) {
        if (!cJSON_IsObject(object))
            return fail("a fault must be an object");
        if (!step(object, &fault->step))
            return false;
        fault->atPercent = int(number(object, "atPercent", 0));
        if (fault->atPercent < 0 || fault->atPercent > 100)
            return fail("\"atPercent\" must lie between 0 and 100");
        fault->code = int(number(object, "code", MRErrorDevice));
        fault->description = text(object, "description", "Simulated failure");
        fault->depart = flag(object, "depart");
        fault->noFinalReport = flag(object, "noFinalReport");
        fault->repeat = flag(object, "repeat");
        return m_error->empty();
    }

    bool modeChange(const cJSON* object, bool fallback, bool* reenumerate) {
        std::string how = text(object, "modeChange", fallback ? "reenumerate" : "change");
        if (how != "change" && how != "reenumerate")
            return fail("\"modeChange\" must be \"change\" or \"reenumerate\"");
        *reenumerate = how == "reenumerate";
        return true;
    }

    bool firmwareList(const cJSON* object, Scenario* scenario) {
        if (!cJSON_IsObject(object))
            return fail("\"firmware\" must map product types to lists of entries");
        for (const cJSON* type = object->child; type; type = type->next) {
            if (!cJSON_IsArray(type))
                return fail("the firmware of " + std::string(type->string) + " must be a list");
            std::vector<FirmwareDef>& list = scenario->firmware[type->string];
            for (const cJSON* entry = type->child; entry; entry = entry->next) {
                FirmwareDef def;
                def.version = text(entry, "version");
                def.url = text(entry, "url", std::string(), true);
                def.sha1 = text(entry, "sha1");
                for (char& c : def.sha1)
                    c = char(std::tolower(static_cast<unsigned char>(c)));
                int64_t size = number(entry, "size", 0);
                def.size = size > 0 ? uint64_t(size) : 0;
                if (def.version.empty() || def.url.empty())
                    return fail("a firmware entry needs \"version\" and \"url\"");
                list.push_back(def);
            }
        }
        return m_error->empty();
    }

    bool scenario(const cJSON* root, Scenario* scenario) {
        if (!cJSON_IsObject(root))
            return fail("the scenario must be a JSON object");
        bool reenumerate = false;
        if (!modeChange(root, false, &reenumerate))
            return false;
        if (const cJSON* timing = cJSON_GetObjectItemCaseSensitive(root, "timing")) {
            scenario->enterRecoveryMs = int(number(timing, "enterRecoveryMs", scenario->enterRecoveryMs));
            scenario->quitRecoveryMs = int(number(timing, "quitRecoveryMs", scenario->quitRecoveryMs));
            scenario->restoreMs = int(number(timing, "restoreMs", scenario->restoreMs));
            scenario->reenumerateMs = int(number(timing, "reenumerateMs", scenario->reenumerateMs));
            scenario->reconnectMs = int(number(timing, "reconnectMs", scenario->reconnectMs));
            if (scenario->reenumerateMs < 0 || scenario->reconnectMs < 0)
                return fail("\"reenumerateMs\" and \"reconnectMs\" must not be negative");
        }
        scenario->databaseUpgradeMs = number(root, "databaseUpgradeMs", -1);

        std::string firmwareFile = text(root, "firmwareFile");
        if (!firmwareFile.empty()) {
            std::string content, why;
            if (readTextFile(firmwareFile, &content, &why)) {
                Json included(cJSON_Parse(content.c_str()));
                if (!included)
                    return fail(firmwareFile + " is not valid JSON");
                if (!firmwareList(included.get(), scenario))
                    return false;
            } else {
                // The demo package is optional: without it the device simply has no firmware on offer.
                std::fprintf(stderr, "zUZArovadu: %s\n", why.c_str());
            }
        }
        if (const cJSON* firmware = cJSON_GetObjectItemCaseSensitive(root, "firmware")) {
            if (!firmwareList(firmware, scenario))
                return false;
        }

        const cJSON* devices = cJSON_GetObjectItemCaseSensitive(root, "devices");
        if (devices && !cJSON_IsArray(devices))
            return fail("\"devices\" must be a list");
        for (const cJSON* item = devices ? devices->child : nullptr; item; item = item->next) {
            DeviceDef device;
            int64_t id = number(item, "id", 0);
            if (id <= 0)
                return fail("every device needs a positive \"id\"");
            device.id = uint64_t(id);
            for (const DeviceDef& other : scenario->devices)
                if (other.id == device.id)
                    return fail("two devices share the id " + std::to_string(id));
            device.name = text(item, "name", "iPhone");
            device.info = text(item, "info");
            device.productType = text(item, "productType");
            device.mode = int(number(item, "mode", 0));
            if (device.mode < 0 || device.mode > 2)
                return fail("\"mode\" must be 0, 1 or 2");
            device.arriveMs = number(item, "arriveMs", 0);
            device.departMs = number(item, "departMs", -1);
            if (!modeChange(item, reenumerate, &device.reenumerate))
                return false;
            if (const cJSON* faults = cJSON_GetObjectItemCaseSensitive(item, "faults")) {
                for (const cJSON* f = faults->child; f; f = f->next) {
                    FaultDef fault;
                    if (!this->fault(f, &fault))
                        return false;
                    device.faults.push_back(fault);
                }
            }
            scenario->devices.push_back(device);
        }
        return m_error->empty();
    }

private:
    std::string m_dir;
    std::string* m_error;
};

} // namespace

bool readTextFile(const std::string& path, std::string* text, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read " + path;
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    *text = content.str();
    return true;
}

bool parseScenario(const std::string& json, const std::string& libraryDir, Scenario* scenario, std::string* error) {
    error->clear();
    *scenario = Scenario();
    Json root(cJSON_Parse(json.c_str()));
    if (!root) {
        *error = "the scenario is not valid JSON";
        return false;
    }
    Reader reader(libraryDir, error);
    return reader.scenario(root.get(), scenario);
}

std::string defaultScenarioJson() {
    return R"json({
  "modeChange": "change",
  "timing": {"enterRecoveryMs": 3000, "quitRecoveryMs": 3000, "restoreMs": 10000},
  "firmwareFile": "${LIBDIR}/DemoFirmware.json",
  "devices": [
    {"id": 4184312903729, "name": "iPhone", "info": "iPhone 11 (iPhone12,1)", "productType": "iPhone12,1",
     "mode": 0}
  ]
})json";
}

} // namespace mr
