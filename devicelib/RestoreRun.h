// One restore run on its own thread: download, verify, unzip, enter recovery mode, restore, each reported as
// started, progress and finished through the program's callback.
#pragma once

#include "Library.h"
#include "PackageFile.h"
#include "UnpackFolder.h"

namespace mr {

struct RunPlan {
    Device* device = nullptr; // null when the handle named no connected device
    int option = 0;
    bool local = false;
    std::string packagePath;
    FirmwareDef firmware; // the catalogue entry of an online run
    bool firmwareChosen = false;
    std::string productType;
    RunSettings settings;
};

class RestoreRun {
public:
    RestoreRun(Library& library, Job& job, RunPlan plan, MRRestoreCallback callback, void* user);
    int run();

private:
    enum class Outcome { Go, Error, Silent, Aborted };

    int runSteps();
    StepResult download();
    StepResult verify(std::string* version);
    StepResult verifyLocal(std::string* version);
    StepResult unzip();
    StepResult timedStep(int step, int durationMs);
    bool awaitDevice(std::chrono::steady_clock::time_point* stepStart);

    // Reports; each returns false once the job must end without another report.
    bool send(MRRestoreCallbackData& data);
    bool started(int step);
    bool progress(int step, uint64_t done, uint64_t total);
    bool finished(int step, int code, const std::string& text);

    ProgressFn sinkFor(int step);
    bool checkFault(int step, int percent);
    int endStep(int step, const StepResult& result);

    Library& m_library;
    Job& m_job;
    RunPlan m_plan;
    MRRestoreCallback m_callback;
    void* m_user;
    // Opened by the verification, read by it and by the unpack: what is unpacked is what was verified.
    PackageFile m_package;
    UnpackFolder m_unpack;

    bool m_ended = false; // a stop, a -1 or a silent fault: nothing more is reported
    bool m_faulted = false;
    FaultDef m_fault;
    std::chrono::steady_clock::time_point m_lastProgress;
    uint64_t m_lastDone = ~uint64_t(0);
    uint64_t m_lastTotal = ~uint64_t(0);
};

} // namespace mr
