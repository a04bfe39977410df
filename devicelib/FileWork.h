// The real file work of a restore run: download, verify and unpack. Each reports progress through the sink
// and returns promptly once the job is asked to stop.
#pragma once

#include "Job.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mr {

class Archive;
class PackageFile;
class UnpackFolder;

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
    std::string extraCaFile; // PEM file of authorities trusted besides the system's; empty for none
};

// Resumes from a partial file left by an earlier, interrupted run.
StepResult downloadPackage(const DownloadRequest& request, Job& job, const ProgressFn& progress);

// SHA-1 of the whole file as lower-case hex, read in chunks with progress.
StepResult sha1File(const PackageFile& package, Job& job, const ProgressFn& progress, std::string* hex);

struct PackageManifest {
    std::string version;
    std::string build;
    std::vector<std::string> productTypes;

    // As a catalogue names a version: "17.1 (21B74)", or the version alone when the package names no build.
    std::string versionText() const;
};

// Reads the package's manifest; an error when the package is no firmware package.
StepResult readPackageManifest(Archive& archive, const std::string& path, PackageManifest* manifest);

// Reads every entry to its end as unzip -t does: a CRC that does not match or a damaged stream is an error.
StepResult testPackage(Archive& archive, Job& job, const ProgressFn& progress);

// Unpacks every entry into the folder once the folder's file system has room for what the package declares.
StepResult unpackPackage(Archive& archive, UnpackFolder& folder, Job& job, const ProgressFn& progress);

// "8.0 GiB", "512 bytes": sizes in the texts of errors.
std::string sizeText(uint64_t bytes);

} // namespace mr
