#include "FileWork.h"

#include "deviceapi/zUZArovadu.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zip.h>

namespace mr {
namespace {

struct Archive {
    zip_t* zip = nullptr;
    ~Archive() {
        if (zip)
            zip_discard(zip);
    }
};

StepResult openArchive(const std::string& path, int code, Archive* archive) {
    int error = 0;
    archive->zip = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive->zip) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, error);
        std::string text = path + " is not a readable package: " + zip_error_strerror(&ze);
        zip_error_fini(&ze);
        return StepResult::error(code, text);
    }
    return StepResult::ok();
}

// A name is unpacked only when it stays inside the target folder: relative, without "..", without NUL tricks.
bool safeEntryName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        std::string piece = name.substr(start, end - start);
        if (piece == "..")
            return false;
        start = end + 1;
    }
    return true;
}

bool findPlistKey(const std::string& text, const std::string& key, size_t* position) {
    const std::string tag = "<key>" + key + "</key>";
    size_t at = text.find(tag);
    if (at == std::string::npos)
        return false;
    *position = at + tag.size();
    return true;
}

std::string nextString(const std::string& text, size_t* position, size_t limit) {
    size_t open = text.find("<string>", *position);
    if (open == std::string::npos || open >= limit)
        return std::string();
    size_t close = text.find("</string>", open);
    if (close == std::string::npos)
        return std::string();
    *position = close + 9;
    return text.substr(open + 8, close - open - 8);
}

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

} // namespace

bool makePath(const std::string& path) {
    if (path.empty())
        return false;
    std::string partial;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        partial = path.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        start = end + 1;
    }
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool removeTree(const std::string& path) {
    auto remove = [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); };
    return ::nftw(path.c_str(), remove, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

StepResult readPackageManifest(const std::string& path, PackageManifest* manifest) {
    Archive archive;
    StepResult opened = openArchive(path, MRErrorPackage, &archive);
    if (opened.code)
        return opened;
    zip_stat_t st;
    if (zip_stat(archive.zip, "Restore.plist", 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        return StepResult::error(MRErrorPackage, path + " is not a firmware package: it has no Restore.plist");
    if (st.size > (1u << 20))
        return StepResult::error(MRErrorPackage, path + ": Restore.plist is too large");
    zip_file_t* file = zip_fopen(archive.zip, "Restore.plist", 0);
    if (!file)
        return StepResult::error(MRErrorPackage, path + ": " + zip_strerror(archive.zip));
    std::string text(size_t(st.size), '\0');
    zip_int64_t n = zip_fread(file, &text[0], st.size);
    std::string fileError = n < 0 ? zip_file_strerror(file) : std::string();
    zip_fclose(file);
    if (n != zip_int64_t(st.size))
        return StepResult::error(MRErrorPackage, path + ": cannot read Restore.plist " + fileError);

    size_t position = 0;
    if (findPlistKey(text, "ProductVersion", &position))
        manifest->version = nextString(text, &position, text.size());
    manifest->productTypes.clear();
    if (findPlistKey(text, "SupportedProductTypes", &position)) {
        size_t end = text.find("</array>", position);
        if (end == std::string::npos)
            end = text.size();
        for (std::string type = nextString(text, &position, end); !type.empty();
             type = nextString(text, &position, end))
            manifest->productTypes.push_back(type);
    }
    if (manifest->productTypes.empty())
        return StepResult::error(MRErrorPackage, path + ": Restore.plist names no supported product type");
    return StepResult::ok();
}

StepResult unpackPackage(const std::string& path, const std::string& folder, Job& job, const ProgressFn& progress) {
    Archive archive;
    StepResult opened = openArchive(path, MRErrorUnzip, &archive);
    if (opened.code)
        return opened;
    zip_int64_t count = zip_get_num_entries(archive.zip, 0);
    uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive.zip, zip_uint64_t(i), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE))
            total += st.size;
    }

    std::vector<char> buffer(1 << 20);
    uint64_t done = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* rawName = zip_get_name(archive.zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        std::string name = rawName ? rawName : "";
        if (!safeEntryName(name))
            return StepResult::error(MRErrorUnzip, "The package holds an unsafe entry name: " + name);
        std::string target = folder + "/" + name;
        if (name.back() == '/') {
            if (!makePath(target))
                return StepResult::error(MRErrorWrite, "Cannot create " + target + ": " + std::strerror(errno));
            continue;
        }
        size_t slash = target.rfind('/');
        if (!makePath(target.substr(0, slash)))
            return StepResult::error(MRErrorWrite, "Cannot create " + target + ": " + std::strerror(errno));

        zip_stat_t st;
        const bool sized = zip_stat_index(archive.zip, zip_uint64_t(i), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE);
        uint64_t written = 0;
        zip_file_t* in = zip_fopen_index(archive.zip, zip_uint64_t(i), 0);
        if (!in)
            return StepResult::error(MRErrorUnzip, "Cannot open " + name + ": " + zip_strerror(archive.zip));
        int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (out < 0) {
            int error = errno;
            zip_fclose(in);
            if (error == EEXIST)
                return StepResult::error(MRErrorUnzip, "The package holds " + name + " twice");
            return StepResult::error(MRErrorWrite, "Cannot create " + target + ": " + std::strerror(error));
        }
        StepResult result;
        for (;;) {
            zip_int64_t n = zip_fread(in, buffer.data(), buffer.size());
            if (n < 0) {
                result =
                    StepResult::error(MRErrorUnzip, "The package is damaged at " + name + ": " + zip_file_strerror(in));
                break;
            }
            if (n == 0)
                break;
            written += uint64_t(n);
            if (sized && written > st.size) {
                // More data than the directory promised: refuse rather than fill the disk.
                result = StepResult::error(MRErrorUnzip, "The package is damaged at " + name + ": it is too long");
                break;
            }
            if (!writeAll(out, buffer.data(), size_t(n))) {
                result = StepResult::error(MRErrorWrite, "Cannot write " + target + ": " + std::strerror(errno));
                break;
            }
            done += uint64_t(n);
            if (job.stopRequested() || !progress(std::min(done, total), total)) {
                result = StepResult::stopped();
                break;
            }
        }
        zip_fclose(in);
        if (::close(out) != 0 && !result.code && !result.aborted)
            result = StepResult::error(MRErrorWrite, "Cannot write " + target + ": " + std::strerror(errno));
        if (result.code || result.aborted)
            return result;
    }
    if (!progress(total, total))
        return StepResult::stopped();
    return StepResult::ok();
}

} // namespace mr
