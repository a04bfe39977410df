#pragma once

#include "CommandLine.h"

namespace platform {

// The system's installer for one downloaded package file: "/usr/bin/apt-get install -y <file>" (the
// system's own apt-get, below MENDRA_SYSTEM_ROOT when that is set), which also
// brings in what the package depends on. It needs administrator rights (ElevatedRunner.h); its exit
// status is 0 when the package was installed.
//
// The file is handed over with its absolute path: apt-get takes an argument with a "/" for a file
// rather than a package name, and the elevation helper starts the installer in another folder.
CommandLine packageInstallCommand(const QString& packageFile);

} // namespace platform
