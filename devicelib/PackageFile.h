// A firmware package opened once for a whole run: it is verified and unpacked through this one descriptor, so
// a file put in its place by name afterwards is never read, and a link at its path is never followed.
#pragma once

#include "Job.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace mr {

// True when no other account may change the file in place: it is this user's, has no other name and only its
// owner may write it. A file the program made is; one another account planted in its place may not be.
bool isOwnAlone(const struct stat& status);

class PackageFile {
public:
    PackageFile() = default;
    PackageFile(const PackageFile&) = delete;
    PackageFile& operator=(const PackageFile&) = delete;
    ~PackageFile();

    // Opens the regular file at the path itself (no link, no device or pipe); the error carries the code.
    StepResult open(const std::string& path, int code);
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }
    uint64_t size() const { return uint64_t(m_stat.st_size); }

    bool isOwnAlone() const { return m_fd >= 0 && mr::isOwnAlone(m_stat); }
    // False once the file was written to, truncated or grown since it was opened (its size or its time of
    // change of contents).
    bool unchanged() const;
    // Removes the path only while it still names this file: another one put there meanwhile stays.
    void unlinkIfStillThere() const;

private:
    int m_fd = -1;
    std::string m_path;
    struct stat m_stat {};
};

} // namespace mr
