#pragma once

#include <QString>

namespace platform {

// Whether this process runs with root's rights.
bool runningAsRoot();

// What root may run of a file in the program folder: the file and every folder its lookup passes through (the
// folders of any link on the way, and the links themselves, included) owned by root and writable by nobody else,
// so that no other account can have changed it or can point the path elsewhere. A folder that everyone may write
// is accepted only with its sticky bit set, where nobody but root can rename or remove root's entries. Empty when
// root may run it; otherwise why not, naming the path at fault.
QString rootOwnershipFault(const QString& path);

} // namespace platform
