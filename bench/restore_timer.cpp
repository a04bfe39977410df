// Times the device library's download, verify and unpack steps of one repair run.
//   restore_timer <url> <sha1> <size> <download folder>
// prints: <download seconds> <verify seconds> <unpack seconds>
#include "deviceapi/zUZArovadu.h"
#include "zUZArovaduControl.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

struct Timing {
    std::chrono::steady_clock::time_point started[5];
    double seconds[5] = {0, 0, 0, 0, 0};
    int failedCode = 0;
};

int report(MRRestoreCallbackData* data, void* user) {
    auto* timing = static_cast<Timing*>(user);
    auto now = std::chrono::steady_clock::now();
    if (data->step < 0 || data->step > 4)
        return 0;
    if (data->status == MRStatusStarted)
        timing->started[data->step] = now;
    if (data->status == MRStatusFinished) {
        timing->seconds[data->step] = std::chrono::duration<double>(now - timing->started[data->step]).count();
        if (data->result.code) {
            std::fprintf(stderr, "step %d failed: %d %s\n", data->step, data->result.code, data->result.description);
            timing->failedCode = data->result.code;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <url> <sha1> <size> <download folder>\n", argv[0]);
        return 2;
    }
    std::string scenario =
        std::string("{\"timing\": {\"enterRecoveryMs\": 0, \"restoreMs\": 0}, \"devices\": [{\"id\": "
                    "1, \"name\": \"Bench\", \"productType\": \"Bench1,1\"}], \"firmware\": "
                    "{\"Bench1,1\": [{\"version\": \"1\", \"url\": \"") +
        argv[1] + "\", \"sha1\": \"" + argv[2] + "\", \"size\": " + argv[3] + "}]}}";
    const MRSimControl* sim = MRSimGetControl();
    if (sim->LoadScenario(scenario.c_str()) != 0) {
        std::fprintf(stderr, "scenario: %s\n", sim->LastError());
        return 1;
    }
    sim->WaitIdle(5000);
    MRSimDeviceState state;
    sim->GetState(1, &state);
    MRSetDownloadFolder(argv[4]);
    MRSelectFirmware(state.handle, 0);
    Timing timing;
    int result = MRRestore(state.handle, MROptionStandard, report, &timing);
    if (result != 0 || timing.failedCode)
        return 1;
    std::printf("%.3f %.3f %.3f\n", timing.seconds[0], timing.seconds[1], timing.seconds[2]);
    return 0;
}
