#pragma once

#include <QString>

namespace platform {

// The current user's private runtime folder (XDG_RUNTIME_DIR, or Qt's per-user fallback), where
// lock files and local sockets live so that other users on the machine never see them. When no
// such folder can be had, a folder named after the user id inside the temporary folder is made
// with owner-only access. Returns "" only when even that fails.
QString userRuntimeFolder();

// A file-name-safe form of any name: distinct names stay distinct, and nothing in the result can
// leave the folder it is joined to.
QString safeFileName(const QString& name);

} // namespace platform
