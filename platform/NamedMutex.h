#pragma once

#include <QString>

namespace platform {

// A named, process-wide mutex: a lock file in the user's runtime folder, held from
// createNamedMutex() until releaseNamedMutex() or the end of the process. A lock left by a
// process that died is taken over. Other users have their own runtime folder and never collide.

// The lock file's path for a name ("" when the name is empty or no runtime folder exists).
QString namedMutexPath(const QString& name);

// True when this process holds the mutex afterwards (also when it held it already); false when
// another process holds it or the lock file cannot be made.
bool createNamedMutex(const QString& name);

// Lets go of the mutex if this process holds it; nothing otherwise.
void releaseNamedMutex(const QString& name);

} // namespace platform
