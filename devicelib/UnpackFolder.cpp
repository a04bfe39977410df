#include "UnpackFolder.h"

#include "FileTree.h"
#include "deviceapi/zUZArovadu.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mr {
namespace {

const char kPrefix[] = ".unpack-";

std::string randomName() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[12];
    if (::getrandom(bytes, sizeof bytes, 0) != ssize_t(sizeof bytes)) {
        // Unpredictable names only keep others from taking ours first; they are not what makes it safe.
        uint64_t seed = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^ uint64_t(::getpid());
        for (unsigned char& byte : bytes) {
            seed = seed * 6364136223846793005u + 1442695040888963407u;
            byte = static_cast<unsigned char>(seed >> 56);
        }
    }
    std::string name = kPrefix;
    for (unsigned char byte : bytes)
        name += letters[byte % (sizeof letters - 1)];
    return name;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The folder name inside base still leads to the folder open as fd.
bool namedThere(int base, const std::string& name, int fd) {
    struct stat named, open;
    return ::fstatat(base, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &open) == 0 &&
           sameFile(named, open) && open.st_nlink > 0;
}

} // namespace

StepResult UnpackFolder::create(const std::string& base) {
    remove();
    m_base = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_base < 0)
        return StepResult::error(MRErrorWrite, "Cannot open the folder " + base + ": " + std::strerror(errno));
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name = randomName();
        if (::mkdirat(m_base, name.c_str(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            return StepResult::error(MRErrorWrite, "Cannot create a folder in " + base + ": " + std::strerror(errno));
        }
        const int fd = ::openat(m_base, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue; // taken away and replaced before it could be opened: not ours
        struct stat st;
        // Locked before anything is written; a cleaner that got there first has removed it, so make another.
        if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid() || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
            !namedThere(m_base, name, fd)) {
            ::close(fd);
            continue;
        }
        m_fd = fd;
        m_name = name;
        m_path = base + "/" + name;
        return StepResult::ok();
    }
    return StepResult::error(MRErrorWrite, "Cannot create a folder of its own in " + base);
}

bool UnpackFolder::inPlace() const {
    return m_fd >= 0 && namedThere(m_base, m_name, m_fd);
}

void UnpackFolder::remove() {
    if (m_fd >= 0) {
        removeContents(m_fd);
        if (inPlace())
            ::unlinkat(m_base, m_name.c_str(), AT_REMOVEDIR);
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_base >= 0)
        ::close(m_base);
    m_base = -1;
    m_name.clear();
    m_path.clear();
}

void UnpackFolder::removeAbandoned(const std::string& base) {
    const int folder = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    std::vector<std::string> names;
    if (DIR* dir = ::fdopendir(::fcntl(folder, F_DUPFD_CLOEXEC, 0))) {
        while (dirent* entry = ::readdir(dir))
            if (std::strncmp(entry->d_name, kPrefix, sizeof kPrefix - 1) == 0)
                names.push_back(entry->d_name);
        ::closedir(dir);
    }
    for (const std::string& name : names) {
        const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        // A run that holds its folder holds the lock; a killed one has let go of it.
        if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            namedThere(folder, name, fd)) {
            removeContents(fd);
            ::unlinkat(folder, name.c_str(), AT_REMOVEDIR);
        }
        ::close(fd);
    }
    ::close(folder);
}

} // namespace mr
