// The folder one run unpacks its package into: made fresh below a base folder under a random hidden name
// (".unpack-..."), readable by its owner only, written through its descriptor only, and locked for as long as
// the run has it. A run that was killed leaves it unlocked, and the next run in that base folder removes it.
#pragma once

#include "Job.h"

#include <string>

namespace mr {

class UnpackFolder {
public:
    UnpackFolder() = default;
    UnpackFolder(const UnpackFolder&) = delete;
    UnpackFolder& operator=(const UnpackFolder&) = delete;
    ~UnpackFolder() { remove(); }

    StepResult create(const std::string& base);
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }
    // True while the folder is still where it was made, under its name.
    bool inPlace() const;
    // Removes the folder and all in it; the lock goes with it.
    void remove();

    // Removes the unpack folders below base that no run holds: the leftovers of runs that were killed.
    // Only the current user's own are touched.
    static void removeAbandoned(const std::string& base);

private:
    int m_base = -1;
    int m_fd = -1;
    std::string m_name;
    std::string m_path;
};

} // namespace mr
