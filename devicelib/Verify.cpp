#include "FileWork.h"

#include "deviceapi/zUZArovadu.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mr {
namespace {
struct DigestDeleter {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
} // namespace

StepResult sha1File(const std::string& path, Job& job, const ProgressFn& progress, std::string* hex) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return StepResult::error(MRErrorRead, "Cannot open " + path + ": " + std::strerror(errno));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return StepResult::error(MRErrorRead, path + " is not a regular file");
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    std::unique_ptr<EVP_MD_CTX, DigestDeleter> context(EVP_MD_CTX_new());
    EVP_DigestInit_ex(context.get(), EVP_sha1(), nullptr);
    const uint64_t total = uint64_t(st.st_size);
    uint64_t done = 0;
    std::vector<unsigned char> buffer(1 << 20);
    StepResult result;
    for (;;) {
        ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result = StepResult::error(MRErrorRead, "Cannot read " + path + ": " + std::strerror(errno));
            break;
        }
        if (n == 0)
            break;
        EVP_DigestUpdate(context.get(), buffer.data(), size_t(n));
        done += uint64_t(n);
        if (job.stopRequested() || !progress(done, total)) {
            result = StepResult::stopped();
            break;
        }
    }
    ::close(fd);
    if (result.code || result.aborted)
        return result;

    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context.get(), digest, &length);
    static const char digits[] = "0123456789abcdef";
    hex->clear();
    for (unsigned int i = 0; i < length; ++i) {
        *hex += digits[digest[i] >> 4];
        *hex += digits[digest[i] & 15];
    }
    return StepResult::ok();
}

} // namespace mr
