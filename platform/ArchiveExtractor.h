#pragma once

#include "CommandLine.h"

namespace platform {

// The archiver that unpacks downloaded archives (7z, zip): p7zip's "7z" with its extract command "x",
// answering yes to every question and writing into the given folder. Exit status 0 means unpacked.
CommandLine archiveExtractCommand(const QString& archive, const QString& folder);

} // namespace platform
