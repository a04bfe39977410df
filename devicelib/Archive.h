// A package's zip directory read through an open PackageFile (positioned reads, so the descriptor is shared
// with whatever else reads the file), and the data of its entries, each held to the size its directory
// declares.
#pragma once

#include "Job.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include <zip.h>

namespace mr {

class PackageFile;

class Archive {
public:
    struct Entry {
        std::string name;
        uint64_t size = 0; // as declared by the directory
        bool isFolder = false;
    };

    Archive() = default;
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    ~Archive();

    // Reads the directory; an entry without a declared size, or with a name that would leave the folder it
    // is unpacked into, makes the package unusable. Errors carry the code.
    StepResult open(const PackageFile& package, int code);
    const std::vector<Entry>& entries() const { return m_entries; }
    // The sum of the declared sizes (saturating: a directory may declare anything).
    uint64_t declaredSize() const { return m_declared; }

    // A whole small entry (at most limit bytes) by name; false when it is missing or larger.
    bool readSmall(const std::string& name, size_t limit, std::string* text, std::string* error);

    // Hands the entry's data to consume in pieces. Data beyond the declared size, a CRC that does not match
    // and a damaged stream are errors with the code; consume's own error ends it as it is.
    using Consumer = std::function<StepResult(const char* data, size_t size)>;
    StepResult readEntry(size_t index, int code, std::vector<char>& buffer, const Consumer& consume);

private:
    zip_t* m_zip = nullptr;
    std::vector<Entry> m_entries;
    uint64_t m_declared = 0;
    std::string m_path;
};

} // namespace mr
