// Drives the device library's C interface directly: repair runs against a real HTTP server on 127.0.0.1,
// each checked for the exact sequence of reports, and the thread rules the program relies on.
#include "LoopbackHttpServer.h"
#include "deviceapi/zUZArovadu.h"
#include "zUZArovaduControl.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <ftw.h>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <zip.h>

namespace {

int g_failures = 0;
std::string g_case;

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "FAIL [%s] %s:%d: %s\n", g_case.c_str(), __FILE__, __LINE__, #condition);             \
            ++g_failures;                                                                                              \
        }                                                                                                              \
    } while (0)

#define CHECK_EQ(actual, expected)                                                                                     \
    do {                                                                                                               \
        std::ostringstream a_, e_;                                                                                     \
        a_ << (actual);                                                                                                \
        e_ << (expected);                                                                                              \
        if (a_.str() != e_.str()) {                                                                                    \
            std::fprintf(stderr, "FAIL [%s] %s:%d: %s\n   actual:   %s\n   expected: %s\n", g_case.c_str(), __FILE__,  \
                         __LINE__, #actual, a_.str().c_str(), e_.str().c_str());                                       \
            ++g_failures;                                                                                              \
        }                                                                                                              \
    } while (0)

const MRSimControl* sim() {
    return MRSimGetControl();
}

const uint64_t kPhone = 7001;
const uint64_t kSecondPhone = 7002;
const char* const kProductType = "T1,1";

// ---- files --------------------------------------------------------------------------------------------------

struct TempDir {
    std::string path;
    TempDir() {
        char pattern[] = "/tmp/tst_devicelib-XXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~TempDir() {
        ::nftw(
            path.c_str(), [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); }, 16,
            FTW_DEPTH | FTW_PHYS);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
};

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

uint64_t sizeOf(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? uint64_t(st.st_size) : 0;
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir))
            if (std::strcmp(entry->d_name, ".") && std::strcmp(entry->d_name, ".."))
                names.push_back(entry->d_name);
        ::closedir(dir);
    }
    return names;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

std::string sha1Hex(const std::string& data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest, &length, EVP_sha1(), nullptr);
    std::string hex;
    static const char digits[] = "0123456789abcdef";
    for (unsigned int i = 0; i < length; ++i) {
        hex += digits[digest[i] >> 4];
        hex += digits[digest[i] & 15];
    }
    return hex;
}

// A firmware package as the library expects one: manifest first, then a payload that deflates a little.
std::string makePackage(const std::string& productType, size_t payloadSize = 512 * 1024, bool manifest = true,
                        const std::string& extraEntry = std::string()) {
    TempDir dir;
    std::string path = dir.file("package.ipsw");
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    std::string plist = "<plist version=\"1.0\"><dict><key>ProductVersion</key><string>1.0</string>"
                        "<key>SupportedProductTypes</key><array><string>" +
                        productType + "</string></array></dict></plist>";
    std::string payload(payloadSize, '\0');
    uint32_t state = 1;
    for (size_t i = 0; i < payload.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        payload[i] = char((i / 1024) % 2 ? state >> 24 : 0);
    }
    if (manifest)
        zip_file_add(zip, "Restore.plist", zip_source_buffer(zip, plist.data(), plist.size(), 0), 0);
    zip_file_add(zip, "Firmware/system.dmg", zip_source_buffer(zip, payload.data(), payload.size(), 0), 0);
    if (!extraEntry.empty())
        zip_file_add(zip, extraEntry.c_str(), zip_source_buffer(zip, "x", 1, 0), 0);
    zip_close(zip);
    return readFile(path);
}

// Breaks the compressed payload while the archive's directory stays readable.
std::string damaged(std::string package) {
    for (size_t i = package.size() / 3; i < package.size() / 3 + 64; ++i)
        package[i] = char(package[i] ^ 0x5a);
    return package;
}

// ---- reports ------------------------------------------------------------------------------------------------

// Collects reports as tokens: step letter, then ">" started, "~" progress (repeats folded into one) or
// "=code" finished. Progress counts are checked as they arrive.
struct Trace {
    std::mutex mutex;
    std::vector<std::string> tokens;
    std::vector<std::string> problems;
    uint64_t lastDone = 0;
    uint64_t lastTotal = 0;
    uint64_t downloadDone = 0; // last download progress, in bytes
    uint64_t downloadTotal = 0;
    std::string lastDescription;
    bool onCallingThread = false;
    std::thread::id callingThread = std::this_thread::get_id();
    std::function<int(const MRRestoreCallbackData&)> hook;

    std::string text() {
        std::lock_guard<std::mutex> lock(mutex);
        std::string joined;
        for (const std::string& token : tokens)
            joined += (joined.empty() ? "" : " ") + token;
        return joined;
    }

    static int callback(MRRestoreCallbackData* data, void* user) {
        auto* trace = static_cast<Trace*>(user);
        {
            std::lock_guard<std::mutex> lock(trace->mutex);
            if (std::this_thread::get_id() == trace->callingThread)
                trace->onCallingThread = true;
            std::string token(1, "DVUER?"[data->step >= 0 && data->step <= 4 ? data->step : 5]);
            if (data->status == MRStatusStarted) {
                token += ">";
                trace->lastDone = 0;
            } else if (data->status == MRStatusProgress) {
                token += "~";
                if (data->progress.total && data->progress.done > data->progress.total)
                    trace->problems.push_back(token + " beyond its total");
                if (data->progress.done < trace->lastDone)
                    trace->problems.push_back(token + " went backwards");
                trace->lastDone = data->progress.done;
                trace->lastTotal = data->progress.total;
                if (data->step == MRStepDownload) {
                    trace->downloadDone = data->progress.done;
                    trace->downloadTotal = data->progress.total;
                }
            } else {
                token += "=" + std::to_string(data->result.code);
                if (!data->result.description)
                    trace->problems.push_back(token + " without a description");
                else
                    trace->lastDescription = data->result.description;
            }
            if (!(data->status == MRStatusProgress && !trace->tokens.empty() && trace->tokens.back() == token))
                trace->tokens.push_back(token);
        }
        return trace->hook ? trace->hook(*data) : 0;
    }
};

// ---- device notifications -----------------------------------------------------------------------------------

struct Notifications {
    std::mutex mutex;
    std::vector<std::string> events; // "A<mode>", "D", "C<mode>"
    std::vector<MRDeviceRef> handles;
    std::thread::id registeringThread;
    std::atomic<bool> deliveredOnRegisteringThread{false};
    std::atomic<bool> afterUnregister{false};
    std::atomic<bool> deliveredAfterUnregister{false};
    int handle = 0;
    // Runs on the event thread after each notification has been recorded.
    std::function<void(MRDeviceNotifyType)> hook;

    static void callback(MRDeviceRef device, MRDeviceNotifyType type, void* user) {
        auto* self = static_cast<Notifications*>(user);
        if (std::this_thread::get_id() == self->registeringThread)
            self->deliveredOnRegisteringThread = true;
        if (self->afterUnregister)
            self->deliveredAfterUnregister = true;
        std::string event = type == MRDeviceArrival ? "A" : type == MRDeviceDeparture ? "D" : "C";
        if (type != MRDeviceDeparture)
            event += std::to_string(MRGetDeviceMode(device));
        std::function<void(MRDeviceNotifyType)> hook;
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            self->events.push_back(event);
            self->handles.push_back(device);
            hook = self->hook;
        }
        if (hook)
            hook(type);
    }
    void setHook(std::function<void(MRDeviceNotifyType)> callback) {
        std::lock_guard<std::mutex> lock(mutex);
        hook = std::move(callback);
    }

    void registerNow() {
        registeringThread = std::this_thread::get_id();
        MRRegisterDeviceNotification(callback, this, &handle);
    }
    void unregisterNow() {
        MRUnregisterDeviceNotification(handle);
        afterUnregister = true;
    }
    std::string text() {
        std::lock_guard<std::mutex> lock(mutex);
        std::string joined;
        for (const std::string& event : events)
            joined += (joined.empty() ? "" : " ") + event;
        return joined;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex);
        events.clear();
        handles.clear();
    }
};

// ---- scenarios ----------------------------------------------------------------------------------------------

struct Firmware {
    std::string url;
    std::string sha1;
    uint64_t size = 0;
};

// A device that leaves mid-run is waited for reconnectMs; re-enumerating, it is off the bus for reenumerateMs.
std::string scenarioJson(const Firmware& firmware, const std::string& modeChange = "change", int restoreMs = 80,
                         int reenumerateMs = 0, int reconnectMs = 150) {
    std::ostringstream json;
    json << "{\"modeChange\": \"" << modeChange << "\", \"timing\": {\"enterRecoveryMs\": 40, \"quitRecoveryMs\": 40, "
         << "\"restoreMs\": " << restoreMs << ", \"reenumerateMs\": " << reenumerateMs
         << ", \"reconnectMs\": " << reconnectMs << "}, \"devices\": ["
         << "{\"id\": " << kPhone << ", \"name\": \"Test phone\", \"info\": \"Test phone (T1,1)\", "
         << "\"productType\": \"" << kProductType << "\", \"mode\": 0},"
         << "{\"id\": " << kSecondPhone << ", \"name\": \"Other phone\", \"productType\": \"T2,1\", \"mode\": 1, "
         << "\"arriveMs\": -1}], \"firmware\": {\"" << kProductType << "\": [{\"version\": \"1.0 (1A1)\", \"url\": \""
         << firmware.url << "\", \"sha1\": \"" << firmware.sha1 << "\", \"size\": " << firmware.size << "}]}}";
    return json.str();
}

MRDeviceRef handleOf(uint64_t id) {
    MRSimDeviceState state;
    sim()->GetState(id, &state);
    return state.handle;
}

MRSimDeviceState stateOf(uint64_t id) {
    MRSimDeviceState state;
    sim()->GetState(id, &state);
    return state;
}

// One repair setting: a scenario loaded, the phone's first firmware entry selected, a fresh download folder.
struct Bench {
    TempDir downloads;
    Notifications notifications;
    MRDeviceRef phone = 0;

    explicit Bench(const Firmware& firmware, const std::string& modeChange = "change", int restoreMs = 80,
                   int reenumerateMs = 0, int reconnectMs = 150) {
        CHECK_EQ(sim()->LoadScenario(scenarioJson(firmware, modeChange, restoreMs, reenumerateMs, reconnectMs).c_str()),
                 0);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        notifications.registerNow();
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        phone = handleOf(kPhone);
        MRSetDownloadFolder(downloads.path.c_str());
        MRSetDeleteFirmware(0);
        MRSelectFirmware(phone, 0);
    }
    ~Bench() { notifications.unregisterNow(); }

    int restore(Trace& trace, int option = MROptionStandard) {
        return MRRestore(handleOf(kPhone), option, Trace::callback, &trace);
    }
    std::string package() const { return downloads.file("fw.ipsw"); }
    bool unpackLeftovers() const {
        for (const std::string& name : entriesOf(downloads.path))
            if (name.rfind(".unpack-", 0) == 0)
                return true;
        return false;
    }
};

const char* const kWholeRun = "D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0";

// ---- the scenario table -------------------------------------------------------------------------------------

struct RunCase {
    const char* name;
    LoopbackHttpServer::Behaviour behaviour;
    bool damagedPackage;
    bool wrongChecksum;
    MRSimFault fault; // step -1: none
    std::function<int(Bench&, const MRRestoreCallbackData&)> hook;
    const char* expectedTrace;
    int expectedResult;
    std::function<void(Bench&, LoopbackHttpServer&)> after;
};

MRSimFault noFault() {
    MRSimFault fault{};
    fault.step = -1;
    return fault;
}

MRSimFault fault(int step, int atPercent, int code, int depart = 0, int noFinal = 0) {
    MRSimFault f{};
    f.step = step;
    f.atPercent = atPercent;
    f.code = code;
    f.description = "Simulated refusal";
    f.depart = depart;
    f.noFinalReport = noFinal;
    return f;
}

void runScenarioTable() {
    using B = LoopbackHttpServer::Behaviour;
    const std::string good = makePackage(kProductType);
    std::thread stopper;

    const std::vector<RunCase> cases = {
        {"success", B::Serve, false, false, noFault(), nullptr, kWholeRun, 0,
         [](Bench& bench, LoopbackHttpServer&) {
             MRSimDeviceState state = stateOf(kPhone);
             CHECK_EQ(state.restoreCount, 1);
             CHECK_EQ(state.lastOption, MROptionStandard);
             CHECK_EQ(state.erased, 0);
             CHECK_EQ(state.mode, MRModeNormal);
             CHECK_EQ(std::string(state.lastVersion), "1.0 (1A1)");
             CHECK(exists(bench.package()));
             CHECK(!bench.unpackLeftovers());
             // Arrival, then the change into recovery mode and back to normal.
             CHECK_EQ(bench.notifications.text(), "A0 C1 C0");
         }},
        {"404", B::Serve, false, false, noFault(), nullptr, "D> D=6", MRErrorHttp,
         [](Bench& bench, LoopbackHttpServer&) {
             CHECK(!exists(bench.package()));
             CHECK_EQ(stateOf(kPhone).restoreCount, 0);
         }},
        {"connection closed mid-body", B::CloseHalfway, false, false, noFault(), nullptr, "D> D~ D=7", MRErrorShortBody,
         [&good](Bench& bench, LoopbackHttpServer&) {
             CHECK(!exists(bench.package()));
             CHECK_EQ(sizeOf(bench.package() + ".part"), good.size() / 2);
         }},
        {"resume after an interrupted download", B::CloseHalfwayOnce, false, false, noFault(), nullptr, "D> D~ D=7",
         MRErrorShortBody,
         [&good](Bench& bench, LoopbackHttpServer& server) {
             Trace second;
             CHECK_EQ(bench.restore(second), 0);
             CHECK_EQ(second.text(), kWholeRun);
             auto requests = server.requests();
             CHECK_EQ(requests.size(), 2u);
             if (requests.size() == 2) {
                 CHECK_EQ(requests[1].range, std::to_string(good.size() / 2) + "-");
                 CHECK_EQ(requests[1].status, 206);
                 CHECK_EQ(requests[1].bytesSent, good.size() - good.size() / 2);
             }
             CHECK_EQ(readFile(bench.package()), good);
         }},
        {"wrong checksum", B::Serve, false, true, noFault(), nullptr, "D> D~ D=0 V> V~ V=9", MRErrorChecksum,
         [](Bench& bench, LoopbackHttpServer& server) {
             // The bad package is gone, so the next run really downloads again.
             CHECK(!exists(bench.package()));
             Trace again;
             CHECK_EQ(bench.restore(again), MRErrorChecksum);
             CHECK_EQ(again.text(), "D> D~ D=0 V> V~ V=9");
             CHECK_EQ(server.requests().size(), 2u);
         }},
        {"damaged zip", B::Serve, true, false, noFault(), nullptr, "D> D~ D=0 V> V~ V=0 U> U~ U=12", MRErrorUnzip,
         [](Bench& bench, LoopbackHttpServer&) {
             CHECK(!bench.unpackLeftovers());
             CHECK_EQ(stateOf(kPhone).mode, MRModeNormal);
         }},
        {"enter-recovery error", B::Serve, false, false, fault(MRStepEnterRecovery, 50, 42), nullptr,
         "D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=42", 42,
         [](Bench& bench, LoopbackHttpServer&) {
             CHECK_EQ(stateOf(kPhone).mode, MRModeNormal);
             CHECK_EQ(bench.notifications.text(), "A0");
             CHECK(!bench.unpackLeftovers());
         }},
        {"restore error", B::Serve, false, false, fault(MRStepRestore, 50, 43), nullptr,
         "D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=43", 43,
         [](Bench&, LoopbackHttpServer&) {
             CHECK_EQ(stateOf(kPhone).mode, MRModeRecovery);
             CHECK_EQ(stateOf(kPhone).restoreCount, 0);
         }},
        {"departure mid-restore", B::Serve, false, false, fault(MRStepRestore, 50, 0, 1), nullptr,
         "D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=14", MRErrorDisconnected,
         [](Bench& bench, LoopbackHttpServer&) {
             CHECK_EQ(stateOf(kPhone).present, 0);
             CHECK_EQ(sim()->WaitIdle(5000), 0);
             CHECK_EQ(bench.notifications.text(), "A0 C1 D");
         }},
        {"run ends without a final report", B::Serve, false, false, fault(MRStepRestore, 50, 44, 0, 1), nullptr,
         "D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~", 44,
         [](Bench& bench, LoopbackHttpServer&) { CHECK(!bench.unpackLeftovers()); }},
        {"stop mid-download", B::StallHalfway, false, false, noFault(),
         [&stopper](Bench& bench, const MRRestoreCallbackData& data) {
             // Another thread stops the job while the transfer waits for the stalled server.
             if (data.step == MRStepDownload && data.status == MRStatusProgress && !stopper.joinable())
                 stopper = std::thread([phone = bench.phone] { MRStopDevice(phone); });
             return 0;
         },
         "D> D~", MRErrorStopped,
         [&stopper, &good](Bench& bench, LoopbackHttpServer& server) {
             stopper.join();
             server.releaseStalled();
             CHECK_EQ(sizeOf(bench.package() + ".part"), good.size() / 2); // kept for the next run
             CHECK_EQ(stateOf(kPhone).jobRunning, 0);
         }},
        {"stop from inside a callback", B::Serve, false, false, noFault(),
         [](Bench& bench, const MRRestoreCallbackData& data) {
             if (data.step == MRStepVerify && data.status == MRStatusFinished)
                 MRStopDevice(bench.phone);
             return 0;
         },
         "D> D~ D=0 V> V~ V=0", MRErrorStopped,
         [](Bench& bench, LoopbackHttpServer&) {
             CHECK(exists(bench.package()));
             CHECK_EQ(stateOf(kPhone).restoreCount, 0);
         }},
        {"stop while unpacking", B::Serve, false, false, noFault(),
         [](Bench& bench, const MRRestoreCallbackData& data) {
             if (data.step == MRStepUnzip && data.status == MRStatusProgress)
                 MRStopDevice(bench.phone);
             return 0;
         },
         "D> D~ D=0 V> V~ V=0 U> U~", MRErrorStopped,
         [](Bench& bench, LoopbackHttpServer&) {
             CHECK(!bench.unpackLeftovers());
             CHECK(exists(bench.package()));
         }},
        {"callback answers -1", B::Serve, false, false, noFault(),
         [](Bench&, const MRRestoreCallbackData& data) { return data.status == MRStatusProgress ? -1 : 0; }, "D> D~",
         MRErrorStopped, nullptr},
    };

    for (const RunCase& row : cases) {
        g_case = row.name;
        LoopbackHttpServer server;
        std::string body = row.damagedPackage ? damaged(good) : good;
        if (std::strcmp(row.name, "404") != 0)
            server.serve("/fw/fw.ipsw", body, row.behaviour);
        Firmware firmware{server.url("/fw/fw.ipsw"), row.wrongChecksum ? std::string(40, '0') : sha1Hex(body),
                          body.size()};
        Bench bench(firmware);
        if (row.fault.step >= 0)
            CHECK_EQ(sim()->InjectFault(kPhone, &row.fault), 0);
        Trace trace;
        if (row.hook)
            trace.hook = [&bench, &row](const MRRestoreCallbackData& data) { return row.hook(bench, data); };
        auto start = std::chrono::steady_clock::now();
        int result = bench.restore(trace);
        CHECK(std::chrono::steady_clock::now() - start < std::chrono::seconds(10));
        CHECK_EQ(result, row.expectedResult);
        CHECK_EQ(trace.text(), row.expectedTrace);
        CHECK_EQ(trace.problems.size(), 0u);
        CHECK(!trace.onCallingThread); // reports come from the library's own thread
        if (row.expectedResult == 0)
            CHECK(trace.downloadDone == body.size() && trace.downloadTotal == body.size());
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        if (row.after)
            row.after(bench, server);
        sim()->ClearFaults(kPhone);
    }
}

// ---- further runs -------------------------------------------------------------------------------------------

void runModesAndPackages() {
    const std::string good = makePackage(kProductType);
    LoopbackHttpServer server;
    server.serve("/fw/fw.ipsw", good);
    Firmware firmware{server.url("/fw/fw.ipsw"), sha1Hex(good), good.size()};

    {
        g_case = "advanced mode erases; the second run reuses the package";
        Bench bench(firmware, "reenumerate");
        Trace first;
        first.hook = [&bench](const MRRestoreCallbackData& data) {
            if (data.step == MRStepVerify && data.status == MRStatusFinished)
                MRStopDevice(bench.phone);
            return 0;
        };
        CHECK_EQ(bench.restore(first, MROptionAdvanced), MRErrorStopped);
        Trace second;
        CHECK_EQ(bench.restore(second, MROptionAdvanced), 0);
        CHECK_EQ(second.text(), "V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0");
        CHECK_EQ(server.requests().size(), 1u);
        MRSimDeviceState state = stateOf(kPhone);
        CHECK_EQ(state.erased, 1);
        CHECK_EQ(state.lastOption, MROptionAdvanced);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        // Re-enumeration: each mode change is a departure and an arrival under a new handle, same id.
        CHECK_EQ(bench.notifications.text(), "A0 D A1 D A0");
        std::lock_guard<std::mutex> lock(bench.notifications.mutex);
        const auto& handles = bench.notifications.handles;
        CHECK(handles.size() == 5 && handles[0] != handles[2] && handles[2] != handles[4]);
        CHECK_EQ(MRGetDeviceId(handles[4]), kPhone);
        CHECK_EQ(MRGetDeviceId(handles[0]), 0u);
    }
    {
        g_case = "delete after repair removes only what the library downloaded";
        Bench bench(firmware);
        MRSetDeleteFirmware(1);
        // Not after a failed restore: the user will want to try again.
        MRSimFault failure = fault(MRStepRestore, 50, 43);
        sim()->InjectFault(kPhone, &failure);
        Trace failed;
        CHECK_EQ(bench.restore(failed), 43);
        CHECK(exists(bench.package()));
        sim()->SetMode(kPhone, MRModeNormal);
        Trace trace;
        CHECK_EQ(bench.restore(trace), 0);
        CHECK(!exists(bench.package()));

        // A package the user put into the folder is used but kept.
        writeFile(bench.package(), good);
        Trace again;
        CHECK_EQ(bench.restore(again), 0);
        CHECK_EQ(again.text(), "V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0");
        CHECK(exists(bench.package()));
    }

    const std::string escapeEntry = "../tst_devicelib_escape_" + std::to_string(::getpid());
    struct LocalCase {
        const char* name;
        std::string package;
        const char* expectedTrace;
        int expectedResult;
    };
    const std::vector<LocalCase> locals = {
        {"local package for this device", good, "V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0", 0},
        {"local package for another device", makePackage("T9,9"), "V> V~ V=10", MRErrorPackage},
        {"local package without manifest", makePackage(kProductType, 1024, false), "V> V~ V=10", MRErrorPackage},
        {"local file that is no package", std::string(4096, 'x'), "V> V~ V=10", MRErrorPackage},
        {"local package with an entry outside its folder", makePackage(kProductType, 1024, true, escapeEntry),
         "V> V~ V=0 U> U~ U=12", MRErrorUnzip},
    };
    for (const LocalCase& row : locals) {
        g_case = row.name;
        Bench bench(firmware);
        TempDir own;
        std::string path = own.file("mine.ipsw");
        writeFile(path, row.package);
        MRSetDeleteFirmware(1);
        MRSetDownloadFolder(nullptr);
        MRSetLocalFirmware(bench.phone, path.c_str());
        Trace trace;
        CHECK_EQ(bench.restore(trace), row.expectedResult);
        CHECK_EQ(trace.text(), row.expectedTrace);
        CHECK_EQ(readFile(path), row.package); // never deleted, never changed
        const char* tmp = std::getenv("TMPDIR");
        CHECK(!exists(std::string(tmp && *tmp ? tmp : "/tmp") + "/" + escapeEntry.substr(3)));
        CHECK(server.requests().size() <= 2u);
        MRSetLocalFirmware(bench.phone, nullptr);
    }

    {
        g_case = "no firmware selected, an unwritable download folder, and a stale handle";
        Bench bench(firmware);
        MRSelectFirmware(bench.phone, 5);
        Trace trace;
        CHECK_EQ(bench.restore(trace), MRErrorNoFirmware);
        CHECK_EQ(trace.text(), "D> D=3");
        MRSelectFirmware(bench.phone, 0);
        MRSetDownloadFolder("/proc/no-downloads-here");
        Trace unwritable;
        CHECK_EQ(bench.restore(unwritable), MRErrorFolder);
        CHECK_EQ(unwritable.text(), "D> D=4");
        MRDeviceRef old = bench.phone;
        sim()->Unplug(kPhone);
        Trace stale;
        CHECK_EQ(MRRestore(old, 0, Trace::callback, &stale), MRErrorNoDevice);
        CHECK_EQ(stale.text(), "D> D=2");
        CHECK_EQ(std::string(MRGetDeviceName(old)), "");
        CHECK_EQ(std::string(MRGetDeviceInfo(old)), "");
        CHECK_EQ(MRGetDeviceMode(old), -1);
        CHECK_EQ(MRGetFirmwareCount(old), 0);
        CHECK(MRGetFirmwareEntry(old, 0) == nullptr);
        CHECK_EQ(MREnterRecovery(old, 1), MRErrorNoDevice);
        MRStopDevice(old);
        MRSelectFirmware(old, 0);
        MRSetLocalFirmware(old, "/nowhere");
    }
}

// ---- re-enumeration -----------------------------------------------------------------------------------------

// A real device drops off the bus when it enters or leaves recovery mode and comes back under a new handle: the
// restore goes on across it, and the program can stop it with the handle it began with or with the new one.
void runReenumeration() {
    const std::string good = makePackage(kProductType);
    LoopbackHttpServer server;
    server.serve("/fw/fw.ipsw", good);
    Firmware firmware{server.url("/fw/fw.ipsw"), sha1Hex(good), good.size()};
    const char* const untilEnterRecovery = "D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0";

    {
        g_case = "off the bus for a while at each mode change, the run goes on under the device's new handle";
        Bench bench(firmware, "reenumerate", 80, 150, 5000);
        const MRDeviceRef first = bench.phone;
        std::atomic<MRDeviceRef> restoring{0};
        std::atomic<uint64_t> restoringId{0};
        Trace trace;
        trace.hook = [&](const MRRestoreCallbackData& data) {
            if (data.step == MRStepRestore && data.status == MRStatusProgress) {
                restoring = handleOf(kPhone);
                restoringId = MRGetDeviceId(restoring);
            }
            return 0;
        };
        CHECK_EQ(bench.restore(trace), 0);
        CHECK_EQ(trace.text(), kWholeRun);
        CHECK(restoring != first && restoring != 0);
        CHECK_EQ(restoringId.load(), kPhone);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK_EQ(bench.notifications.text(), "A0 D A1 D A0");
        CHECK_EQ(stateOf(kPhone).restoreCount, 1);

        // A handle from before the job began is not the job's: it stops nothing.
        Trace again;
        again.hook = [first](const MRRestoreCallbackData& data) {
            if (data.step == MRStepVerify && data.status == MRStatusStarted)
                MRStopDevice(first);
            return 0;
        };
        CHECK_EQ(bench.restore(again), 0);
        CHECK_EQ(again.text(), "V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0");
    }
    {
        g_case = "stopped with the handle it began with while the device is off the bus";
        Bench bench(firmware, "reenumerate", 80, 1000, 5000);
        Trace trace;
        trace.hook = [&bench](const MRRestoreCallbackData& data) {
            if (data.step == MRStepEnterRecovery && data.status == MRStatusFinished) {
                CHECK_EQ(handleOf(kPhone), 0u);
                MRStopDevice(bench.phone);
            }
            return 0;
        };
        CHECK_EQ(bench.restore(trace), MRErrorStopped);
        CHECK_EQ(trace.text(), untilEnterRecovery);
        CHECK_EQ(stateOf(kPhone).jobRunning, 0);
        CHECK_EQ(sim()->WaitIdle(5000), 0); // includes the device's return
        CHECK_EQ(bench.notifications.text(), "A0 D A1");
    }
    {
        g_case = "stopped with the device's new handle";
        Bench bench(firmware, "reenumerate", 5000);
        Trace trace;
        trace.hook = [](const MRRestoreCallbackData& data) {
            if (data.step == MRStepRestore && data.status == MRStatusProgress)
                MRStopDevice(handleOf(kPhone));
            return 0;
        };
        CHECK_EQ(bench.restore(trace), MRErrorStopped);
        CHECK_EQ(trace.text(), std::string(untilEnterRecovery) + " R> R~");
        CHECK_EQ(stateOf(kPhone).restoreCount, 0);
    }
    {
        g_case = "unplugged while off the bus, the device is waited for and then the run fails";
        Bench bench(firmware, "reenumerate", 80, 1000, 200);
        Trace trace;
        trace.hook = [](const MRRestoreCallbackData& data) {
            if (data.step == MRStepEnterRecovery && data.status == MRStatusFinished)
                CHECK_EQ(sim()->Unplug(kPhone), 0);
            return 0;
        };
        auto start = std::chrono::steady_clock::now();
        CHECK_EQ(bench.restore(trace), MRErrorDisconnected);
        CHECK(std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(200));
        CHECK_EQ(trace.text(), std::string(untilEnterRecovery) + " R> R=14");
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK_EQ(bench.notifications.text(), "A0 D");
        CHECK_EQ(stateOf(kPhone).present, 0);
        CHECK_EQ(sim()->Unplug(kPhone), -1);
    }
    {
        g_case = "unplugged mid-restore and plugged in again, the run goes on";
        Bench bench(firmware, "change", 1000, 0, 5000); // the rest of the restore outlasts the arrival's delivery
        MRSimFault departure = fault(MRStepRestore, 50, 0, 1);
        CHECK_EQ(sim()->InjectFault(kPhone, &departure), 0);
        bench.notifications.setHook([](MRDeviceNotifyType type) {
            if (type == MRDeviceDeparture)
                CHECK_EQ(sim()->Plug(kPhone), 0);
        });
        Trace trace;
        CHECK_EQ(bench.restore(trace), 0);
        CHECK_EQ(trace.text(), kWholeRun);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK_EQ(bench.notifications.text(), "A0 C1 D A1 C0");
        CHECK_EQ(stateOf(kPhone).restoreCount, 1);
        bench.notifications.setHook(nullptr);
    }
}

// ---- thread rules -------------------------------------------------------------------------------------------

void runThreadRules() {
    Firmware none{"http://127.0.0.1:1/none.ipsw", std::string(40, '0'), 1};
    {
        g_case = "announcements come from the event thread, in order, with live device data";
        CHECK_EQ(sim()->LoadScenario(scenarioJson(none).c_str()), 0);
        Notifications n;
        n.registerNow();
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK(!n.deliveredOnRegisteringThread);
        CHECK_EQ(n.text(), "A0");
        MRDeviceRef first = handleOf(kPhone);
        CHECK_EQ(std::string(MRGetDeviceName(first)), "Test phone");
        CHECK_EQ(std::string(MRGetDeviceInfo(first)), "Test phone (T1,1)");
        CHECK_EQ(MRGetFirmwareCount(first), 1);
        CHECK_EQ(std::string(MRGetFirmwareEntry(first, 0)->version), "1.0 (1A1)");

        // Each notification is read back inside its callback, so let it arrive before the next change.
        for (const auto& change : std::vector<std::function<int()>>{
                 [] { return sim()->Plug(kSecondPhone); }, [] { return sim()->SetMode(kPhone, MRModeDFU); },
                 [] { return sim()->Unplug(kPhone); }, [] { return sim()->Plug(kPhone); }}) {
            CHECK_EQ(change(), 0);
            CHECK_EQ(sim()->WaitIdle(5000), 0);
        }
        CHECK_EQ(sim()->Plug(kPhone), -1);
        CHECK_EQ(n.text(), "A0 A1 C2 D A2");

        // Back-to-back changes queue up in order; the change may read the device as already gone (-1).
        n.clear();
        sim()->SetMode(kPhone, MRModeRecovery);
        sim()->Unplug(kPhone);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        std::string queued = n.text();
        CHECK(queued == "C1 D" || queued == "C-1 D");
        sim()->Plug(kPhone);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        MRDeviceRef again = handleOf(kPhone);
        CHECK(again != first && again != 0);
        CHECK_EQ(MRGetDeviceId(again), kPhone);
        CHECK_EQ(MRGetDeviceMode(first), -1);
        n.unregisterNow();
    }
    {
        g_case = "recovery mode on demand";
        CHECK_EQ(sim()->LoadScenario(scenarioJson(none).c_str()), 0);
        Notifications n;
        n.registerNow();
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        MRDeviceRef phone = handleOf(kPhone);
        CHECK_EQ(MRQuitRecovery(phone, 1), 0); // already normal
        CHECK_EQ(MREnterRecovery(phone, 1), 0);
        CHECK_EQ(MRGetDeviceMode(phone), MRModeRecovery);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK_EQ(MRQuitRecovery(phone, 1), 0);
        CHECK_EQ(MRGetDeviceMode(phone), MRModeNormal);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        MRSimFault refusal = fault(MRStepEnterRecovery, 0, 42);
        sim()->InjectFault(kPhone, &refusal);
        CHECK_EQ(MREnterRecovery(phone, 1), 42);
        sim()->SetMode(kPhone, MRModeDFU);
        CHECK_EQ(MREnterRecovery(phone, 1), MRErrorDevice);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK_EQ(n.text(), "A0 C1 C0 C2");
        n.unregisterNow();
    }
    {
        g_case = "no callback after unregistering, even while devices come and go";
        CHECK_EQ(sim()->LoadScenario(scenarioJson(none).c_str()), 0);
        std::atomic<bool> running{true};
        std::thread churn([&running] {
            while (running) {
                sim()->Unplug(kSecondPhone);
                sim()->Plug(kSecondPhone);
            }
        });
        for (int i = 0; i < 50; ++i) {
            Notifications n;
            n.registerNow();
            std::this_thread::yield();
            n.unregisterNow();
            CHECK(!n.deliveredAfterUnregister);
            if (n.deliveredAfterUnregister)
                break;
        }
        running = false;
        churn.join();
        CHECK_EQ(sim()->WaitIdle(5000), 0);
    }
    {
        g_case = "a callback may unregister itself and call back into the library";
        CHECK_EQ(sim()->LoadScenario(scenarioJson(none).c_str()), 0);
        struct Self {
            int handle = 0;
            std::atomic<int> calls{0};
        } self;
        MRRegisterDeviceNotification(
            [](MRDeviceRef device, MRDeviceNotifyType, void* user) {
                auto* s = static_cast<Self*>(user);
                s->calls++;
                MRGetDeviceName(device);
                MRUnregisterDeviceNotification(s->handle);
            },
            &self, &self.handle);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        sim()->Plug(kSecondPhone);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK_EQ(self.calls.load(), 1);
    }
    {
        g_case = "MRStopDevice never blocks, even while a report waits";
        const std::string good = makePackage(kProductType);
        LoopbackHttpServer server;
        server.serve("/fw/fw.ipsw", good);
        Bench bench(Firmware{server.url("/fw/fw.ipsw"), sha1Hex(good), good.size()});
        std::mutex gate;
        std::condition_variable opened;
        bool stopReturned = false;
        std::thread stopper;
        Trace trace;
        Trace refused;
        trace.hook = [&](const MRRestoreCallbackData& data) {
            if (data.step == MRStepVerify && data.status == MRStatusStarted) {
                // A second job on the busy device is refused at once, without a report.
                CHECK_EQ(MRRestore(bench.phone, MROptionStandard, Trace::callback, &refused), MRErrorBusy);
                CHECK_EQ(MREnterRecovery(bench.phone, 1), MRErrorBusy);
                // Hold this report until another thread's stop has returned.
                stopper = std::thread([&] {
                    MRStopDevice(bench.phone);
                    std::lock_guard<std::mutex> lock(gate);
                    stopReturned = true;
                    opened.notify_all();
                });
                std::unique_lock<std::mutex> lock(gate);
                CHECK(opened.wait_for(lock, std::chrono::seconds(5), [&] { return stopReturned; }));
            }
            return 0;
        };
        CHECK_EQ(bench.restore(trace), MRErrorStopped);
        stopper.join();
        CHECK_EQ(trace.text(), "D> D~ D=0 V>");
        CHECK_EQ(refused.text(), "");
    }
    {
        g_case = "two devices offered the same package never download into one file";
        const std::string good = makePackage(kProductType);
        LoopbackHttpServer server;
        server.serve("/fw/fw.ipsw", good, LoopbackHttpServer::Behaviour::StallHalfway);
        Bench bench(Firmware{server.url("/fw/fw.ipsw"), sha1Hex(good), good.size()});
        std::string twin = scenarioJson(Firmware{server.url("/fw/fw.ipsw"), sha1Hex(good), good.size()});
        twin.replace(twin.find("\"T2,1\""), 6, "\"T1,1\"");
        CHECK_EQ(sim()->LoadScenario(twin.c_str()), 0);
        CHECK_EQ(sim()->Plug(kSecondPhone), 0);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        MRDeviceRef first = handleOf(kPhone);
        MRDeviceRef second = handleOf(kSecondPhone);
        MRSelectFirmware(first, 0);
        MRSelectFirmware(second, 0);

        std::mutex gate;
        std::condition_variable downloading;
        bool started = false;
        Trace firstTrace;
        firstTrace.hook = [&](const MRRestoreCallbackData& data) {
            if (data.status == MRStatusProgress) {
                std::lock_guard<std::mutex> lock(gate);
                started = true;
                downloading.notify_all();
            }
            return 0;
        };
        int firstResult = 0;
        std::thread firstRun([&] { firstResult = MRRestore(first, 0, Trace::callback, &firstTrace); });
        {
            std::unique_lock<std::mutex> lock(gate);
            CHECK(downloading.wait_for(lock, std::chrono::seconds(5), [&] { return started; }));
        }
        Trace secondTrace;
        CHECK_EQ(MRRestore(second, 0, Trace::callback, &secondTrace), MRErrorBusy);
        CHECK_EQ(secondTrace.text(), "D> D=1");
        MRStopDevice(first);
        firstRun.join();
        server.releaseStalled();
        CHECK_EQ(firstResult, MRErrorStopped);
        CHECK_EQ(firstTrace.text(), "D> D~");
    }
    {
        g_case = "progress is throttled to about ten reports a second";
        const std::string good = makePackage(kProductType);
        LoopbackHttpServer server;
        server.serve("/fw/fw.ipsw", good);
        Bench bench(Firmware{server.url("/fw/fw.ipsw"), sha1Hex(good), good.size()}, "change", 1000);
        int restoreProgress = 0;
        Trace trace;
        trace.hook = [&](const MRRestoreCallbackData& data) {
            if (data.step == MRStepRestore && data.status == MRStatusProgress)
                ++restoreProgress;
            return 0;
        };
        CHECK_EQ(bench.restore(trace), 0);
        CHECK(restoreProgress >= 5 && restoreProgress <= 13);
        CHECK_EQ(trace.lastDone, trace.lastTotal);
    }
    {
        g_case = "database upgrade notice";
        std::atomic<int> calls{0};
        MRRegisterDatabaseUpgradeCallback([](void* user) { ++*static_cast<std::atomic<int>*>(user); }, &calls);
        sim()->TriggerDatabaseUpgrade();
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK_EQ(calls.load(), 1);
        MRRegisterDatabaseUpgradeCallback(nullptr, nullptr);
    }
    {
        g_case = "scenario errors are reported, the old scenario stays";
        CHECK_EQ(sim()->LoadScenario("{\"devices\": [{\"id\": 0}]}"), -1);
        CHECK(std::strlen(sim()->LastError()) > 0);
        CHECK_EQ(sim()->LoadScenario("not json"), -1);
        CHECK_EQ(sim()->LoadScenarioFile("/nowhere/scenario.json"), -1);
        CHECK(handleOf(kPhone) != 0);
    }
}

// An HTTPS server on 127.0.0.1 whose certificate is self-signed, so that a client that checks certificates
// must refuse it.
class UntrustedTlsServer {
public:
    UntrustedTlsServer() {
        EVP_PKEY* key = EVP_EC_gen("P-256");
        X509* certificate = X509_new();
        X509_set_version(certificate, 2);
        ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
        X509_gmtime_adj(X509_getm_notBefore(certificate), 0);
        X509_gmtime_adj(X509_getm_notAfter(certificate), 3600);
        X509_set_pubkey(certificate, key);
        X509_NAME* name = X509_get_subject_name(certificate);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"), -1,
                                   -1, 0);
        X509_set_issuer_name(certificate, name);
        X509_sign(certificate, key, EVP_sha256());
        m_context = SSL_CTX_new(TLS_server_method());
        SSL_CTX_use_certificate(m_context, certificate);
        SSL_CTX_use_PrivateKey(m_context, key);
        X509_free(certificate);
        EVP_PKEY_free(key);

        m_listen = listenOnLoopback(&m_port);
        m_thread = std::thread([this] {
            for (;;) {
                int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
                if (fd < 0)
                    return;
                SSL* ssl = SSL_new(m_context);
                SSL_set_fd(ssl, fd);
                SSL_accept(ssl); // the client gives up on the certificate
                SSL_free(ssl);
                ::close(fd);
            }
        });
    }
    ~UntrustedTlsServer() {
        ::shutdown(m_listen, SHUT_RDWR);
        ::close(m_listen);
        m_thread.join();
        SSL_CTX_free(m_context);
    }
    std::string url(const std::string& path) const { return "https://127.0.0.1:" + std::to_string(m_port) + path; }

private:
    SSL_CTX* m_context = nullptr;
    int m_listen = -1;
    int m_port = 0;
    std::thread m_thread;
};

// Waits for something the library does on its own clock (scheduled arrivals), never longer than the limit.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void runScenarioFeatures() {
    {
        g_case = "scheduled arrival and departure, and a database upgrade waiting for its callback";
        const char* json = "{\"databaseUpgradeMs\": 0, \"devices\": [{\"id\": 9, \"name\": \"Late\", \"mode\": 2, "
                           "\"arriveMs\": 40, \"departMs\": 120}]}";
        CHECK_EQ(sim()->LoadScenario(json), 0);
        Notifications n;
        n.registerNow();
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK(eventually([&] { return n.text() == "A2 D"; }));
        CHECK_EQ(n.text(), "A2 D");
        n.unregisterNow();

        std::atomic<int> calls{0};
        MRRegisterDatabaseUpgradeCallback([](void* user) { ++*static_cast<std::atomic<int>*>(user); }, &calls);
        CHECK_EQ(sim()->WaitIdle(5000), 0);
        CHECK_EQ(calls.load(), 1);
        MRRegisterDatabaseUpgradeCallback(nullptr, nullptr);
    }
    {
        g_case = "https checks the server's certificate";
        UntrustedTlsServer server;
        Bench bench(Firmware{server.url("/fw.ipsw"), std::string(40, '0'), 100});
        Trace trace;
        CHECK_EQ(bench.restore(trace), MRErrorNetwork);
        CHECK_EQ(trace.text(), "D> D=5");
        CHECK(trace.lastDescription.find("certificate") != std::string::npos);
        CHECK(!exists(bench.package()));
    }
    {
        g_case = "downloads go through the proxy the program sets";
        const std::string good = makePackage(kProductType);
        LoopbackHttpServer proxy;
        proxy.serve("/fw/fw.ipsw", good);
        // A host that does not resolve: only the proxy can fetch it.
        Bench bench(Firmware{"http://firmware.invalid/fw/fw.ipsw", sha1Hex(good), good.size()});
        MRProxyInfo info{};
        std::snprintf(info.host, sizeof info.host, "127.0.0.1");
        info.port = proxy.port();
        info.kind = 1;
        MRSetProxy(&info);
        Trace trace;
        CHECK_EQ(bench.restore(trace), 0);
        MRSetProxy(nullptr);
        auto requests = proxy.requests();
        CHECK_EQ(requests.size(), 1u);
        if (!requests.empty())
            CHECK_EQ(requests[0].proxiedHost, "firmware.invalid");
    }
}

// A scenario file named by the environment replaces the built-in one when the library starts.
int checkScenarioFromEnvironment() {
    g_case = "scenario file from MENDRA_DEVICE_SCENARIO";
    Notifications n;
    n.registerNow();
    CHECK_EQ(sim()->WaitIdle(5000), 0);
    CHECK_EQ(n.text(), "A1 A0");
    MRSimDeviceState pad = stateOf(31);
    CHECK_EQ(pad.present, 1);
    CHECK_EQ(std::string(MRGetDeviceName(pad.handle)), "Test pad");
    CHECK_EQ(std::string(MRGetDeviceInfo(pad.handle)), "Test pad, 64 GB");
    CHECK_EQ(MRGetFirmwareCount(pad.handle), 2);
    const MRFirmwareEntry* entry = MRGetFirmwareEntry(pad.handle, 1);
    CHECK(entry && std::string(entry->version) == "2.0" &&
          std::string(entry->url) == "https://127.0.0.1:1/pad-2.0.ipsw");
    CHECK_EQ(stateOf(32).present, 1);
    CHECK_EQ(stateOf(33).present, 0);
    n.unregisterNow();
    return g_failures ? 1 : 0;
}

void checkBuiltInScenario() {
    g_case = "built-in scenario: one iPhone in normal mode offered the demo package beside the library";
    MRSimDeviceState state;
    uint64_t id = 4184312903729u;
    CHECK_EQ(sim()->GetState(id, &state), 0);
    CHECK_EQ(state.present, 1);
    CHECK_EQ(state.mode, MRModeNormal);
    CHECK_EQ(std::string(MRGetDeviceName(state.handle)), "iPhone");
    CHECK_EQ(MRGetFirmwareCount(state.handle), 1);
    const MRFirmwareEntry* entry = MRGetFirmwareEntry(state.handle, 0);
    const char* runtime = std::getenv("MENDRA_RUNTIME_DIR");
    CHECK(entry && runtime);
    if (entry && runtime)
        CHECK_EQ(std::string(entry->url), "file://" + std::string(runtime) + "/DemoFirmware_17.0_Restore.ipsw");
}

void runDefaultScenario() {
    g_case = "the built-in scenario repairs its iPhone with the demo package, offline";
    const char* runtime = std::getenv("MENDRA_RUNTIME_DIR");
    if (!runtime) {
        std::fprintf(stderr, "SKIP [%s]: MENDRA_RUNTIME_DIR is not set\n", g_case.c_str());
        return;
    }
    std::ostringstream json;
    json << "{\"timing\": {\"enterRecoveryMs\": 20, \"restoreMs\": 20}, \"firmwareFile\": "
            "\"${LIBDIR}/DemoFirmware.json\","
         << "\"devices\": [{\"id\": 1, \"name\": \"iPhone\", \"productType\": \"iPhone12,1\"}]}";
    CHECK_EQ(sim()->LoadScenario(json.str().c_str()), 0);
    CHECK_EQ(sim()->WaitIdle(5000), 0);
    MRDeviceRef phone = handleOf(1);
    CHECK_EQ(MRGetFirmwareCount(phone), 1);
    TempDir downloads;
    MRSetDownloadFolder(downloads.path.c_str());
    MRSelectFirmware(phone, 0);
    Trace trace;
    CHECK_EQ(MRRestore(phone, MROptionStandard, Trace::callback, &trace), 0);
    CHECK_EQ(trace.text(), kWholeRun);
    CHECK(exists(downloads.file("DemoFirmware_17.0_Restore.ipsw")));
}

} // namespace

int main(int argc, char** argv) {
    // Every peer of this test is on 127.0.0.1; a proxy from the environment must not take the requests.
    for (const char* variable : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ::unsetenv(variable);
    if (argc > 1 && std::string(argv[1]) == "--scenario-from-environment")
        return checkScenarioFromEnvironment();
    checkBuiltInScenario();
    runScenarioTable();
    runModesAndPackages();
    runReenumeration();
    runThreadRules();
    runScenarioFeatures();
    runDefaultScenario();
    if (g_failures) {
        std::fprintf(stderr, "%d check(s) failed\n", g_failures);
        return 1;
    }
    std::printf("all device library checks passed\n");
    return 0;
}
