#pragma once

// The permission bits of what the program writes, and the umask a test runs it under.

#include <QFile>
#include <QString>

#include <sys/stat.h>

namespace FileModes {

// The permission bits of the path (of what a link leads to), or 07777 when nothing is there.
inline mode_t Of(const QString& path) {
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : mode_t(07777);
}

// Sets the permission bits of the path (of what a link leads to); false when that fails.
inline bool Set(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// The process's umask while it lives; the one before comes back at its end.
class Umask {
public:
    explicit Umask(int mask) : m_previous(::umask(mode_t(mask))) {}
    ~Umask() { ::umask(m_previous); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t m_previous;
};

} // namespace FileModes
