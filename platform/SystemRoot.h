#pragma once

#include <QString>

namespace platform {

// Where installed system software is looked up. MENDRA_SYSTEM_ROOT, when set, names a folder that
// stands for "/" in every such lookup, so that a test decides what this machine has installed.

// The folder that stands for "/": the variable's value, or "/" when it is unset or empty.
QString systemRoot();
// True when MENDRA_SYSTEM_ROOT is set; lookups then stay inside that folder (the PATH is not searched).
bool systemRootIsOverridden();
// An absolute system path as seen under systemRoot(): "/usr/sbin" becomes "<root>/usr/sbin".
QString underSystemRoot(const QString& absolutePath);

} // namespace platform
