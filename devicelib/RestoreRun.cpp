#include "RestoreRun.h"

#include "Archive.h"
#include "FileTree.h"
#include "Strings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace mr {
namespace {

// The file itself: a link at the package's name is no package, and the download replaces it.
bool isRegularFile(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

RestoreRun::RestoreRun(Library& library, Job& job, RunPlan plan, MRRestoreCallback callback, void* user)
    : m_library(library), m_job(job), m_plan(std::move(plan)), m_callback(callback), m_user(user) {}

int RestoreRun::run() {
    int code = runSteps();
    return m_ended && code == 0 ? MRErrorStopped : code;
}

bool RestoreRun::send(MRRestoreCallbackData& data) {
    if (m_ended || m_job.stopRequested()) {
        m_ended = true;
        return false;
    }
    int answer = m_callback ? m_callback(&data, m_user) : 0;
    if (answer < 0 || m_job.stopRequested())
        m_ended = true;
    return !m_ended;
}

bool RestoreRun::started(int step) {
    MRRestoreCallbackData data{};
    data.step = step;
    data.status = MRStatusStarted;
    m_lastProgress = std::chrono::steady_clock::time_point(); // the first progress of a step goes out at once
    m_lastDone = m_lastTotal = ~uint64_t(0);
    return send(data);
}

bool RestoreRun::progress(int step, uint64_t done, uint64_t total) {
    auto now = std::chrono::steady_clock::now();
    bool complete = total && done >= total;
    if (done == m_lastDone && total == m_lastTotal)
        return !m_ended && !m_job.stopRequested();
    if (!complete && now - m_lastProgress < kProgressInterval)
        return !m_ended && !m_job.stopRequested();
    m_lastProgress = now;
    m_lastDone = done;
    m_lastTotal = total;
    MRRestoreCallbackData data{};
    data.step = step;
    data.status = MRStatusProgress;
    data.progress.done = done;
    data.progress.total = total;
    return send(data);
}

bool RestoreRun::finished(int step, int code, const std::string& text) {
    MRRestoreCallbackData data{};
    data.step = step;
    data.status = MRStatusFinished;
    data.result.code = code;
    data.result.description = keepText(text.empty() && code == 0 ? "Success" : text);
    return send(data);
}

// A fault of the scenario fires once its step reaches the given percentage.
bool RestoreRun::checkFault(int step, int percent) {
    if (m_faulted || !m_plan.device)
        return true;
    FaultDef fault;
    if (!m_library.takeFault(m_plan.device, step, percent, &fault))
        return true;
    if (fault.depart) {
        m_library.unplugDevice(m_plan.device);
        return true;
    }
    m_faulted = true;
    m_fault = fault;
    return false;
}

ProgressFn RestoreRun::sinkFor(int step) {
    return [this, step](uint64_t done, uint64_t total) {
        int percent = total ? int(done * 100 / total) : 0;
        if (!checkFault(step, percent))
            return false;
        return progress(step, done, total);
    };
}

// Turns a step's result into its final report; returns 0 to go on, or the run's result.
int RestoreRun::endStep(int step, const StepResult& result) {
    if (m_faulted) {
        if (m_fault.noFinalReport) {
            m_ended = true;
            return m_fault.code ? m_fault.code : MRErrorDevice;
        }
        finished(step, m_fault.code, m_fault.description);
        return m_fault.code ? m_fault.code : MRErrorDevice;
    }
    if (result.aborted || m_ended || m_job.stopRequested()) {
        m_ended = true;
        return MRErrorStopped;
    }
    if (!finished(step, result.code, result.text))
        return result.code ? result.code : MRErrorStopped;
    return result.code;
}

StepResult RestoreRun::download() {
    if (!makePath(m_plan.settings.downloadFolder) || ::access(m_plan.settings.downloadFolder.c_str(), W_OK) != 0)
        return StepResult::error(MRErrorFolder, "Cannot write to the download folder " +
                                                    m_plan.settings.downloadFolder + ": " + std::strerror(errno));
    if (!m_library.claimDownload(m_plan.packagePath))
        return StepResult::error(MRErrorBusy, "The package is being downloaded for another device");
    struct Release {
        Library& library;
        const std::string& path;
        ~Release() { library.releaseDownload(path); }
    } release{m_library, m_plan.packagePath};

    DownloadRequest request;
    request.url = m_plan.firmware.url;
    request.target = m_plan.packagePath;
    request.expectedSize = m_plan.firmware.size;
    request.proxy = m_plan.settings.proxy;
    request.extraCaFile = m_plan.settings.extraCaFile;
    StepResult result = downloadPackage(request, m_job, sinkFor(MRStepDownload));
    if (result.code == 0 && !result.aborted)
        m_library.markDownloaded(m_plan.packagePath);
    return result;
}

StepResult RestoreRun::verify(std::string* version) {
    StepResult opened = m_package.open(m_plan.packagePath, MRErrorRead);
    if (opened.code)
        return opened;
    if (m_plan.local)
        return verifyLocal(version);

    if (!m_package.isOwnAlone()) {
        // Another account could rewrite it in place between this check and the unpack.
        m_package.unlinkIfStillThere();
        return StepResult::error(MRErrorChecksum, "The package " + m_plan.packagePath +
                                                      " may be changed by another account; it is downloaded anew");
    }
    const uint64_t expectedSize = m_plan.firmware.size;
    if (expectedSize && m_package.size() != expectedSize) {
        // A broken package must not be found again: the next run downloads it anew.
        m_package.unlinkIfStillThere();
        return StepResult::error(MRErrorChecksum, "The package has " + std::to_string(m_package.size()) +
                                                      " bytes, expected " + std::to_string(expectedSize) + " bytes");
    }
    std::string digest;
    StepResult read = sha1File(m_package, m_job, sinkFor(MRStepVerify), &digest);
    if (read.code || read.aborted || m_faulted)
        return read;
    if (m_plan.firmware.sha1.empty() || digest != m_plan.firmware.sha1) {
        m_package.unlinkIfStillThere();
        std::string expected = m_plan.firmware.sha1.empty() ? "none in the catalogue" : m_plan.firmware.sha1;
        return StepResult::error(MRErrorChecksum, "The package's SHA-1 is " + digest + ", expected " + expected);
    }
    *version = m_plan.firmware.version;
    return StepResult{0, *version, false};
}

// A package of the user's own has no catalogue entry: it must be a package meant for this device, and whole,
// entry by entry, so that a damaged one fails here and not once the repair has begun.
StepResult RestoreRun::verifyLocal(std::string* version) {
    Archive archive;
    StepResult opened = archive.open(m_package, MRErrorPackage);
    if (opened.code)
        return opened;
    PackageManifest manifest;
    StepResult described = readPackageManifest(archive, m_plan.packagePath, &manifest);
    if (described.code)
        return described;
    bool fits = false;
    for (const std::string& type : manifest.productTypes)
        fits = fits || type == m_plan.productType;
    if (!fits)
        return StepResult::error(MRErrorPackage,
                                 "The package is not meant for this device (" + m_plan.productType + ")");
    StepResult tested = testPackage(archive, m_job, sinkFor(MRStepVerify));
    if (tested.code || tested.aborted || m_faulted)
        return tested;
    // The finished report names the package's own version, for the program to show.
    *version = manifest.versionText();
    return StepResult{0, *version, false};
}

StepResult RestoreRun::unzip() {
    std::string base = m_plan.settings.downloadFolder;
    if (base.empty() || !makePath(base) || ::access(base.c_str(), W_OK) != 0)
        base = temporaryFolder();
    // Leftovers of a killed run first: the space they hold counts as free.
    UnpackFolder::removeAbandoned(base);
    if (!m_package.isOpen() || !m_package.unchanged())
        return StepResult::error(MRErrorUnzip, "The package " + m_plan.packagePath +
                                                   " was changed after its verification; it is not unpacked");
    Archive archive;
    StepResult opened = archive.open(m_package, MRErrorUnzip);
    if (opened.code)
        return opened;
    StepResult made = m_unpack.create(base);
    if (made.code)
        return made;
    StepResult unpacked = unpackPackage(archive, m_unpack, m_job, sinkFor(MRStepUnzip));
    if (unpacked.code == 0 && !unpacked.aborted && !m_package.unchanged())
        return StepResult::error(MRErrorUnzip,
                                 "The package " + m_plan.packagePath + " was changed while it was unpacked");
    return unpacked;
}

// A device off the bus may only be re-enumerating: the run waits for it to come back (under a new handle) for
// as long as the scenario allows, and its step's clock stands still meanwhile. False when it did not come back
// or the job was stopped.
bool RestoreRun::awaitDevice(std::chrono::steady_clock::time_point* stepStart) {
    if (m_library.isPresent(m_plan.device))
        return true;
    const auto since = std::chrono::steady_clock::now();
    const auto deadline = since + std::chrono::milliseconds(m_plan.settings.reconnectMs);
    for (;;) {
        if (m_job.stopRequested())
            return false;
        const auto now = std::chrono::steady_clock::now();
        if (m_library.isPresent(m_plan.device)) {
            *stepStart += now - since;
            return true;
        }
        if (now >= deadline)
            return false;
        m_job.sleepFor(std::min<std::chrono::milliseconds>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now) + std::chrono::milliseconds(1),
            kProgressInterval));
    }
}

// Steps on the simulated device: progress runs with the clock while the device is connected.
StepResult RestoreRun::timedStep(int step, int durationMs) {
    ProgressFn sink = sinkFor(step);
    auto start = std::chrono::steady_clock::now();
    const auto lost = [this] {
        return m_job.stopRequested() ? StepResult::stopped()
                                     : StepResult::error(MRErrorDisconnected, "The device was disconnected");
    };
    for (;;) {
        if (!awaitDevice(&start))
            return lost();
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        uint64_t done = durationMs > 0 ? std::min<uint64_t>(1000, uint64_t(elapsed.count()) * 1000 / durationMs) : 1000;
        if (!sink(done, 1000))
            return StepResult::stopped();
        if (!awaitDevice(&start)) // a fault may just have unplugged it
            return lost();
        if (done >= 1000)
            return StepResult::ok();
        auto left = std::chrono::milliseconds(durationMs) - elapsed;
        m_job.sleepFor(std::min<std::chrono::milliseconds>(left, kProgressInterval));
        if (m_job.stopRequested())
            return StepResult::stopped();
    }
}

int RestoreRun::runSteps() {
    // The unpack folders of a run that was killed are found by the next one, whatever it does.
    UnpackFolder::removeAbandoned(m_plan.settings.downloadFolder);
    const int firstStep = m_plan.local ? MRStepVerify : MRStepDownload;
    if (!m_plan.device) {
        if (!started(firstStep))
            return MRErrorStopped;
        finished(firstStep, MRErrorNoDevice, "The device is not connected");
        return MRErrorNoDevice;
    }
    if (!m_plan.local && !m_plan.firmwareChosen) {
        if (!started(MRStepDownload))
            return MRErrorStopped;
        finished(MRStepDownload, MRErrorNoFirmware, "No firmware is selected for this device");
        return MRErrorNoFirmware;
    }

    // A package already in the download folder, from the first run or an earlier session, is not fetched
    // again; verification decides whether it can be used.
    if (!m_plan.local && !isRegularFile(m_plan.packagePath)) {
        if (!started(MRStepDownload))
            return MRErrorStopped;
        StepResult result = checkFault(MRStepDownload, 0) ? download() : StepResult();
        if (int code = endStep(MRStepDownload, result))
            return code;
    }

    std::string version;
    if (!started(MRStepVerify))
        return MRErrorStopped;
    StepResult verified = checkFault(MRStepVerify, 0) ? verify(&version) : StepResult();
    if (int code = endStep(MRStepVerify, verified))
        return code;

    if (!started(MRStepUnzip))
        return MRErrorStopped;
    StepResult unpacked = checkFault(MRStepUnzip, 0) ? unzip() : StepResult();
    int code = endStep(MRStepUnzip, unpacked);

    if (code == 0 && started(MRStepEnterRecovery)) {
        bool needed = m_library.modeOf(m_plan.device) == MRModeNormal;
        StepResult result = checkFault(MRStepEnterRecovery, 0)
                                ? timedStep(MRStepEnterRecovery, needed ? m_plan.settings.enterRecoveryMs : 0)
                                : StepResult();
        if (!m_faulted && result.code == 0 && !result.aborted && needed)
            m_library.changeMode(m_plan.device, MRModeRecovery);
        code = endStep(MRStepEnterRecovery, result);
    } else if (code == 0) {
        code = MRErrorStopped;
    }

    if (code == 0 && started(MRStepRestore)) {
        StepResult result =
            checkFault(MRStepRestore, 0) ? timedStep(MRStepRestore, m_plan.settings.restoreMs) : StepResult();
        if (!m_faulted && result.code == 0 && !result.aborted) {
            m_library.recordRestore(m_plan.device, m_plan.option, version);
            m_library.changeMode(m_plan.device, MRModeNormal); // the restored device starts up normally
            if (m_plan.settings.deleteAfterRepair && !m_plan.local && m_library.wasDownloaded(m_plan.packagePath)) {
                ::unlink(m_plan.packagePath.c_str());
                m_library.forgetDownloaded(m_plan.packagePath);
            }
        }
        code = endStep(MRStepRestore, result);
        // Once the failure is reported (not after a stop, nor without a report): the device restarts as a real one
        // does, so that it can be tried again. One that left the bus stays away.
        const bool reported = !(m_faulted && m_fault.noFinalReport);
        if (code != 0 && code != MRErrorStopped && reported)
            m_library.restartInRecovery(m_plan.device);
    } else if (code == 0) {
        code = MRErrorStopped;
    }

    m_unpack.remove();
    return code;
}

} // namespace mr
