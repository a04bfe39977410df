#include "FileWork.h"

#include "Archive.h"
#include "FileTree.h"
#include "UnpackFolder.h"
#include "deviceapi/zUZArovadu.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace mr {
namespace {

bool writeAll(int fd, const char* data, size_t size) {
    while (size) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

uint64_t roundedUp(uint64_t size, uint64_t block) {
    const uint64_t blocks = size / block + (size % block ? 1 : 0);
    return blocks > UINT64_MAX / block ? UINT64_MAX : blocks * block;
}

// What the entries take on the folder's file system: whole blocks, one at least for every folder.
uint64_t spaceNeeded(const Archive& archive, uint64_t block) {
    uint64_t needed = 0;
    for (const Archive::Entry& entry : archive.entries()) {
        const uint64_t size = entry.isFolder ? block : roundedUp(entry.size, block);
        needed = size > UINT64_MAX - needed ? UINT64_MAX : needed + size;
    }
    return needed;
}

StepResult checkFreeSpace(const Archive& archive, const UnpackFolder& folder) {
    struct statvfs fs;
    if (::fstatvfs(folder.fd(), &fs) != 0 || fs.f_frsize == 0)
        return StepResult::ok(); // nothing to go by: the writes will tell
    const uint64_t needed = spaceNeeded(archive, fs.f_frsize);
    const uint64_t free = uint64_t(fs.f_bavail) * fs.f_frsize;
    if (needed <= free)
        return StepResult::ok();
    std::string base = folder.path().substr(0, folder.path().rfind('/'));
    return StepResult::error(MRErrorWrite, "Not enough free space in " + base + " to unpack the package: it needs " +
                                               sizeText(needed) + ", " + sizeText(free) + " are free");
}

// A write that failed because the folder was taken away says so, whatever the call's own error was.
StepResult writeError(const UnpackFolder& folder, const std::string& what, const std::string& name, int error) {
    if (!folder.inPlace())
        return StepResult::error(MRErrorWrite, "The unpack folder " + folder.path() + " was removed while unpacking");
    return StepResult::error(MRErrorWrite,
                             "Cannot " + what + " " + folder.path() + "/" + name + ": " + std::strerror(error));
}

struct Written {
    std::string name;
    dev_t device;
    ino_t inode;
    uint64_t size;
};

// Everything unpacked is still there as it was written: nobody removed the folder or a file in it meanwhile.
StepResult checkWritten(const UnpackFolder& folder, const std::vector<Written>& files) {
    if (!folder.inPlace())
        return StepResult::error(MRErrorWrite, "The unpack folder " + folder.path() + " was removed while unpacking");
    for (const Written& file : files) {
        struct stat st;
        if (::fstatat(folder.fd(), file.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || st.st_dev != file.device ||
            st.st_ino != file.inode || uint64_t(st.st_size) != file.size)
            return StepResult::error(MRErrorWrite, "The unpacked file " + folder.path() + "/" + file.name +
                                                       " was removed or changed while unpacking");
    }
    return StepResult::ok();
}

} // namespace

std::string sizeText(uint64_t bytes) {
    static const char* const units[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    if (bytes < 1024)
        return std::to_string(bytes) + " bytes";
    int unit = 0;
    uint64_t scale = 1024;
    while (unit < 5 && bytes / scale >= 1024) {
        scale *= 1024;
        ++unit;
    }
    // Tenths by integer arithmetic: the program's locale must not turn the point into a comma.
    const uint64_t tenths = bytes / scale * 10 + (bytes % scale * 10 + scale / 2) / scale;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + units[unit];
}

StepResult testPackage(Archive& archive, Job& job, const ProgressFn& progress) {
    const uint64_t total = archive.declaredSize();
    uint64_t done = 0;
    std::vector<char> buffer(1 << 20);
    for (size_t i = 0; i < archive.entries().size(); ++i) {
        StepResult read = archive.readEntry(i, MRErrorPackage, buffer, [&](const char*, size_t size) {
            done += size;
            if (job.stopRequested() || !progress(std::min(done, total), total))
                return StepResult::stopped();
            return StepResult::ok();
        });
        if (read.code || read.aborted)
            return read;
    }
    return progress(total, total) ? StepResult::ok() : StepResult::stopped();
}

StepResult unpackPackage(Archive& archive, UnpackFolder& folder, Job& job, const ProgressFn& progress) {
    StepResult room = checkFreeSpace(archive, folder);
    if (room.code)
        return room;

    const uint64_t total = archive.declaredSize();
    uint64_t done = 0;
    std::vector<char> buffer(1 << 20);
    std::vector<Written> written;
    for (size_t i = 0; i < archive.entries().size(); ++i) {
        const Archive::Entry& entry = archive.entries()[i];
        if (entry.isFolder) {
            const int made = openSubfolder(folder.fd(), entry.name);
            if (made < 0)
                return writeError(folder, "create", entry.name, errno);
            ::close(made);
            continue;
        }
        const size_t slash = entry.name.rfind('/');
        const std::string parentName = slash == std::string::npos ? std::string() : entry.name.substr(0, slash);
        const std::string leaf = slash == std::string::npos ? entry.name : entry.name.substr(slash + 1);
        const int parent = openSubfolder(folder.fd(), parentName);
        if (parent < 0)
            return writeError(folder, "create", parentName, errno);
        const int out = ::openat(parent, leaf.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        const int openError = errno;
        ::close(parent);
        if (out < 0) {
            if (openError == EEXIST)
                return StepResult::error(MRErrorUnzip, "The package holds " + entry.name + " twice");
            return writeError(folder, "create", entry.name, openError);
        }
        StepResult result = archive.readEntry(i, MRErrorUnzip, buffer, [&](const char* data, size_t size) {
            if (!writeAll(out, data, size))
                return writeError(folder, "write", entry.name, errno);
            done += size;
            if (job.stopRequested() || !progress(std::min(done, total), total))
                return StepResult::stopped();
            return StepResult::ok();
        });
        struct stat st;
        if (::fstat(out, &st) == 0)
            written.push_back({entry.name, st.st_dev, st.st_ino, uint64_t(st.st_size)});
        if (::close(out) != 0 && !result.code && !result.aborted)
            result = writeError(folder, "write", entry.name, errno);
        if (result.code || result.aborted)
            return result;
    }
    StepResult kept = checkWritten(folder, written);
    if (kept.code)
        return kept;
    return progress(total, total) ? StepResult::ok() : StepResult::stopped();
}

} // namespace mr
