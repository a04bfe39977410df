// The real file work of a restore run: download, verify and unpack. Each reports progress through the sink
// and returns promptly once the job is asked to stop.
#pragma once

#include "Job.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mr {

struct ProxySettings {
    std::string host;
    int port = 0;
    std::string user;
    std::string password;
};

struct DownloadRequest {
    std::string url;
    std::string target;        // final path; the transfer goes to target + ".part" and is renamed when whole
    uint64_t expectedSize = 0; // 0 when unknown
    ProxySettings proxy;
};

// Resumes from a partial file left by an earlier, interrupted run.
StepResult downloadPackage(const DownloadRequest& request, Job& job, const ProgressFn& progress);

// SHA-1 of the whole file as lower-case hex, read in chunks with progress.
StepResult sha1File(const std::string& path, Job& job, const ProgressFn& progress, std::string* hex);

struct PackageManifest {
    std::string version;
    std::vector<std::string> productTypes;
};

// Reads the package's manifest; an error when the file is no package at all.
StepResult readPackageManifest(const std::string& path, PackageManifest* manifest);

// Unpacks every entry into the folder, refusing names that would leave it.
StepResult unpackPackage(const std::string& path, const std::string& folder, Job& job, const ProgressFn& progress);

bool removeTree(const std::string& path);
bool makePath(const std::string& path);

} // namespace mr
