#include "FileTree.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mr {
namespace {

// Deeper than any package goes; a planted tree cannot run the removal out of stack.
constexpr int kMaxDepth = 128;

int openFolderAt(int parent, const char* name) {
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

void removeContentsAt(int folder, int depth) {
    const int listing = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listing < 0)
        return;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return;
    }
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(dir))
        if (std::strcmp(entry->d_name, ".") && std::strcmp(entry->d_name, ".."))
            names.push_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : names) {
        if (::unlinkat(folder, name.c_str(), 0) == 0 || (errno != EISDIR && errno != EPERM))
            continue;
        const int sub = openFolderAt(folder, name.c_str());
        if (sub < 0)
            continue;
        if (depth < kMaxDepth)
            removeContentsAt(sub, depth + 1);
        ::close(sub);
        ::unlinkat(folder, name.c_str(), AT_REMOVEDIR);
    }
}

} // namespace

bool makePath(const std::string& path) {
    if (path.empty())
        return false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string partial = path.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        start = end + 1;
    }
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int openSubfolder(int folder, const std::string& relative) {
    int current = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    size_t start = 0;
    while (current >= 0 && start < relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos)
            end = relative.size();
        const std::string piece = relative.substr(start, end - start);
        start = end + 1;
        if (piece.empty())
            continue;
        if (::mkdirat(current, piece.c_str(), 0755) != 0 && errno != EEXIST) {
            const int error = errno;
            ::close(current);
            errno = error;
            return -1;
        }
        const int next = openFolderAt(current, piece.c_str());
        const int error = errno;
        ::close(current);
        errno = error;
        current = next;
    }
    return current;
}

void removeContents(int folder) {
    removeContentsAt(folder, 0);
}

} // namespace mr
