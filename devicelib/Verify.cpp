#include "FileWork.h"

#include "PackageFile.h"
#include "deviceapi/zUZArovadu.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <openssl/evp.h>
#include <unistd.h>
#include <vector>

namespace mr {
namespace {
struct DigestDeleter {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
} // namespace

StepResult sha1File(const PackageFile& package, Job& job, const ProgressFn& progress, std::string* hex) {
    std::unique_ptr<EVP_MD_CTX, DigestDeleter> context(EVP_MD_CTX_new());
    EVP_DigestInit_ex(context.get(), EVP_sha1(), nullptr);
    const uint64_t total = package.size();
    uint64_t done = 0;
    std::vector<unsigned char> buffer(1 << 20);
    for (;;) {
        // The size as it was opened: a file that grows meanwhile is not read past it.
        const size_t wanted = size_t(std::min<uint64_t>(buffer.size(), total - done));
        ssize_t n = wanted ? ::pread(package.fd(), buffer.data(), wanted, off_t(done)) : 0;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return StepResult::error(MRErrorRead, "Cannot read " + package.path() + ": " + std::strerror(errno));
        if (n == 0)
            break;
        EVP_DigestUpdate(context.get(), buffer.data(), size_t(n));
        done += uint64_t(n);
        if (job.stopRequested() || !progress(done, total))
            return StepResult::stopped();
    }
    if (done < total)
        return StepResult::error(MRErrorRead, package.path() + " was cut short while it was read");

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
