#pragma once

#include <QString>

namespace platform {

// The external patch launcher replaces the program's own files on request. It is an executable that the
// installer puts beside the program; without it the program looks for no patches at all.

// Where the launcher lies in the given program folder.
QString patchLauncherPath(const QString& programFolder);

// The element of the update rules file that holds the rules for this operating system.
QString patchRulesPlatformName();

} // namespace platform
