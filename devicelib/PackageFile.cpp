#include "PackageFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace mr {

PackageFile::~PackageFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

StepResult PackageFile::open(const std::string& path, int code) {
    m_path = path;
    // Non-blocking, so that a pipe at the path cannot hold the run before it is refused.
    m_fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        if (error == ELOOP)
            return StepResult::error(code, path + " is a symbolic link; only the package file itself is read");
        return StepResult::error(code, "Cannot open " + path + ": " + std::strerror(error));
    }
    if (::fstat(m_fd, &m_stat) != 0 || !S_ISREG(m_stat.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        return StepResult::error(code, path + " is not a regular file");
    }
    ::fcntl(m_fd, F_SETFL, 0);
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return StepResult::ok();
}

bool isOwnAlone(const struct stat& status) {
    return status.st_uid == ::geteuid() && status.st_nlink == 1 && (status.st_mode & 022) == 0;
}

bool PackageFile::unchanged() const {
    struct stat now;
    if (m_fd < 0 || ::fstat(m_fd, &now) != 0)
        return false;
    // Not the change time: a file put in its place by name unlinks this one, which changes that alone.
    return now.st_size == m_stat.st_size && now.st_mtim.tv_sec == m_stat.st_mtim.tv_sec &&
           now.st_mtim.tv_nsec == m_stat.st_mtim.tv_nsec;
}

void PackageFile::unlinkIfStillThere() const {
    struct stat named;
    if (m_fd >= 0 && ::lstat(m_path.c_str(), &named) == 0 && named.st_dev == m_stat.st_dev &&
        named.st_ino == m_stat.st_ino)
        ::unlink(m_path.c_str());
}

} // namespace mr
