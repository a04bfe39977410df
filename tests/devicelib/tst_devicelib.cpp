// Drives the device library's C interface directly: repair runs against a real HTTP server on 127.0.0.1,
// each checked for the exact sequence of reports, and the thread rules the program relies on. The library
// knows no Qt; only this test of it does.
#include "LoopbackHttpServer.h"
#include "PythonHttpServer.h"
#include "TestCa.h"
#include "deviceapi/zUZArovadu.h"
#include "zUZArovaduControl.h"

#include <QDir>
#include <QString>
#include <QtTest>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <ftw.h>
#include <functional>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <zip.h>
#include <zlib.h>

namespace {

const MRSimControl* sim() {
    return MRSimGetControl();
}

const uint64_t kPhone = 7001;
const uint64_t kSecondPhone = 7002;
const char* const kProductType = "T1,1";

// ---- files --------------------------------------------------------------------------------------------------

void removeTree(const std::string& path);

struct TempDir {
    std::string path;
    TempDir() {
        char pattern[] = "/tmp/tst_devicelib-XXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~TempDir() { removeTree(path); }
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

std::vector<std::string> unpackFoldersIn(const std::string& folder) {
    std::vector<std::string> found;
    for (const std::string& name : entriesOf(folder))
        if (name.rfind(".unpack-", 0) == 0)
            found.push_back(name);
    return found;
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
    // The package's own version differs from its catalogue entry's ("1.0 (1A1)"), as a user's may.
    std::string plist = "<plist version=\"1.0\"><dict><key>ProductVersion</key><string>1.1</string>"
                        "<key>ProductBuildVersion</key><string>1B2</string>"
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
std::string damaged(std::string package, size_t bytes = 64) {
    for (size_t i = package.size() / 3; i < package.size() / 3 + bytes; ++i)
        package[i] = char(package[i] ^ 0x5a);
    return package;
}

// A zip written byte by byte, so that its directory can declare sizes its data does not have. Every entry is
// deflated and carries ZIP64 sizes.
struct ZipEntry {
    std::string name;
    std::string data;
    uint64_t declared; // uncompressed size the headers state
};

std::string deflated(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, uLong(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string handMadeZip(const std::vector<ZipEntry>& entries) {
    std::string zip, directory;
    const auto put = [](std::string& to, uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            to += char(i < 8 ? (value >> (8 * i)) & 0xff : 0);
    };
    // From "version needed" to the extra field's length, alike in the local header and the directory; the
    // 32-bit sizes say "see the ZIP64 field".
    const auto headerFields = [&put](std::string& to, uint32_t crc, const ZipEntry& entry, int extraLength) {
        for (const std::pair<uint64_t, int>& field : std::vector<std::pair<uint64_t, int>>{{45, 2},
                                                                                           {0, 2},
                                                                                           {8, 2},
                                                                                           {0, 4},
                                                                                           {crc, 4},
                                                                                           {0xffffffff, 4},
                                                                                           {0xffffffff, 4},
                                                                                           {entry.name.size(), 2},
                                                                                           {uint64_t(extraLength), 2}})
            put(to, field.first, field.second);
    };
    for (const ZipEntry& entry : entries) {
        const std::string packed = deflated(entry.data);
        const uint32_t crc =
            uint32_t(crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), uInt(entry.data.size())));
        const uint64_t offset = zip.size();
        put(zip, 0x04034b50, 4);
        headerFields(zip, crc, entry, 20);
        zip += entry.name;
        put(zip, 0x00100001, 4); // ZIP64 field of 16 bytes
        put(zip, entry.declared, 8);
        put(zip, packed.size(), 8);
        zip += packed;

        put(directory, 0x02014b50, 4);
        put(directory, 45, 2); // made by
        headerFields(directory, crc, entry, 28);
        put(directory, 0, 10); // comment length, disk, attributes
        put(directory, 0xffffffff, 4);
        directory += entry.name;
        put(directory, 0x00180001, 4); // ZIP64 field of 24 bytes
        put(directory, entry.declared, 8);
        put(directory, packed.size(), 8);
        put(directory, offset, 8);
    }
    const uint64_t directoryOffset = zip.size();
    zip += directory;
    const uint64_t endOffset = zip.size();
    put(zip, 0x06064b50, 4); // ZIP64 end of directory
    put(zip, 44, 8);
    put(zip, 0x002d002d, 4);
    put(zip, 0, 8);
    put(zip, entries.size(), 8);
    put(zip, entries.size(), 8);
    put(zip, directory.size(), 8);
    put(zip, directoryOffset, 8);
    put(zip, 0x07064b50, 4); // its locator
    put(zip, 0, 4);
    put(zip, endOffset, 8);
    put(zip, 1, 4);
    put(zip, 0x06054b50, 4); // end of directory, pointing at the ZIP64 one
    put(zip, 0, 4);
    put(zip, 0xffffffff, 4);
    put(zip, 0xffffffffffffffffu, 8);
    put(zip, 0, 2);
    return zip;
}

const std::string kPlist = "<plist version=\"1.0\"><dict><key>ProductVersion</key><string>1.0</string>"
                           "<key>SupportedProductTypes</key><array><string>T1,1</string></array></dict></plist>";

// A manifest, then one payload of the given bytes whose headers declare the given size.
std::string packageDeclaring(const std::string& payload, uint64_t declared) {
    return handMadeZip({{"Restore.plist", kPlist, kPlist.size()}, {"Firmware/system.dmg", payload, declared}});
}

QByteArray bytes(const std::string& data) {
    return QByteArray(data.data(), int(data.size()));
}

std::string fromBytes(const QByteArray& data) {
    return std::string(data.constData(), size_t(data.size()));
}

// The run's unpack folders in a folder: ".unpack-..." entries.
std::vector<std::string> unpackFoldersIn(const std::string& folder);

void removeTree(const std::string& path) {
    ::nftw(
        path.c_str(), [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); }, 16,
        FTW_DEPTH | FTW_PHYS);
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
    std::string descriptions[5]; // of each step's finished report
    bool onCallingThread = false;
    std::thread::id callingThread = std::this_thread::get_id();
    std::function<int(const MRRestoreCallbackData&)> hook;

    QString text() {
        std::lock_guard<std::mutex> lock(mutex);
        std::string joined;
        for (const std::string& token : tokens)
            joined += (joined.empty() ? "" : " ") + token;
        return QString::fromStdString(joined);
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
                if (data->result.description && data->step >= 0 && data->step <= 4)
                    trace->descriptions[data->step] = data->result.description;
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
    QString text() {
        std::lock_guard<std::mutex> lock(mutex);
        std::string joined;
        for (const std::string& event : events)
            joined += (joined.empty() ? "" : " ") + event;
        return QString::fromStdString(joined);
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

// Both phones of the scenario connected as one product type, offered one package, each with it selected.
bool plugTwins(const Firmware& firmware) {
    std::string twin = scenarioJson(firmware);
    twin.replace(twin.find("\"T2,1\""), 6, "\"T1,1\"");
    if (sim()->LoadScenario(twin.c_str()) != 0 || sim()->Plug(kSecondPhone) != 0 || sim()->WaitIdle(5000) != 0)
        return false;
    MRSelectFirmware(handleOf(kPhone), 0);
    MRSelectFirmware(handleOf(kSecondPhone), 0);
    return true;
}

// The package served at /fw/fw.ipsw, as the catalogue offers it.
Firmware serving(LoopbackHttpServer& server, const std::string& body) {
    server.serve("/fw/fw.ipsw", body);
    return Firmware{server.url("/fw/fw.ipsw"), sha1Hex(body), body.size()};
}

// One repair setting: a scenario loaded, the phone's first firmware entry selected, a fresh download folder.
struct Bench {
    TempDir downloads;
    Notifications notifications;
    MRDeviceRef phone = 0;

    // ready: the scenario loaded and its arrival announced.
    bool ready = false;

    explicit Bench(const Firmware& firmware, const std::string& modeChange = "change", int restoreMs = 80,
                   int reenumerateMs = 0, int reconnectMs = 150) {
        const std::string json = scenarioJson(firmware, modeChange, restoreMs, reenumerateMs, reconnectMs);
        ready = sim()->LoadScenario(json.c_str()) == 0 && sim()->WaitIdle(5000) == 0;
        notifications.registerNow();
        ready = ready && sim()->WaitIdle(5000) == 0;
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
    bool unpackLeftovers() const { return !unpackFoldersIn(downloads.path).empty(); }
};

const QString kWholeRun = QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0");
const QString kUntilEnterRecovery = QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0");

QString text(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

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

// One run of the scenario table: how the server and the package behave, a fault of the simulated phone, what the
// test does on the reports, and what the run must report and leave behind.
struct RunCase {
    LoopbackHttpServer::Behaviour behaviour;
    bool damagedPackage;
    bool wrongChecksum;
    MRSimFault fault; // step -1: none
    std::function<int(Bench&, const MRRestoreCallbackData&)> hook;
    QString expectedTrace;
    int expectedResult;
    std::function<void(Bench&, LoopbackHttpServer&)> after;
};

} // namespace

class TestDeviceLib : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void builtInScenario();
    void runs_data();
    void runs();

    void advancedModeReusesThePackage();
    void deleteAfterRepair();
    void localPackages_data();
    void localPackages();
    void noFirmwareUnwritableFolderStaleHandle();

    void verifyMessages_data();
    void verifyMessages();
    void packageSwappedAfterItsVerification();
    void linksAreNotFollowed_data();
    void linksAreNotFollowed();
    void othersFilesAreNotUsed_data();
    void othersFilesAreNotUsed();
    void unpackIsBounded_data();
    void unpackIsBounded();
    void unpackFolderRemovedWhileUnpacking();
    void abandonedUnpackFoldersAreRemoved();
    void httpsTrustAndRedirects_data();
    void httpsTrustAndRedirects();

    void runGoesOnUnderTheNewHandle();
    void stoppedWithTheFirstHandleOffTheBus();
    void stoppedWithTheNewHandle();
    void unpluggedWhileOffTheBus();
    void unpluggedAndPluggedInMidRestore();
    void failedRestoreBringsTheDeviceBack_data();
    void failedRestoreBringsTheDeviceBack();

    void announcementsFromTheEventThread();
    void recoveryModeOnDemand();
    void noCallbackAfterUnregistering();
    void callbackMayUnregisterItself();
    void stopNeverBlocks();
    void twoDevicesNeverShareADownload();
    void progressIsThrottled();
    void databaseUpgradeNotice();
    void scenarioErrorsKeepTheOldScenario();

    void scheduledArrivalAndUpgrade();
    void httpsChecksTheCertificate();
    void downloadsGoThroughTheProxy();
    void builtInScenarioRepairsOffline();

    void scenarioFromEnvironment();

private:
    std::string m_good;
    std::thread m_stopper;
    std::vector<RunCase> m_cases;
};

void TestDeviceLib::initTestCase() {
    // Every peer of this test is on 127.0.0.1; a proxy from the environment must not take the requests.
    for (const char* variable : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ::unsetenv(variable);
    m_good = makePackage(kProductType);
}

// Before any test loads a scenario of its own.
void TestDeviceLib::builtInScenario() {
    if (!qEnvironmentVariableIsEmpty("MENDRA_DEVICE_SCENARIO"))
        QSKIP("a scenario file replaces the built-in scenario");
    MRSimDeviceState state;
    const uint64_t id = 4184312903729u;
    QCOMPARE(sim()->GetState(id, &state), 0);
    QCOMPARE(state.present, 1);
    QCOMPARE(state.mode, int(MRModeNormal));
    QCOMPARE(text(MRGetDeviceName(state.handle)), QStringLiteral("iPhone"));
    QCOMPARE(MRGetFirmwareCount(state.handle), 1);
    const MRFirmwareEntry* entry = MRGetFirmwareEntry(state.handle, 0);
    const QString runtime = qEnvironmentVariable("MENDRA_RUNTIME_DIR");
    QVERIFY(entry);
    QVERIFY(!runtime.isEmpty());
    QCOMPARE(text(entry->url), "file://" + runtime + "/DemoFirmware_17.0_Restore.ipsw");
}

// ---- the scenario table -------------------------------------------------------------------------------------

void TestDeviceLib::runs_data() {
    using B = LoopbackHttpServer::Behaviour;
    const std::string& good = m_good;
    m_cases.clear();
    QTest::addColumn<int>("row");
    const auto add = [this](const char* name, RunCase row) {
        QTest::newRow(name) << int(m_cases.size());
        m_cases.push_back(std::move(row));
    };

    add("success", {B::Serve, false, false, noFault(), nullptr, kWholeRun, 0, [](Bench& bench, LoopbackHttpServer&) {
                        MRSimDeviceState state = stateOf(kPhone);
                        QCOMPARE(state.restoreCount, 1);
                        QCOMPARE(state.lastOption, int(MROptionStandard));
                        QCOMPARE(state.erased, 0);
                        QCOMPARE(state.mode, int(MRModeNormal));
                        QCOMPARE(text(state.lastVersion), QStringLiteral("1.0 (1A1)"));
                        QVERIFY(exists(bench.package()));
                        QVERIFY(!bench.unpackLeftovers());
                        // Arrival, then the change into recovery mode and back to normal.
                        QCOMPARE(bench.notifications.text(), QStringLiteral("A0 C1 C0"));
                    }});
    add("404", {B::Serve, false, false, noFault(), nullptr, QStringLiteral("D> D=6"), MRErrorHttp,
                [](Bench& bench, LoopbackHttpServer&) {
                    QVERIFY(!exists(bench.package()));
                    QCOMPARE(stateOf(kPhone).restoreCount, 0);
                }});
    add("connection closed mid-body", {B::CloseHalfway, false, false, noFault(), nullptr, QStringLiteral("D> D~ D=7"),
                                       MRErrorShortBody, [&good](Bench& bench, LoopbackHttpServer&) {
                                           QVERIFY(!exists(bench.package()));
                                           QCOMPARE(sizeOf(bench.package() + ".part"), uint64_t(good.size() / 2));
                                       }});
    add("resume after an interrupted download",
        {B::CloseHalfwayOnce, false, false, noFault(), nullptr, QStringLiteral("D> D~ D=7"), MRErrorShortBody,
         [&good](Bench& bench, LoopbackHttpServer& server) {
             Trace second;
             QCOMPARE(bench.restore(second), 0);
             QCOMPARE(second.text(), kWholeRun);
             const auto requests = server.requests();
             QCOMPARE(requests.size(), size_t(2));
             QCOMPARE(text(requests[1].range), QString::number(good.size() / 2) + "-");
             QCOMPARE(requests[1].status, 206);
             QCOMPARE(requests[1].bytesSent, good.size() - good.size() / 2);
             QVERIFY(readFile(bench.package()) == good);
         }});
    // The download folder is deleted while the package is written: a failure of the disk, told as one, never as
    // a connection that closed early.
    const auto description = std::make_shared<std::string>();
    add("download folder removed mid-download",
        {B::Serve, false, false, noFault(),
         [description](Bench& bench, const MRRestoreCallbackData& data) {
             if (data.step == MRStepDownload && data.status == MRStatusProgress &&
                 QDir(text(bench.downloads.path)).exists())
                 QDir(text(bench.downloads.path)).removeRecursively();
             if (data.step == MRStepDownload && data.status == MRStatusFinished)
                 *description = data.result.description;
             return 0;
         },
         QStringLiteral("D> D~ D=8"), MRErrorWrite,
         [description](Bench& bench, LoopbackHttpServer&) {
             QCOMPARE(text(*description),
                      text("Cannot write " + bench.package() + ".part: it was removed during the download"));
             QVERIFY(!exists(bench.package()));
         }});
    add("wrong checksum", {B::Serve, false, true, noFault(), nullptr, QStringLiteral("D> D~ D=0 V> V~ V=9"),
                           MRErrorChecksum, [](Bench& bench, LoopbackHttpServer& server) {
                               // The bad package is gone, so the next run really downloads again.
                               QVERIFY(!exists(bench.package()));
                               Trace again;
                               QCOMPARE(bench.restore(again), int(MRErrorChecksum));
                               QCOMPARE(again.text(), QStringLiteral("D> D~ D=0 V> V~ V=9"));
                               QCOMPARE(server.requests().size(), size_t(2));
                           }});
    add("damaged zip", {B::Serve, true, false, noFault(), nullptr, QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~ U=12"),
                        MRErrorUnzip, [](Bench& bench, LoopbackHttpServer&) {
                            QVERIFY(!bench.unpackLeftovers());
                            QCOMPARE(stateOf(kPhone).mode, int(MRModeNormal));
                        }});
    add("enter-recovery error",
        {B::Serve, false, false, fault(MRStepEnterRecovery, 50, 42), nullptr,
         QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=42"), 42, [](Bench& bench, LoopbackHttpServer&) {
             QCOMPARE(stateOf(kPhone).mode, int(MRModeNormal));
             QCOMPARE(bench.notifications.text(), QStringLiteral("A0"));
             QVERIFY(!bench.unpackLeftovers());
         }});
    add("restore error", {B::Serve, false, false, fault(MRStepRestore, 50, 43), nullptr,
                          QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=43"), 43,
                          [](Bench& bench, LoopbackHttpServer&) {
                              // The phone restarts as a real one does when its restore fails: off the bus, back in
                              // recovery mode.
                              QCOMPARE(bench.notifications.text(), QStringLiteral("A0 C1 D A1"));
                              QCOMPARE(stateOf(kPhone).present, 1);
                              QCOMPARE(stateOf(kPhone).mode, int(MRModeRecovery));
                              QCOMPARE(stateOf(kPhone).restoreCount, 0);
                          }});
    add("departure mid-restore", {B::Serve, false, false, fault(MRStepRestore, 50, 0, 1), nullptr,
                                  QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=14"),
                                  MRErrorDisconnected, [](Bench& bench, LoopbackHttpServer&) {
                                      QCOMPARE(stateOf(kPhone).present, 0);
                                      QCOMPARE(sim()->WaitIdle(5000), 0);
                                      QCOMPARE(bench.notifications.text(), QStringLiteral("A0 C1 D"));
                                  }});
    add("run ends without a final report",
        {B::Serve, false, false, fault(MRStepRestore, 50, 44, 0, 1), nullptr,
         QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~"), 44, [](Bench& bench, LoopbackHttpServer&) {
             QVERIFY(!bench.unpackLeftovers());
             QCOMPARE(bench.notifications.text(), QStringLiteral("A0 C1"));
         }});
    add("stop mid-download",
        {B::StallHalfway, false, false, noFault(),
         [this](Bench& bench, const MRRestoreCallbackData& data) {
             // Another thread stops the job while the transfer waits for the stalled server.
             if (data.step == MRStepDownload && data.status == MRStatusProgress && !m_stopper.joinable())
                 m_stopper = std::thread([phone = bench.phone] { MRStopDevice(phone); });
             return 0;
         },
         QStringLiteral("D> D~"), MRErrorStopped,
         [&good](Bench& bench, LoopbackHttpServer& server) {
             server.releaseStalled();
             QCOMPARE(sizeOf(bench.package() + ".part"), uint64_t(good.size() / 2)); // kept for the next run
             QCOMPARE(stateOf(kPhone).jobRunning, 0);
         }});
    add("stop from inside a callback", {B::Serve, false, false, noFault(),
                                        [](Bench& bench, const MRRestoreCallbackData& data) {
                                            if (data.step == MRStepVerify && data.status == MRStatusFinished)
                                                MRStopDevice(bench.phone);
                                            return 0;
                                        },
                                        QStringLiteral("D> D~ D=0 V> V~ V=0"), MRErrorStopped,
                                        [](Bench& bench, LoopbackHttpServer&) {
                                            QVERIFY(exists(bench.package()));
                                            QCOMPARE(stateOf(kPhone).restoreCount, 0);
                                        }});
    add("stop while unpacking", {B::Serve, false, false, noFault(),
                                 [](Bench& bench, const MRRestoreCallbackData& data) {
                                     if (data.step == MRStepUnzip && data.status == MRStatusProgress)
                                         MRStopDevice(bench.phone);
                                     return 0;
                                 },
                                 QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~"), MRErrorStopped,
                                 [](Bench& bench, LoopbackHttpServer&) {
                                     QVERIFY(!bench.unpackLeftovers());
                                     QVERIFY(exists(bench.package()));
                                 }});
    add("callback answers -1",
        {B::Serve, false, false, noFault(),
         [](Bench&, const MRRestoreCallbackData& data) { return data.status == MRStatusProgress ? -1 : 0; },
         QStringLiteral("D> D~"), MRErrorStopped, nullptr});
}

void TestDeviceLib::runs() {
    QFETCH(int, row);
    const RunCase& run = m_cases.at(size_t(row));
    LoopbackHttpServer server;
    const std::string body = run.damagedPackage ? damaged(m_good) : m_good;
    if (QTest::currentDataTag() != QLatin1String("404"))
        server.serve("/fw/fw.ipsw", body, run.behaviour);
    const Firmware firmware{server.url("/fw/fw.ipsw"), run.wrongChecksum ? std::string(40, '0') : sha1Hex(body),
                            body.size()};
    Bench bench(firmware);
    QVERIFY(bench.ready);
    if (run.fault.step >= 0)
        QCOMPARE(sim()->InjectFault(kPhone, &run.fault), 0);
    Trace trace;
    if (run.hook)
        trace.hook = [&bench, &run](const MRRestoreCallbackData& data) { return run.hook(bench, data); };
    const auto start = std::chrono::steady_clock::now();
    const int result = bench.restore(trace);
    if (m_stopper.joinable())
        m_stopper.join();
    QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(10));
    QCOMPARE(result, run.expectedResult);
    QCOMPARE(trace.text(), run.expectedTrace);
    QCOMPARE(trace.problems.size(), size_t(0));
    QVERIFY(!trace.onCallingThread); // reports come from the library's own thread
    if (run.expectedResult == 0) {
        QCOMPARE(trace.downloadDone, uint64_t(body.size()));
        QCOMPARE(trace.downloadTotal, uint64_t(body.size()));
    }
    QCOMPARE(sim()->WaitIdle(5000), 0);
    if (run.after)
        run.after(bench, server);
    sim()->ClearFaults(kPhone);
}

// ---- modes and packages -------------------------------------------------------------------------------------

void TestDeviceLib::advancedModeReusesThePackage() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good), "reenumerate");
    QVERIFY(bench.ready);
    Trace first;
    first.hook = [&bench](const MRRestoreCallbackData& data) {
        if (data.step == MRStepVerify && data.status == MRStatusFinished)
            MRStopDevice(bench.phone);
        return 0;
    };
    QCOMPARE(bench.restore(first, MROptionAdvanced), int(MRErrorStopped));
    Trace second;
    QCOMPARE(bench.restore(second, MROptionAdvanced), 0);
    QCOMPARE(second.text(), QStringLiteral("V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0"));
    QCOMPARE(server.requests().size(), size_t(1));
    const MRSimDeviceState state = stateOf(kPhone);
    QCOMPARE(state.erased, 1);
    QCOMPARE(state.lastOption, int(MROptionAdvanced));
    QCOMPARE(sim()->WaitIdle(5000), 0);
    // Re-enumeration: each mode change is a departure and an arrival under a new handle, same id.
    QCOMPARE(bench.notifications.text(), QStringLiteral("A0 D A1 D A0"));
    std::vector<MRDeviceRef> handles;
    {
        std::lock_guard<std::mutex> lock(bench.notifications.mutex);
        handles = bench.notifications.handles;
    }
    QCOMPARE(handles.size(), size_t(5));
    QVERIFY(handles[0] != handles[2] && handles[2] != handles[4]);
    QCOMPARE(MRGetDeviceId(handles[4]), kPhone);
    QCOMPARE(MRGetDeviceId(handles[0]), uint64_t(0));
}

void TestDeviceLib::deleteAfterRepair() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good));
    QVERIFY(bench.ready);
    MRSetDeleteFirmware(1);
    // Not after a failed restore: the user will want to try again.
    MRSimFault failure = fault(MRStepRestore, 50, 43);
    sim()->InjectFault(kPhone, &failure);
    Trace failed;
    QCOMPARE(bench.restore(failed), 43);
    QVERIFY(exists(bench.package()));
    sim()->SetMode(kPhone, MRModeNormal);
    Trace trace;
    QCOMPARE(bench.restore(trace), 0);
    QVERIFY(!exists(bench.package()));

    // A package the user put into the folder is used but kept.
    writeFile(bench.package(), m_good);
    Trace again;
    QCOMPARE(bench.restore(again), 0);
    QCOMPARE(again.text(), QStringLiteral("V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0"));
    QVERIFY(exists(bench.package()));
}

void TestDeviceLib::localPackages_data() {
    QTest::addColumn<QByteArray>("package");
    QTest::addColumn<bool>("behindALink"); // the library is given a link to the package
    QTest::addColumn<QString>("trace");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("verified"); // the verify step's description
    const std::string escapeEntry = "../tst_devicelib_escape_" + std::to_string(::getpid());
    const QString whole = QStringLiteral("V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0");
    // The package's own version, not its catalogue entry's "1.0 (1A1)".
    QTest::newRow("local package for this device") << bytes(m_good) << false << whole << 0 << "1.1 (1B2)";
    QTest::newRow("local package for another device")
        << bytes(makePackage("T9,9")) << false << "V> V=10" << int(MRErrorPackage) << QString();
    QTest::newRow("local package without manifest")
        << bytes(makePackage(kProductType, 1024, false)) << false << "V> V=10" << int(MRErrorPackage) << QString();
    QTest::newRow("local file that is no package")
        << bytes(std::string(4096, 'x')) << false << "V> V=10" << int(MRErrorPackage) << QString();
    QTest::newRow("local package with an entry outside its folder")
        << bytes(makePackage(kProductType, 1024, true, escapeEntry)) << false << "V> V=10" << int(MRErrorPackage)
        << QString();
    // Every entry's data is checked at verify: the damage shows before "Fix Now", not in the unpack.
    QTest::newRow("local package with four flipped bytes")
        << bytes(damaged(m_good, 4)) << false << "V> V~ V=10" << int(MRErrorPackage) << QString();
    QTest::newRow("local package behind a link") << bytes(m_good) << true << "V> V=11" << int(MRErrorRead) << QString();
}

void TestDeviceLib::localPackages() {
    QFETCH(QByteArray, package);
    QFETCH(bool, behindALink);
    QFETCH(QString, trace);
    QFETCH(int, result);
    QFETCH(QString, verified);
    const std::string contents = fromBytes(package);
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good));
    QVERIFY(bench.ready);
    TempDir own;
    const std::string path = own.file("mine.ipsw");
    writeFile(path, contents);
    const std::string given = behindALink ? own.file("link.ipsw") : path;
    if (behindALink)
        QCOMPARE(::symlink(path.c_str(), given.c_str()), 0);
    MRSetDeleteFirmware(1);
    MRSetDownloadFolder(nullptr);
    MRSetLocalFirmware(bench.phone, given.c_str());
    Trace reports;
    QCOMPARE(bench.restore(reports), result);
    MRSetLocalFirmware(bench.phone, nullptr);
    QCOMPARE(reports.text(), trace);
    if (result == 0) {
        QCOMPARE(text(reports.descriptions[MRStepVerify]), verified);
        QCOMPARE(text(stateOf(kPhone).lastVersion), verified);
    }
    QVERIFY(readFile(path) == contents); // never deleted, never changed
    const char* tmp = std::getenv("TMPDIR");
    const std::string escaped = "tst_devicelib_escape_" + std::to_string(::getpid());
    QVERIFY(!exists(std::string(tmp && *tmp ? tmp : "/tmp") + "/" + escaped));
    QCOMPARE(server.requests().size(), size_t(0));
}

void TestDeviceLib::noFirmwareUnwritableFolderStaleHandle() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good));
    QVERIFY(bench.ready);
    MRSelectFirmware(bench.phone, 5);
    Trace trace;
    QCOMPARE(bench.restore(trace), int(MRErrorNoFirmware));
    QCOMPARE(trace.text(), QStringLiteral("D> D=3"));
    MRSelectFirmware(bench.phone, 0);
    MRSetDownloadFolder("/proc/no-downloads-here");
    Trace unwritable;
    QCOMPARE(bench.restore(unwritable), int(MRErrorFolder));
    QCOMPARE(unwritable.text(), QStringLiteral("D> D=4"));
    const MRDeviceRef old = bench.phone;
    sim()->Unplug(kPhone);
    Trace stale;
    QCOMPARE(MRRestore(old, 0, Trace::callback, &stale), int(MRErrorNoDevice));
    QCOMPARE(stale.text(), QStringLiteral("D> D=2"));
    QCOMPARE(text(MRGetDeviceName(old)), QString());
    QCOMPARE(text(MRGetDeviceInfo(old)), QString());
    QCOMPARE(MRGetDeviceMode(old), -1);
    QCOMPARE(MRGetFirmwareCount(old), 0);
    QVERIFY(MRGetFirmwareEntry(old, 0) == nullptr);
    QCOMPARE(MREnterRecovery(old, 1), int(MRErrorNoDevice));
    MRStopDevice(old);
    MRSelectFirmware(old, 0);
    MRSetLocalFirmware(old, "/nowhere");
}

// ---- the package on disk ------------------------------------------------------------------------------------
// What is verified is what is unpacked, nothing is written through a link, and the unpack is held to what the
// package declares and the disk can take.

void TestDeviceLib::verifyMessages_data() {
    QTest::addColumn<bool>("wrongSize");
    QTest::addColumn<QString>("trace");
    QTest::addColumn<QString>("description");
    const QString size = QString::number(m_good.size());
    QTest::newRow("size differs") << true << "V> V=9"
                                  << "The package has " + size + " bytes, expected " +
                                         QString::number(m_good.size() + 1) + " bytes";
    QTest::newRow("SHA-1 differs") << false << "V> V~ V=9"
                                   << "The package's SHA-1 is " + text(sha1Hex(m_good)) + ", expected " +
                                          QString(40, QLatin1Char('0'));
}

// A package already in the download folder whose size or digest is not the catalogue's.
void TestDeviceLib::verifyMessages() {
    QFETCH(bool, wrongSize);
    QFETCH(QString, trace);
    QFETCH(QString, description);
    LoopbackHttpServer server;
    Bench bench(Firmware{server.url("/fw/fw.ipsw"), wrongSize ? sha1Hex(m_good) : std::string(40, '0'),
                         m_good.size() + (wrongSize ? 1 : 0)});
    QVERIFY(bench.ready);
    writeFile(bench.package(), m_good);
    Trace reports;
    QCOMPARE(bench.restore(reports), int(MRErrorChecksum));
    QCOMPARE(reports.text(), trace);
    QCOMPARE(text(reports.descriptions[MRStepVerify]), description);
    QVERIFY(!exists(bench.package())); // the next run downloads it anew
}

// The second run's verification and its unpack read one open file: a package put in its place between them
// is not what is unpacked.
void TestDeviceLib::packageSwappedAfterItsVerification() {
    LoopbackHttpServer server;
    Bench bench(Firmware{server.url("/fw/fw.ipsw"), sha1Hex(m_good), m_good.size()});
    QVERIFY(bench.ready);
    writeFile(bench.package(), m_good);
    TempDir elsewhere;
    const std::string planted = elsewhere.file("planted.ipsw");
    writeFile(planted, makePackage(kProductType, 1024, true, "planted.txt"));
    std::atomic<int> swapped{-1};
    std::vector<std::string> unpacked;
    Trace trace;
    trace.hook = [&](const MRRestoreCallbackData& data) {
        if (data.step == MRStepVerify && data.status == MRStatusFinished)
            swapped = std::rename(planted.c_str(), bench.package().c_str());
        if (data.step == MRStepUnzip && data.status == MRStatusFinished) {
            for (const std::string& folder : unpackFoldersIn(bench.downloads.path))
                for (const std::string& name : entriesOf(bench.downloads.file(folder)))
                    unpacked.push_back(name);
        }
        return 0;
    };
    QCOMPARE(bench.restore(trace), 0);
    QCOMPARE(swapped.load(), 0);
    QCOMPARE(trace.text(), QStringLiteral("V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0"));
    std::sort(unpacked.begin(), unpacked.end());
    QCOMPARE(unpacked, (std::vector<std::string>{"Firmware", "Restore.plist"}));
    QVERIFY(!bench.unpackLeftovers());
}

void TestDeviceLib::linksAreNotFollowed_data() {
    QTest::addColumn<QString>("linkName"); // in the download folder, to a file elsewhere
    QTest::newRow("a link at the partial download") << "fw.ipsw.part";
    QTest::newRow("a link at the package") << "fw.ipsw";
}

// Another account that may write into the download folder plants a link there: the download neither writes
// through it nor reads the file it leads to, and goes on as if it were not there.
void TestDeviceLib::linksAreNotFollowed() {
    QFETCH(QString, linkName);
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good));
    QVERIFY(bench.ready);
    TempDir elsewhere;
    const std::string target = elsewhere.file("not-yours");
    const std::string targetContents = linkName.endsWith(".part") ? std::string("someone else's file") : m_good;
    writeFile(target, targetContents);
    QCOMPARE(::symlink(target.c_str(), bench.downloads.file(linkName.toStdString()).c_str()), 0);
    Trace trace;
    QCOMPARE(bench.restore(trace), 0);
    QCOMPARE(trace.text(), kWholeRun);
    QVERIFY(readFile(target) == targetContents);
    QCOMPARE(server.requests().size(), size_t(1));
    struct stat st;
    QCOMPARE(::lstat(bench.package().c_str(), &st), 0);
    QVERIFY(S_ISREG(st.st_mode));
    QVERIFY(readFile(bench.package()) == m_good);
    QVERIFY(!exists(bench.package() + ".part"));
}

enum class Planted { OthersMayWrite, SecondName, OtherAccount };
Q_DECLARE_METATYPE(Planted)

void TestDeviceLib::othersFilesAreNotUsed_data() {
    QTest::addColumn<QString>("name"); // in the download folder
    QTest::addColumn<Planted>("how");
    for (const char* name : {"fw.ipsw.part", "fw.ipsw"}) {
        QTest::addRow("%s others may write", name) << name << Planted::OthersMayWrite;
        QTest::addRow("%s with a second name", name) << name << Planted::SecondName;
        QTest::addRow("%s of another account", name) << name << Planted::OtherAccount;
    }
}

// A file in the download folder that another account could rewrite in place, after its check and before the
// unpack, is not used: a partial download is started afresh, a package is refused and downloaded anew.
void TestDeviceLib::othersFilesAreNotUsed() {
    QFETCH(QString, name);
    QFETCH(Planted, how);
    if (how == Planted::OtherAccount && ::geteuid() != 0)
        QSKIP("giving a file to another account needs root");
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good));
    QVERIFY(bench.ready);
    const bool partial = name.endsWith(QLatin1String(".part"));
    // A partial download of the right length for the package's first half, but not its bytes.
    const std::string planted = partial ? std::string(m_good.size() / 2, 'x') : m_good;
    const std::string path = bench.downloads.file(name.toStdString());
    writeFile(path, planted);
    TempDir elsewhere;
    const std::string secondName = elsewhere.file("second-name");
    switch (how) {
    case Planted::OthersMayWrite:
        QCOMPARE(::chmod(path.c_str(), 0666), 0);
        break;
    case Planted::SecondName:
        QCOMPARE(::link(path.c_str(), secondName.c_str()), 0);
        break;
    case Planted::OtherAccount:
        QCOMPARE(::chown(path.c_str(), 65534, 65534), 0);
        break;
    }
    Trace trace;
    if (partial) {
        QCOMPARE(bench.restore(trace), 0);
        QCOMPARE(trace.text(), kWholeRun);
        QCOMPARE(server.requests().size(), size_t(1));
        QVERIFY(server.requests().front().range.empty());
        QVERIFY(readFile(bench.package()) == m_good);
    } else {
        QCOMPARE(bench.restore(trace), int(MRErrorChecksum));
        QCOMPARE(trace.text(), QStringLiteral("V> V=9"));
        QCOMPARE(text(trace.descriptions[MRStepVerify]),
                 text("The package " + path + " may be changed by another account; it is downloaded anew"));
        QVERIFY(!exists(path));
        QVERIFY(server.requests().empty());
    }
    if (how == Planted::SecondName)
        QVERIFY(readFile(secondName) == planted);
}

namespace {

// A small file system of its own for a test: a tmpfs mounted on a fresh folder, which only root may do.
struct SmallDisk {
    TempDir folder;
    bool mounted = false;
    std::string why;
    explicit SmallDisk(const std::string& size) {
        if (::geteuid() != 0) {
            why = "mounting a small file system needs root";
            return;
        }
        const std::string options = "size=" + size + ",mode=0755";
        mounted = ::mount("tmpfs", folder.path.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
        if (!mounted)
            why = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted)
            ::umount2(folder.path.c_str(), MNT_DETACH);
    }
    uint64_t used() const {
        struct statvfs fs;
        return ::statvfs(folder.path.c_str(), &fs) == 0 ? uint64_t(fs.f_blocks - fs.f_bfree) * fs.f_frsize : 0;
    }
};

} // namespace

void TestDeviceLib::unpackIsBounded_data() {
    QTest::addColumn<QByteArray>("package");
    QTest::addColumn<bool>("smallDisk"); // the download folder on a 32 MiB file system of its own
    QTest::addColumn<QString>("trace");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("description"); // a part of the unzip step's description
    const std::string payload(64 * 1024, 'p');
    const QString checked = QStringLiteral("D> D~ D=0 V> V~ V=0 U> ");
    QTest::newRow("declares more than any disk holds") << bytes(packageDeclaring(payload, uint64_t(1) << 60)) << false
                                                       << checked + "U=8" << int(MRErrorWrite) << "it needs 1.0 EiB";
    QTest::newRow("an entry holds more than it declares")
        << bytes(packageDeclaring(payload, 1000)) << false << checked + "U~ U=12" << int(MRErrorUnzip)
        << "holds more than the 1000 bytes it declares";
    QTest::newRow("an entry holds less than it declares")
        << bytes(packageDeclaring(payload, 2 * payload.size())) << false << checked + "U~ U=12" << int(MRErrorUnzip)
        << "it ends after 65536 of its 131072 bytes";
    QTest::newRow("small disk, a package declaring 8 GiB")
        << bytes(packageDeclaring(payload, uint64_t(8) << 30)) << true << checked + "U=8" << int(MRErrorWrite)
        << "it needs 8.0 GiB, ";
    QTest::newRow("small disk, a package larger than the free space")
        << bytes(packageDeclaring(std::string(40 << 20, 'z'), 40 << 20)) << true << checked + "U=8" << int(MRErrorWrite)
        << "it needs 40.0 MiB, ";
    QTest::newRow("small disk, a package that fits")
        << bytes(packageDeclaring(std::string(8 << 20, 'z'), 8 << 20)) << true << kWholeRun << 0 << "Success";
}

// An online package is vouched for by its catalogue digest, so what its directory declares first meets the
// unpack: that is bounded by the declared sizes, and those by the free space. One that cannot fit writes
// nothing and says how much room it needs.
void TestDeviceLib::unpackIsBounded() {
    QFETCH(QByteArray, package);
    QFETCH(bool, smallDisk);
    QFETCH(QString, trace);
    QFETCH(int, result);
    QFETCH(QString, description);
    std::unique_ptr<SmallDisk> disk;
    if (smallDisk) {
        disk = std::make_unique<SmallDisk>("32m");
        if (!disk->mounted)
            QSKIP(disk->why.c_str());
    }
    const std::string body = fromBytes(package);
    LoopbackHttpServer server;
    Bench bench(serving(server, body));
    QVERIFY(bench.ready);
    const std::string downloads = disk ? disk->folder.path : bench.downloads.path;
    MRSetDownloadFolder(downloads.c_str());
    std::atomic<uint64_t> before{0};
    std::atomic<uint64_t> most{0};
    Trace reports;
    reports.hook = [&](const MRRestoreCallbackData& data) {
        if (disk && data.step == MRStepUnzip) {
            if (data.status == MRStatusStarted)
                before = disk->used();
            most = std::max<uint64_t>(most, disk->used());
        }
        return 0;
    };
    QCOMPARE(bench.restore(reports), result);
    QCOMPARE(reports.text(), trace);
    QVERIFY2(text(reports.descriptions[MRStepUnzip]).contains(description), reports.descriptions[MRStepUnzip].c_str());
    if (disk && result != 0)
        QCOMPARE(most - before, uint64_t(0)); // not a byte written
    QVERIFY(unpackFoldersIn(downloads).empty());
}

// Whoever removes the unpack folder while the run fills it ends the run: it does not go on with half a package.
void TestDeviceLib::unpackFolderRemovedWhileUnpacking() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good));
    QVERIFY(bench.ready);
    std::atomic<bool> removed{false};
    Trace trace;
    trace.hook = [&](const MRRestoreCallbackData& data) {
        if (data.step == MRStepUnzip && data.status == MRStatusProgress && !removed) {
            for (const std::string& folder : unpackFoldersIn(bench.downloads.path))
                removeTree(bench.downloads.file(folder));
            removed = true;
        }
        return 0;
    };
    QCOMPARE(bench.restore(trace), int(MRErrorWrite));
    QVERIFY(removed);
    QCOMPARE(trace.text(), QStringLiteral("D> D~ D=0 V> V~ V=0 U> U~ U=8"));
    QVERIFY2(trace.descriptions[MRStepUnzip].find("was removed while unpacking") != std::string::npos,
             trace.descriptions[MRStepUnzip].c_str());
    QCOMPARE(stateOf(kPhone).restoreCount, 0);
    QVERIFY(!bench.unpackLeftovers());
}

// A run killed mid-unpack leaves its folder behind; the next run removes it, but not the folder of a run that
// is unpacking at that moment for another device.
void TestDeviceLib::abandonedUnpackFoldersAreRemoved() {
    LoopbackHttpServer server;
    const Firmware firmware = serving(server, m_good);
    Bench bench(firmware);
    QVERIFY(bench.ready);
    QVERIFY(plugTwins(firmware));

    const std::string abandoned = bench.downloads.file(".unpack-Kil1ed");
    QCOMPARE(::mkdir(abandoned.c_str(), 0700), 0);
    QCOMPARE(::mkdir((abandoned + "/Firmware").c_str(), 0700), 0);
    writeFile(abandoned + "/Firmware/system.dmg", std::string(1 << 20, 's'));

    std::vector<std::string> during, afterOther;
    std::atomic<int> otherResult{-1};
    Trace other;
    Trace trace;
    trace.hook = [&](const MRRestoreCallbackData& data) {
        if (data.step == MRStepUnzip && data.status == MRStatusProgress && otherResult < 0) {
            during = unpackFoldersIn(bench.downloads.path);
            // The other device's whole run, while this one holds its unpack folder.
            otherResult = MRRestore(handleOf(kSecondPhone), MROptionStandard, Trace::callback, &other);
            afterOther = unpackFoldersIn(bench.downloads.path);
        }
        return 0;
    };
    QCOMPARE(MRRestore(handleOf(kPhone), MROptionStandard, Trace::callback, &trace), 0);
    QCOMPARE(trace.text(), kWholeRun);
    QCOMPARE(otherResult.load(), 0);
    QCOMPARE(other.text(), QStringLiteral("V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0"));
    QCOMPARE(during.size(), size_t(1));
    QVERIFY(during[0] != ".unpack-Kil1ed");
    QCOMPARE(afterOther, during);
    QVERIFY(!exists(abandoned));
    QVERIFY(!bench.unpackLeftovers());
}

// ---- https --------------------------------------------------------------------------------------------------

void TestDeviceLib::httpsTrustAndRedirects_data() {
    QTest::addColumn<QString>("route"); // on the https server; %1 stands for the plain server's address
    QTest::addColumn<QString>("trace");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("description"); // a part of the download step's description
    QTest::newRow("https, its authority in MENDRA_EXTRA_CA") << "/fw.ipsw" << kWholeRun << 0 << "Success";
    // Refused for where it leads, not for whom the server is.
    QTest::newRow("https redirected to http") << "/redirect?to=%1/fw.ipsw"
                                              << "D> D=5" << int(MRErrorNetwork) << "Protocol \"http\" not supported";
}

void TestDeviceLib::httpsTrustAndRedirects() {
    QFETCH(QString, route);
    QFETCH(QString, trace);
    QFETCH(int, result);
    QFETCH(QString, description);
    TestCa ca;
    QVERIFY2(ca.isValid(), qPrintable(ca.errorText()));
    const TestCa::ServerCertificate certificate = ca.issueServerCertificate();
    QVERIFY2(certificate.isValid(), qPrintable(ca.errorText()));
    TempDir served;
    writeFile(served.file("fw.ipsw"), m_good);
    PythonHttpServer secure(QString::fromStdString(served.path), certificate.certificatePath, certificate.keyPath);
    PythonHttpServer plain(QString::fromStdString(served.path));
    QVERIFY(secure.start());
    QVERIFY(plain.start());
    const QString url =
        secure.url(QString(route).replace(QStringLiteral("%1"), plain.url(QString()).toString())).toString();
    Bench bench(Firmware{url.toStdString(), sha1Hex(m_good), m_good.size()});
    QVERIFY(bench.ready);
    qputenv("MENDRA_EXTRA_CA", ca.caCertificatePath().toLocal8Bit());
    Trace reports;
    const int got = bench.restore(reports);
    qunsetenv("MENDRA_EXTRA_CA");
    QCOMPARE(got, result);
    QCOMPARE(reports.text(), trace);
    QVERIFY2(text(reports.descriptions[MRStepDownload]).contains(description),
             reports.descriptions[MRStepDownload].c_str());
    QVERIFY(plain.requests().isEmpty()); // not even asked
}

// ---- re-enumeration -----------------------------------------------------------------------------------------
// A real device drops off the bus when it enters or leaves recovery mode and comes back under a new handle: the
// restore goes on across it, and the program can stop it with the handle it began with or with the new one.

void TestDeviceLib::runGoesOnUnderTheNewHandle() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good), "reenumerate", 80, 150, 5000);
    QVERIFY(bench.ready);
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
    QCOMPARE(bench.restore(trace), 0);
    QCOMPARE(trace.text(), kWholeRun);
    QVERIFY(restoring != first && restoring != 0);
    QCOMPARE(restoringId.load(), kPhone);
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QCOMPARE(bench.notifications.text(), QStringLiteral("A0 D A1 D A0"));
    QCOMPARE(stateOf(kPhone).restoreCount, 1);

    // A handle from before the job began is not the job's: it stops nothing.
    Trace again;
    again.hook = [first](const MRRestoreCallbackData& data) {
        if (data.step == MRStepVerify && data.status == MRStatusStarted)
            MRStopDevice(first);
        return 0;
    };
    QCOMPARE(bench.restore(again), 0);
    QCOMPARE(again.text(), QStringLiteral("V> V~ V=0 U> U~ U=0 E> E~ E=0 R> R~ R=0"));
}

void TestDeviceLib::stoppedWithTheFirstHandleOffTheBus() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good), "reenumerate", 80, 1000, 5000);
    QVERIFY(bench.ready);
    std::atomic<MRDeviceRef> handleOffBus{~MRDeviceRef(0)};
    Trace trace;
    trace.hook = [&](const MRRestoreCallbackData& data) {
        if (data.step == MRStepEnterRecovery && data.status == MRStatusFinished) {
            handleOffBus = handleOf(kPhone);
            MRStopDevice(bench.phone);
        }
        return 0;
    };
    QCOMPARE(bench.restore(trace), int(MRErrorStopped));
    QCOMPARE(handleOffBus.load(), MRDeviceRef(0));
    QCOMPARE(trace.text(), kUntilEnterRecovery);
    QCOMPARE(stateOf(kPhone).jobRunning, 0);
    QCOMPARE(sim()->WaitIdle(5000), 0); // includes the device's return
    QCOMPARE(bench.notifications.text(), QStringLiteral("A0 D A1"));
}

void TestDeviceLib::stoppedWithTheNewHandle() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good), "reenumerate", 5000);
    QVERIFY(bench.ready);
    Trace trace;
    trace.hook = [](const MRRestoreCallbackData& data) {
        if (data.step == MRStepRestore && data.status == MRStatusProgress)
            MRStopDevice(handleOf(kPhone));
        return 0;
    };
    QCOMPARE(bench.restore(trace), int(MRErrorStopped));
    QCOMPARE(trace.text(), kUntilEnterRecovery + QStringLiteral(" R> R~"));
    QCOMPARE(stateOf(kPhone).restoreCount, 0);
}

void TestDeviceLib::unpluggedWhileOffTheBus() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good), "reenumerate", 80, 1000, 200);
    QVERIFY(bench.ready);
    std::atomic<int> unplugged{1};
    Trace trace;
    trace.hook = [&unplugged](const MRRestoreCallbackData& data) {
        if (data.step == MRStepEnterRecovery && data.status == MRStatusFinished)
            unplugged = sim()->Unplug(kPhone);
        return 0;
    };
    const auto start = std::chrono::steady_clock::now();
    QCOMPARE(bench.restore(trace), int(MRErrorDisconnected));
    QCOMPARE(unplugged.load(), 0);
    QVERIFY(std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(200));
    QCOMPARE(trace.text(), kUntilEnterRecovery + QStringLiteral(" R> R=14"));
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QCOMPARE(bench.notifications.text(), QStringLiteral("A0 D"));
    QCOMPARE(stateOf(kPhone).present, 0);
    QCOMPARE(sim()->Unplug(kPhone), -1);
}

void TestDeviceLib::unpluggedAndPluggedInMidRestore() {
    LoopbackHttpServer server;
    server.serve("/fw/fw.ipsw", m_good);
    // The rest of the restore outlasts the arrival's delivery.
    Bench bench(Firmware{server.url("/fw/fw.ipsw"), sha1Hex(m_good), m_good.size()}, "change", 1000, 0, 5000);
    QVERIFY(bench.ready);
    MRSimFault departure = fault(MRStepRestore, 50, 0, 1);
    QCOMPARE(sim()->InjectFault(kPhone, &departure), 0);
    std::atomic<int> plugged{1};
    bench.notifications.setHook([&plugged](MRDeviceNotifyType type) {
        if (type == MRDeviceDeparture)
            plugged = sim()->Plug(kPhone);
    });
    Trace trace;
    QCOMPARE(bench.restore(trace), 0);
    QCOMPARE(plugged.load(), 0);
    QCOMPARE(trace.text(), kWholeRun);
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QCOMPARE(bench.notifications.text(), QStringLiteral("A0 C1 D A1 C0"));
    QCOMPARE(stateOf(kPhone).restoreCount, 1);
    bench.notifications.setHook(nullptr);
}

// ---- thread rules -------------------------------------------------------------------------------------------

namespace {
const Firmware kNoFirmware{"http://127.0.0.1:1/none.ipsw", std::string(40, '0'), 1};
} // namespace

void TestDeviceLib::failedRestoreBringsTheDeviceBack_data() {
    QTest::addColumn<QString>("modeChange");
    QTest::addColumn<int>("reenumerateMs");
    QTest::addColumn<QString>("notifications");
    QTest::newRow("mode changes in place") << "change" << 0 << "A0 C1 D A1";
    QTest::newRow("re-enumerating") << "reenumerate" << 0 << "A0 D A1 D A1";
    QTest::newRow("re-enumerating, a while off the bus") << "reenumerate" << 300 << "A0 D A1 D A1";
}

// A failed restore leaves the device restarting: it goes off the bus and comes back in recovery mode under a new
// handle, after the re-enumeration time, and can be restored again.
void TestDeviceLib::failedRestoreBringsTheDeviceBack() {
    QFETCH(QString, modeChange);
    QFETCH(int, reenumerateMs);
    QFETCH(QString, notifications);
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good), modeChange.toStdString(), 80, reenumerateMs, 5000);
    QVERIFY(bench.ready);
    MRSimFault failure = fault(MRStepRestore, 50, 43);
    QCOMPARE(sim()->InjectFault(kPhone, &failure), 0);
    Trace failed;
    QCOMPARE(bench.restore(failed), 43);
    if (reenumerateMs > 0)
        QCOMPARE(stateOf(kPhone).present, 0);
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QCOMPARE(bench.notifications.text(), notifications);
    MRDeviceRef failedHandle = 0;
    {
        std::lock_guard<std::mutex> lock(bench.notifications.mutex);
        failedHandle = bench.notifications.handles.at(bench.notifications.handles.size() - 2);
    }
    const MRSimDeviceState state = stateOf(kPhone);
    QCOMPARE(state.present, 1);
    QCOMPARE(state.mode, int(MRModeRecovery));
    QCOMPARE(state.jobRunning, 0);
    QVERIFY(state.handle > failedHandle);
    QCOMPARE(MRGetDeviceMode(failedHandle), -1);

    MRSelectFirmware(state.handle, 0);
    Trace again;
    QCOMPARE(bench.restore(again), 0);
    QCOMPARE(stateOf(kPhone).restoreCount, 1);
    QCOMPARE(stateOf(kPhone).mode, int(MRModeNormal));
}

void TestDeviceLib::announcementsFromTheEventThread() {
    QCOMPARE(sim()->LoadScenario(scenarioJson(kNoFirmware).c_str()), 0);
    Notifications n;
    n.registerNow();
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QVERIFY(!n.deliveredOnRegisteringThread);
    QCOMPARE(n.text(), QStringLiteral("A0"));
    const MRDeviceRef first = handleOf(kPhone);
    QCOMPARE(text(MRGetDeviceName(first)), QStringLiteral("Test phone"));
    QCOMPARE(text(MRGetDeviceInfo(first)), QStringLiteral("Test phone (T1,1)"));
    QCOMPARE(MRGetFirmwareCount(first), 1);
    QCOMPARE(text(MRGetFirmwareEntry(first, 0)->version), QStringLiteral("1.0 (1A1)"));

    // Each notification is read back inside its callback, so let it arrive before the next change.
    for (const auto& change : std::vector<std::function<int()>>{
             [] { return sim()->Plug(kSecondPhone); }, [] { return sim()->SetMode(kPhone, MRModeDFU); },
             [] { return sim()->Unplug(kPhone); }, [] { return sim()->Plug(kPhone); }}) {
        QCOMPARE(change(), 0);
        QCOMPARE(sim()->WaitIdle(5000), 0);
    }
    QCOMPARE(sim()->Plug(kPhone), -1);
    QCOMPARE(n.text(), QStringLiteral("A0 A1 C2 D A2"));

    // Back-to-back changes queue up in order; the change may read the device as already gone (-1).
    n.clear();
    sim()->SetMode(kPhone, MRModeRecovery);
    sim()->Unplug(kPhone);
    QCOMPARE(sim()->WaitIdle(5000), 0);
    const QString queued = n.text();
    QVERIFY2(queued == QLatin1String("C1 D") || queued == QLatin1String("C-1 D"), qPrintable(queued));
    sim()->Plug(kPhone);
    QCOMPARE(sim()->WaitIdle(5000), 0);
    const MRDeviceRef again = handleOf(kPhone);
    QVERIFY(again != first && again != 0);
    QCOMPARE(MRGetDeviceId(again), kPhone);
    QCOMPARE(MRGetDeviceMode(first), -1);
    n.unregisterNow();
}

void TestDeviceLib::recoveryModeOnDemand() {
    QCOMPARE(sim()->LoadScenario(scenarioJson(kNoFirmware).c_str()), 0);
    Notifications n;
    n.registerNow();
    QCOMPARE(sim()->WaitIdle(5000), 0);
    const MRDeviceRef phone = handleOf(kPhone);
    QCOMPARE(MRQuitRecovery(phone, 1), 0); // already normal
    QCOMPARE(MREnterRecovery(phone, 1), 0);
    QCOMPARE(MRGetDeviceMode(phone), int(MRModeRecovery));
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QCOMPARE(MRQuitRecovery(phone, 1), 0);
    QCOMPARE(MRGetDeviceMode(phone), int(MRModeNormal));
    QCOMPARE(sim()->WaitIdle(5000), 0);
    MRSimFault refusal = fault(MRStepEnterRecovery, 0, 42);
    sim()->InjectFault(kPhone, &refusal);
    QCOMPARE(MREnterRecovery(phone, 1), 42);
    sim()->SetMode(kPhone, MRModeDFU);
    QCOMPARE(MREnterRecovery(phone, 1), int(MRErrorDevice));
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QCOMPARE(n.text(), QStringLiteral("A0 C1 C0 C2"));
    n.unregisterNow();
}

void TestDeviceLib::noCallbackAfterUnregistering() {
    QCOMPARE(sim()->LoadScenario(scenarioJson(kNoFirmware).c_str()), 0);
    std::atomic<bool> running{true};
    std::thread churn([&running] {
        while (running) {
            sim()->Unplug(kSecondPhone);
            sim()->Plug(kSecondPhone);
        }
    });
    bool late = false;
    for (int i = 0; i < 50 && !late; ++i) {
        Notifications n;
        n.registerNow();
        std::this_thread::yield();
        n.unregisterNow();
        late = n.deliveredAfterUnregister;
    }
    running = false;
    churn.join();
    QVERIFY(!late);
    QCOMPARE(sim()->WaitIdle(5000), 0);
}

void TestDeviceLib::callbackMayUnregisterItself() {
    QCOMPARE(sim()->LoadScenario(scenarioJson(kNoFirmware).c_str()), 0);
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
    QCOMPARE(sim()->WaitIdle(5000), 0);
    sim()->Plug(kSecondPhone);
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QCOMPARE(self.calls.load(), 1);
}

void TestDeviceLib::stopNeverBlocks() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good));
    QVERIFY(bench.ready);
    std::mutex gate;
    std::condition_variable opened;
    bool stopReturned = false;
    std::atomic<int> secondRestore{0};
    std::atomic<int> recovery{0};
    std::atomic<bool> stopSeen{false};
    std::thread stopper;
    Trace trace;
    Trace refused;
    trace.hook = [&](const MRRestoreCallbackData& data) {
        if (data.step == MRStepVerify && data.status == MRStatusStarted) {
            // A second job on the busy device is refused at once, without a report.
            secondRestore = MRRestore(bench.phone, MROptionStandard, Trace::callback, &refused);
            recovery = MREnterRecovery(bench.phone, 1);
            // Hold this report until another thread's stop has returned.
            stopper = std::thread([&] {
                MRStopDevice(bench.phone);
                std::lock_guard<std::mutex> lock(gate);
                stopReturned = true;
                opened.notify_all();
            });
            std::unique_lock<std::mutex> lock(gate);
            stopSeen = opened.wait_for(lock, std::chrono::seconds(5), [&] { return stopReturned; });
        }
        return 0;
    };
    const int result = bench.restore(trace);
    if (stopper.joinable())
        stopper.join();
    QCOMPARE(result, int(MRErrorStopped));
    QCOMPARE(secondRestore.load(), int(MRErrorBusy));
    QCOMPARE(recovery.load(), int(MRErrorBusy));
    QVERIFY(stopSeen);
    QCOMPARE(trace.text(), QStringLiteral("D> D~ D=0 V>"));
    QCOMPARE(refused.text(), QString());
}

void TestDeviceLib::twoDevicesNeverShareADownload() {
    LoopbackHttpServer server;
    server.serve("/fw/fw.ipsw", m_good, LoopbackHttpServer::Behaviour::StallHalfway);
    const Firmware firmware{server.url("/fw/fw.ipsw"), sha1Hex(m_good), m_good.size()};
    Bench bench(firmware);
    QVERIFY(bench.ready);
    QVERIFY(plugTwins(firmware));
    const MRDeviceRef first = handleOf(kPhone);
    const MRDeviceRef second = handleOf(kSecondPhone);

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
    bool seen = false;
    {
        std::unique_lock<std::mutex> lock(gate);
        seen = downloading.wait_for(lock, std::chrono::seconds(5), [&] { return started; });
    }
    Trace secondTrace;
    const int secondResult = MRRestore(second, 0, Trace::callback, &secondTrace);
    MRStopDevice(first);
    firstRun.join();
    server.releaseStalled();
    QVERIFY(seen);
    QCOMPARE(secondResult, int(MRErrorBusy));
    QCOMPARE(secondTrace.text(), QStringLiteral("D> D=1"));
    QCOMPARE(firstResult, int(MRErrorStopped));
    QCOMPARE(firstTrace.text(), QStringLiteral("D> D~"));
}

void TestDeviceLib::progressIsThrottled() {
    LoopbackHttpServer server;
    Bench bench(serving(server, m_good), "change", 1000);
    QVERIFY(bench.ready);
    std::atomic<int> restoreProgress{0};
    Trace trace;
    trace.hook = [&](const MRRestoreCallbackData& data) {
        if (data.step == MRStepRestore && data.status == MRStatusProgress)
            ++restoreProgress;
        return 0;
    };
    QCOMPARE(bench.restore(trace), 0);
    // About ten reports a second.
    QVERIFY2(restoreProgress >= 5 && restoreProgress <= 13, qPrintable(QString::number(restoreProgress)));
    QCOMPARE(trace.lastDone, trace.lastTotal);
}

void TestDeviceLib::databaseUpgradeNotice() {
    std::atomic<int> calls{0};
    MRRegisterDatabaseUpgradeCallback([](void* user) { ++*static_cast<std::atomic<int>*>(user); }, &calls);
    sim()->TriggerDatabaseUpgrade();
    QCOMPARE(sim()->WaitIdle(5000), 0);
    MRRegisterDatabaseUpgradeCallback(nullptr, nullptr);
    QCOMPARE(calls.load(), 1);
}

void TestDeviceLib::scenarioErrorsKeepTheOldScenario() {
    QCOMPARE(sim()->LoadScenario(scenarioJson(kNoFirmware).c_str()), 0);
    QCOMPARE(sim()->LoadScenario("{\"devices\": [{\"id\": 0}]}"), -1);
    QVERIFY(std::strlen(sim()->LastError()) > 0);
    QCOMPARE(sim()->LoadScenario("not json"), -1);
    QCOMPARE(sim()->LoadScenarioFile("/nowhere/scenario.json"), -1);
    QVERIFY(handleOf(kPhone) != 0);
}

// ---- scenario features --------------------------------------------------------------------------------------

namespace {

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

} // namespace

void TestDeviceLib::scheduledArrivalAndUpgrade() {
    const char* json = "{\"databaseUpgradeMs\": 0, \"devices\": [{\"id\": 9, \"name\": \"Late\", \"mode\": 2, "
                       "\"arriveMs\": 40, \"departMs\": 120}]}";
    QCOMPARE(sim()->LoadScenario(json), 0);
    Notifications n;
    n.registerNow();
    QCOMPARE(sim()->WaitIdle(5000), 0);
    // The library's own clock brings the arrival and the departure.
    QTRY_COMPARE_WITH_TIMEOUT(n.text(), QStringLiteral("A2 D"), 5000);
    n.unregisterNow();

    std::atomic<int> calls{0};
    MRRegisterDatabaseUpgradeCallback([](void* user) { ++*static_cast<std::atomic<int>*>(user); }, &calls);
    QCOMPARE(sim()->WaitIdle(5000), 0);
    MRRegisterDatabaseUpgradeCallback(nullptr, nullptr);
    QCOMPARE(calls.load(), 1);
}

void TestDeviceLib::httpsChecksTheCertificate() {
    UntrustedTlsServer server;
    Bench bench(Firmware{server.url("/fw.ipsw"), std::string(40, '0'), 100});
    QVERIFY(bench.ready);
    Trace trace;
    QCOMPARE(bench.restore(trace), int(MRErrorNetwork));
    QCOMPARE(trace.text(), QStringLiteral("D> D=5"));
    QVERIFY2(trace.lastDescription.find("certificate") != std::string::npos, trace.lastDescription.c_str());
    QVERIFY(!exists(bench.package()));
}

void TestDeviceLib::downloadsGoThroughTheProxy() {
    LoopbackHttpServer proxy;
    proxy.serve("/fw/fw.ipsw", m_good);
    // A host that does not resolve: only the proxy can fetch it.
    Bench bench(Firmware{"http://firmware.invalid/fw/fw.ipsw", sha1Hex(m_good), m_good.size()});
    QVERIFY(bench.ready);
    MRProxyInfo info{};
    std::snprintf(info.host, sizeof info.host, "127.0.0.1");
    info.port = proxy.port();
    info.kind = 1;
    MRSetProxy(&info);
    Trace trace;
    const int result = bench.restore(trace);
    MRSetProxy(nullptr);
    QCOMPARE(result, 0);
    const auto requests = proxy.requests();
    QCOMPARE(requests.size(), size_t(1));
    QCOMPARE(text(requests[0].proxiedHost), QStringLiteral("firmware.invalid"));
}

void TestDeviceLib::builtInScenarioRepairsOffline() {
    const QString runtime = qEnvironmentVariable("MENDRA_RUNTIME_DIR");
    if (runtime.isEmpty())
        QSKIP("MENDRA_RUNTIME_DIR is not set");
    const char* json = "{\"timing\": {\"enterRecoveryMs\": 20, \"restoreMs\": 20}, "
                       "\"firmwareFile\": \"${LIBDIR}/DemoFirmware.json\", "
                       "\"devices\": [{\"id\": 1, \"name\": \"iPhone\", \"productType\": \"iPhone12,1\"}]}";
    QCOMPARE(sim()->LoadScenario(json), 0);
    QCOMPARE(sim()->WaitIdle(5000), 0);
    const MRDeviceRef phone = handleOf(1);
    QCOMPARE(MRGetFirmwareCount(phone), 1);
    TempDir downloads;
    MRSetDownloadFolder(downloads.path.c_str());
    MRSelectFirmware(phone, 0);
    Trace trace;
    QCOMPARE(MRRestore(phone, MROptionStandard, Trace::callback, &trace), 0);
    QCOMPARE(trace.text(), kWholeRun);
    QVERIFY(exists(downloads.file("DemoFirmware_17.0_Restore.ipsw")));
}

// A scenario file named by the environment replaces the built-in one when the library starts; the test that
// sets it runs this function alone.
void TestDeviceLib::scenarioFromEnvironment() {
    if (qEnvironmentVariableIsEmpty("MENDRA_DEVICE_SCENARIO"))
        QSKIP("no scenario file is named (MENDRA_DEVICE_SCENARIO)");
    Notifications n;
    n.registerNow();
    QCOMPARE(sim()->WaitIdle(5000), 0);
    QCOMPARE(n.text(), QStringLiteral("A1 A0"));
    const MRSimDeviceState pad = stateOf(31);
    QCOMPARE(pad.present, 1);
    QCOMPARE(text(MRGetDeviceName(pad.handle)), QStringLiteral("Test pad"));
    QCOMPARE(text(MRGetDeviceInfo(pad.handle)), QStringLiteral("Test pad, 64 GB"));
    QCOMPARE(MRGetFirmwareCount(pad.handle), 2);
    const MRFirmwareEntry* entry = MRGetFirmwareEntry(pad.handle, 1);
    QVERIFY(entry);
    QCOMPARE(text(entry->version), QStringLiteral("2.0"));
    QCOMPARE(text(entry->url), QStringLiteral("https://127.0.0.1:1/pad-2.0.ipsw"));
    QCOMPARE(stateOf(32).present, 1);
    QCOMPARE(stateOf(33).present, 0);
    n.unregisterNow();
}

QTEST_GUILESS_MAIN(TestDeviceLib)
#include "tst_devicelib.moc"
