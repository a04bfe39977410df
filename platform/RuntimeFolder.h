#pragma once

#include <QString>

namespace platform {

// The current user's private runtime folder (XDG_RUNTIME_DIR), where lock files and local sockets live so
// that other users on the machine never see them. Without one (as under sudo), a folder named after the user
// id inside the temporary folder, made 0700 and checked without following a link: one that another account
// made or linked first is passed over for the next name ("-1", "-2", ...), so every instance of this user
// still finds the same folder; when every name is taken, a folder in the user's own home. Returns "" only
// when even that fails.
QString userRuntimeFolder();

// A file-name-safe form of any name: distinct names stay distinct, and nothing in the result can
// leave the folder it is joined to.
QString safeFileName(const QString& name);

} // namespace platform
