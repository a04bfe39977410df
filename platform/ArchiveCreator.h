#pragma once

#include "CommandLine.h"

namespace platform {

// The archiver that packs files into a new 7z archive: p7zip's "7z" with its add command "a", the 7z format
// whatever the archive's name ends in, and no questions. Every name comes after "--", so none is read as a
// switch. A folder is packed with everything in it under its own name; a file under its name alone. Exit
// status 0 means packed; anything else (a warning included) means the archive is not to be trusted.
CommandLine archiveCreateCommand(const QString& archive, const QStringList& files);

} // namespace platform
