#pragma once

#include <QString>

namespace platform {

// The running machine's processor architecture in the system package manager's words, which name the
// packages built for it: "amd64" for a 64-bit x86 machine, "i386" for a 32-bit one. Read from the
// kernel, so a 32-bit program on a 64-bit machine still answers "amd64".
QString packageArchitecture();
// The same for a kernel's machine name ("x86_64", "i686", "aarch64", ...). A machine name without a
// known package word is passed on as it is, for which no package is offered.
QString packageArchitectureFor(const QString& machine);
// True on a 64-bit x86 machine.
bool IsNativeOs64();

} // namespace platform
