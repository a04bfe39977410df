#include "FileWork.h"

#include "ExtraCa.h"
#include "PackageFile.h"
#include "deviceapi/zUZArovadu.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <curl/curl.h>
#include <fcntl.h>
#include <memory>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mr {
namespace {

void initCurlOnce() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
}

// The partial file of an earlier run, or a new one; never through a link. Only a partial file that is this
// user's alone is resumed: whatever else sits at its name (a link, a pipe, a file another account owns, may
// write or holds another name of) is removed first, and the new one is made where nothing stands.
int openPartial(const std::string& path, uint64_t* size, std::string* error) {
    const auto cannotWrite = [&](int cause) {
        *error = "Cannot write " + path + ": " + std::strerror(cause);
        return -1;
    };
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && isOwnAlone(st)) {
        ::fcntl(fd, F_SETFL, O_APPEND);
        *size = uint64_t(st.st_size);
        return fd;
    }
    if (fd >= 0)
        ::close(fd);
    if (::lstat(path.c_str(), &st) == 0 && ::unlink(path.c_str()) != 0)
        return cannotWrite(errno);
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return cannotWrite(errno);
    *size = 0;
    return fd;
}

// A download that began on https stays on https: a redirect may not take it to plain http.
const char* redirectProtocols(const std::string& url) {
    return ::strncasecmp(url.c_str(), "https://", 8) == 0 ? "https" : "http,https";
}

struct Transfer {
    FILE* file = nullptr;
    uint64_t offset = 0; // bytes already in the partial file when this request started
    uint64_t written = 0;
    uint64_t expected = 0;
    int writeErrno = 0;
    Job* job = nullptr;
    const ProgressFn* progress = nullptr;
    bool progressVetoed = false;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    size_t bytes = size * count;
    if (std::fwrite(data, 1, bytes, t->file) != bytes) {
        t->writeErrno = errno ? errno : EIO;
        return 0;
    }
    t->written += bytes;
    return bytes;
}

int transferProgress(void* user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (t->job->stopRequested())
        return 1;
    if (dlnow <= 0)
        return 0;
    uint64_t total = t->expected ? t->expected : (dltotal > 0 ? t->offset + uint64_t(dltotal) : 0);
    if (!(*t->progress)(t->offset + uint64_t(dlnow), total)) {
        t->progressVetoed = true;
        return 1;
    }
    return 0;
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

// Runs one request on a multi handle so that a stop wakes the poll at once instead of at the next callback.
CURLcode perform(CURL* easy, Job& job) {
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi)
        return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi.get(), easy);
    job.setTransfer(multi.get());
    CURLcode result = CURLE_OK;
    bool done = false;
    while (!done) {
        int running = 0;
        CURLMcode mc = curl_multi_perform(multi.get(), &running);
        if (mc != CURLM_OK) {
            result = CURLE_RECV_ERROR;
            break;
        }
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi.get(), &queued)) {
            if (msg->msg == CURLMSG_DONE) {
                result = msg->data.result;
                done = true;
            }
        }
        if (done)
            break;
        if (job.stopRequested()) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr);
    }
    job.setTransfer(nullptr);
    curl_multi_remove_handle(multi.get(), easy);
    return result;
}

std::string byteCount(uint64_t bytes) {
    return std::to_string(bytes) + " bytes";
}

} // namespace

StepResult downloadPackage(const DownloadRequest& request, Job& job, const ProgressFn& progress) {
    initCurlOnce();
    const std::string part = request.target + ".part";
    const ExtraCa extraCa(request.extraCaFile);
    bool retriedFromZero = false;

    for (;;) {
        uint64_t offset = 0;
        std::string openError;
        const int fd = openPartial(part, &offset, &openError);
        if (fd < 0)
            return StepResult::error(MRErrorWrite, openError);
        if (request.expectedSize && offset > request.expectedSize) {
            // Not ours to resume: more than the whole package.
            if (::ftruncate(fd, 0) != 0) {
                const int error = errno;
                ::close(fd);
                return StepResult::error(MRErrorWrite, "Cannot write " + part + ": " + std::strerror(error));
            }
            offset = 0;
        }
        uint64_t received = offset;
        if (request.expectedSize && offset == request.expectedSize) {
            ::close(fd);
        } else {
            FILE* file = ::fdopen(fd, "ab");
            if (!file) {
                const int error = errno;
                ::close(fd);
                return StepResult::error(MRErrorWrite, "Cannot write " + part + ": " + std::strerror(error));
            }
            std::setvbuf(file, nullptr, _IOFBF, 1 << 20);

            Transfer t;
            t.file = file;
            t.offset = offset;
            t.expected = request.expectedSize;
            t.job = &job;
            t.progress = &progress;

            std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
            char errorText[CURL_ERROR_SIZE] = {0};
            CURL* e = easy.get();
            curl_easy_setopt(e, CURLOPT_URL, request.url.c_str());
            curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https,file");
            curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, redirectProtocols(request.url));
            curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
            curl_easy_setopt(e, CURLOPT_MAXREDIRS, 5L);
            curl_easy_setopt(e, CURLOPT_FAILONERROR, 1L);
            curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
            curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, 30L);
            curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
            curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, 60L);
            curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 256L * 1024);
            curl_easy_setopt(e, CURLOPT_USERAGENT, "zUZArovadu/1.0");
            curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errorText);
            curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, writeBody);
            curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);
            curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
            curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, transferProgress);
            curl_easy_setopt(e, CURLOPT_XFERINFODATA, &t);
            if (offset)
                curl_easy_setopt(e, CURLOPT_RESUME_FROM_LARGE, curl_off_t(offset));
            extraCa.applyTo(e);
            std::string proxy, proxyUser, proxyPassword;
            if (!request.proxy.host.empty()) {
                proxy = "http://" + request.proxy.host + ":" + std::to_string(request.proxy.port);
                proxyUser = request.proxy.user;
                proxyPassword = request.proxy.password;
                curl_easy_setopt(e, CURLOPT_PROXY, proxy.c_str());
                if (!proxyUser.empty()) {
                    curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, proxyUser.c_str());
                    curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, proxyPassword.c_str());
                }
            }

            CURLcode result = perform(e, job);
            long status = 0;
            curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
            // A partial file removed while it was written (its folder deleted, say) took the bytes with it: a
            // failure of this computer's disk, not of the connection.
            struct stat written;
            const bool removed = ::fstat(::fileno(file), &written) == 0 && written.st_nlink == 0;
            bool closed = std::fclose(file) == 0;
            if (!closed && result == CURLE_OK) {
                result = CURLE_WRITE_ERROR;
                t.writeErrno = errno;
            }

            received = offset + t.written;
            if (job.stopRequested() || t.progressVetoed)
                return StepResult::stopped();
            if (removed)
                return StepResult::error(MRErrorWrite, "Cannot write " + part + ": it was removed during the download");
            if (result == CURLE_HTTP_RETURNED_ERROR && status == 416 && offset && !retriedFromZero) {
                // The server cannot continue our partial file; start over once.
                ::unlink(part.c_str());
                retriedFromZero = true;
                continue;
            }
            if (result == CURLE_RANGE_ERROR && offset && !retriedFromZero) {
                ::unlink(part.c_str());
                retriedFromZero = true;
                continue;
            }
            switch (result) {
            case CURLE_OK:
                break;
            case CURLE_HTTP_RETURNED_ERROR:
                return StepResult::error(MRErrorHttp, "The server answered HTTP " + std::to_string(status));
            case CURLE_PARTIAL_FILE:
                return StepResult::error(MRErrorShortBody, "The connection closed after " + byteCount(received) +
                                                               " of " + byteCount(request.expectedSize));
            case CURLE_WRITE_ERROR:
                return StepResult::error(MRErrorWrite, "Cannot write " + part + ": " + std::strerror(t.writeErrno));
            default:
                return StepResult::error(MRErrorNetwork, errorText[0] ? errorText : curl_easy_strerror(result));
            }
        }

        if (request.expectedSize && received < request.expectedSize)
            return StepResult::error(MRErrorShortBody, "The connection closed after " + byteCount(received) + " of " +
                                                           byteCount(request.expectedSize));
        if (request.expectedSize && received > request.expectedSize) {
            ::unlink(part.c_str());
            return StepResult::error(MRErrorChecksum, "The server sent " + byteCount(received) + " instead of " +
                                                          byteCount(request.expectedSize));
        }
        if (!progress(received, request.expectedSize ? request.expectedSize : received))
            return StepResult::stopped();
        if (std::rename(part.c_str(), request.target.c_str()) != 0)
            return StepResult::error(MRErrorWrite, "Cannot rename " + part + ": " + std::strerror(errno));
        return StepResult::ok();
    }
}

} // namespace mr
