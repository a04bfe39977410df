#pragma once

#include <QString>

namespace platform {

// The folder that holds the running program's executable file, absolute and with every symbolic link
// resolved, without a trailing separator. Started through a link (an installed "bin/mendra" pointing into
// the program's own folder) it is still the folder the program, its files and its helpers lie in, which
// the first command-line argument would not give. Empty before the application object exists.
QString programFolder();

} // namespace platform
