// mendra-install-package PACKAGE SHA256: installs one support package with the system's apt-get, run as
// root through the elevation helper. The package lies in the user's own folder, where anything running as
// that user can replace it at any time; so this program copies it into a fresh folder that only root can
// write, checks the copy against the SHA-256 that the program pinned, and only then hands that copy to
// apt-get. Whatever happens to the user's file afterwards, what apt-get installs is what was checked.
//
// The folder is /var/cache/mendra/install-XXXXXX and apt-get is /usr/bin/apt-get, both below
// MENDRA_SYSTEM_ROOT when that is set (the elevation helper clears the environment, so only a caller that
// already runs as root can set it). The copy and its folder are removed afterwards.
//
// apt-get runs without questions: its standard input is /dev/null and DEBIAN_FRONTEND is "noninteractive".
//
// Exit status: apt-get's own when it ran; otherwise one of the codes below, with the reason on stderr.

#include <openssl/evp.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum Exit {
    kUsage = 64,       // wrong arguments, or the digest is no SHA-256 in hex
    kMismatch = 65,    // the copy's SHA-256 is not the pinned one: nothing installed (kPackageChangedStatus)
    kNoPackage = 66,   // the package cannot be read, is no plain file or is too large
    kNoInstaller = 69, // apt-get cannot be started
    kNoFolder = 73,    // the private folder or the copy cannot be made
};

// Far larger than any support package; a bigger file is refused before it fills root's disk.
const off_t kMaxPackageBytes = 256LL * 1024 * 1024;

int Fail(int code, const std::string& why) {
    std::fprintf(stderr, "mendra-install-package: %s\n", why.c_str());
    return code;
}

std::string Reason(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::string UnderRoot(const char* path) {
    const char* root = std::getenv("MENDRA_SYSTEM_ROOT");
    std::string prefix = root ? root : "";
    while (!prefix.empty() && prefix.back() == '/')
        prefix.pop_back();
    return prefix + path;
}

bool IsSha256Hex(const std::string& text) {
    if (text.size() != 64)
        return false;
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A plain file name ending in ".deb" is kept for apt-get's messages; anything else becomes "package.deb".
std::string CopyName(const std::string& package) {
    const std::string name = package.substr(package.rfind('/') + 1);
    bool plain = name.size() > 4 && name[0] != '.' && name[0] != '-' && name.compare(name.size() - 4, 4, ".deb") == 0;
    for (const char c : name)
        plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || std::strchr("._+-", c));
    return plain ? name : "package.deb";
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= size_t(written);
    }
    return true;
}

// Copies the package into the new file: 0, or the exit code with the reason in why.
int Copy(const std::string& package, const std::string& copy, std::string* why) {
    // O_NONBLOCK: a FIFO in the package's place must not hold this program; only a plain file is read.
    const int in = ::open(package.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (in < 0) {
        *why = Reason("cannot open " + package);
        return kNoPackage;
    }
    struct stat info {};
    if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxPackageBytes) {
        ::close(in);
        *why = package + " is no plain file of at most 256 MiB";
        return kNoPackage;
    }
    ::fcntl(in, F_SETFL, ::fcntl(in, F_GETFL) & ~O_NONBLOCK);
    const int out = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
        *why = Reason("cannot create " + copy);
        return kNoFolder;
    }
    std::vector<char> buffer(1 << 16);
    off_t total = 0;
    int code = 0;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            *why = Reason("cannot read " + package);
            code = kNoPackage;
            break;
        }
        if (got == 0)
            break;
        total += got;
        if (total > kMaxPackageBytes) {
            *why = package + " grew beyond 256 MiB";
            code = kNoPackage;
            break;
        }
        if (!WriteAll(out, buffer.data(), size_t(got))) {
            *why = Reason("cannot write " + copy);
            code = kNoFolder;
            break;
        }
    }
    ::close(in);
    if (::close(out) != 0 && code == 0) {
        *why = Reason("cannot write " + copy);
        code = kNoFolder;
    }
    return code;
}

// The SHA-256 of the file in lower-case hex; empty when it cannot be read.
std::string Sha256(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::string();
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    bool ok = context && EVP_DigestInit_ex(context, EVP_sha256(), nullptr) == 1;
    std::vector<char> buffer(1 << 16);
    while (ok) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = EVP_DigestUpdate(context, buffer.data(), size_t(got)) == 1;
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    ok = ok && EVP_DigestFinal_ex(context, digest, &length) == 1;
    EVP_MD_CTX_free(context);
    ::close(fd);
    if (!ok)
        return std::string();
    static const char hex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 0xf];
    }
    return text;
}

// The folder that holds the private folders: made when missing, and refused unless it is a real folder of
// this user that nobody else may write to.
std::string CacheFolder(std::string* why) {
    const std::string folder = UnderRoot("/var/cache/mendra");
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        *why = Reason("cannot create " + folder);
        return std::string();
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() ||
        (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        *why = folder + " is not a folder that only this user can write to";
        return std::string();
    }
    return folder;
}

int RunInstaller(const std::string& copy) {
    const std::string installer = UnderRoot("/usr/bin/apt-get");
    const pid_t child = ::fork();
    if (child < 0)
        return Fail(kNoInstaller, Reason("cannot start " + installer));
    if (child == 0) {
        // Nobody can answer a question from dpkg or debconf: they take their defaults, and anything that
        // still reads an answer reads the end of its input. The elevation helper has cleared the caller's
        // environment, so this is the place to say so.
        const int nothing = ::open("/dev/null", O_RDONLY);
        bool ready = nothing >= 0;
        if (ready && nothing != STDIN_FILENO) {
            ready = ::dup2(nothing, STDIN_FILENO) == STDIN_FILENO;
            ::close(nothing);
        }
        if (!ready || ::setenv("DEBIAN_FRONTEND", "noninteractive", 1) != 0) {
            std::fprintf(stderr, "mendra-install-package: cannot prepare %s: %s\n", installer.c_str(),
                         std::strerror(errno));
            ::_exit(kNoInstaller);
        }
        const char* arguments[] = {installer.c_str(), "install", "-y", copy.c_str(), nullptr};
        ::execv(installer.c_str(), const_cast<char* const*>(arguments));
        std::fprintf(stderr, "mendra-install-package: cannot start %s: %s\n", installer.c_str(), std::strerror(errno));
        ::_exit(kNoInstaller);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return Fail(kNoInstaller, Reason("cannot wait for " + installer));
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || !IsSha256Hex(argv[2]))
        return Fail(kUsage, "usage: mendra-install-package PACKAGE SHA256");
    ::umask(077);
    const std::string package = argv[1];
    const std::string expected = Lower(argv[2]);

    std::string why;
    const std::string cache = CacheFolder(&why);
    if (cache.empty())
        return Fail(kNoFolder, why);
    std::string folder = cache + "/install-XXXXXX";
    if (!::mkdtemp(&folder[0]))
        return Fail(kNoFolder, Reason("cannot create a folder in " + cache));
    const std::string copy = folder + "/" + CopyName(package);

    int result = Copy(package, copy, &why);
    if (result != 0) {
        Fail(result, why);
    } else {
        const std::string actual = Sha256(copy);
        if (actual != expected)
            result = Fail(kMismatch, "the SHA-256 of " + package + " is " + (actual.empty() ? "unknown" : actual) +
                                         ", not the expected " + expected + "; nothing was installed");
        else
            result = RunInstaller(copy);
    }
    ::unlink(copy.c_str());
    ::rmdir(folder.c_str());
    return result;
}
