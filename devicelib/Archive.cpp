#include "Archive.h"

#include "PackageFile.h"
#include "deviceapi/zUZArovadu.h"

#include <cerrno>
#include <unistd.h>

namespace mr {
namespace {

// libzip's source over the package's descriptor: reads with pread, so no file offset is shared or moved.
struct DescriptorSource {
    int fd = -1;
    uint64_t size = 0;
    uint64_t offset = 0;
    zip_error_t error;
};

zip_int64_t sourceCallback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto* source = static_cast<DescriptorSource*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        source->offset = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        if (source->offset >= source->size)
            return 0;
        const uint64_t wanted = std::min<uint64_t>(length, source->size - source->offset);
        ssize_t n;
        do
            n = ::pread(source->fd, data, size_t(wanted), off_t(source->offset));
        while (n < 0 && errno == EINTR);
        if (n < 0) {
            zip_error_set(&source->error, ZIP_ER_READ, errno);
            return -1;
        }
        source->offset += uint64_t(n);
        return n;
    }
    case ZIP_SOURCE_CLOSE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &source->error);
        if (!st)
            return -1;
        zip_stat_init(st);
        st->size = source->size;
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source->error, data, length);
    case ZIP_SOURCE_FREE:
        zip_error_fini(&source->error);
        delete source;
        return 0;
    case ZIP_SOURCE_SEEK: {
        const zip_int64_t to =
            zip_source_seek_compute_offset(source->offset, source->size, data, length, &source->error);
        if (to < 0)
            return -1;
        source->offset = uint64_t(to);
        return 0;
    }
    case ZIP_SOURCE_TELL:
        return zip_int64_t(source->offset);
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_SEEKABLE;
    default:
        zip_error_set(&source->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

// A name is unpacked only when it stays inside the target folder: relative, no "..", no empty piece, no
// backslash.
bool safeEntryName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos)
        return false;
    const size_t end = name.back() == '/' ? name.size() - 1 : name.size();
    size_t start = 0;
    while (start <= end) {
        size_t slash = name.find('/', start);
        if (slash == std::string::npos || slash > end)
            slash = end;
        const std::string piece = name.substr(start, slash - start);
        if (piece.empty() || piece == "." || piece == "..")
            return false;
        start = slash + 1;
    }
    return true;
}

} // namespace

Archive::~Archive() {
    if (m_zip)
        zip_discard(m_zip);
}

StepResult Archive::open(const PackageFile& package, int code) {
    m_path = package.path();
    auto* state = new DescriptorSource;
    state->fd = package.fd();
    state->size = package.size();
    zip_error_init(&state->error);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(sourceCallback, state, &error);
    if (!source) {
        zip_error_fini(&state->error);
        delete state;
    } else {
        m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!m_zip)
            zip_source_free(source);
    }
    if (!m_zip) {
        std::string text = m_path + " is not a readable package: " + zip_error_strerror(&error);
        zip_error_fini(&error);
        return StepResult::error(code, text);
    }
    zip_error_fini(&error);

    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        const char* rawName = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        Entry entry;
        entry.name = rawName ? rawName : "";
        if (!safeEntryName(entry.name))
            return StepResult::error(code, "The package holds an unsafe entry name: " + entry.name);
        if (zip_stat_index(m_zip, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
            return StepResult::error(code, "The package does not declare the size of " + entry.name);
        entry.size = st.size;
        entry.isFolder = entry.name.back() == '/';
        m_declared = entry.size > UINT64_MAX - m_declared ? UINT64_MAX : m_declared + entry.size;
        m_entries.push_back(std::move(entry));
    }
    return StepResult::ok();
}

bool Archive::readSmall(const std::string& name, size_t limit, std::string* text, std::string* error) {
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name != name)
            continue;
        if (m_entries[i].size > limit) {
            *error = name + " is too large";
            return false;
        }
        std::vector<char> buffer(64 * 1024);
        text->clear();
        StepResult read = readEntry(i, MRErrorPackage, buffer, [text](const char* data, size_t size) {
            text->append(data, size);
            return StepResult::ok();
        });
        if (read.code || read.aborted)
            *error = read.text;
        return read.code == 0 && !read.aborted;
    }
    *error = "it has no " + name;
    return false;
}

StepResult Archive::readEntry(size_t index, int code, std::vector<char>& buffer, const Consumer& consume) {
    const Entry& entry = m_entries.at(index);
    zip_file_t* in = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!in)
        return StepResult::error(code, "Cannot read " + entry.name + " of the package: " + zip_strerror(m_zip));
    uint64_t read = 0;
    StepResult result;
    for (;;) {
        const zip_int64_t n = zip_fread(in, buffer.data(), buffer.size());
        if (n < 0) {
            result = StepResult::error(code, "The package is damaged at " + entry.name + ": " + zip_file_strerror(in));
            break;
        }
        if (n == 0) {
            if (read < entry.size)
                result = StepResult::error(code, "The package is damaged at " + entry.name + ": it ends after " +
                                                     std::to_string(read) + " of its " + std::to_string(entry.size) +
                                                     " bytes");
            break;
        }
        read += uint64_t(n);
        if (read > entry.size) {
            // More data than the directory promised: refuse rather than fill the disk.
            result = StepResult::error(code, "The package is damaged at " + entry.name + ": it holds more than the " +
                                                 std::to_string(entry.size) + " bytes it declares");
            break;
        }
        result = consume(buffer.data(), size_t(n));
        if (result.code || result.aborted)
            break;
    }
    zip_fclose(in);
    return result;
}

} // namespace mr
