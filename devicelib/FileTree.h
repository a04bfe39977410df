// Folder work relative to an open folder: nothing here follows a link, so what another account does to the
// names around that folder cannot lead a write or a removal anywhere else.
#pragma once

#include <string>

namespace mr {

// Creates the user's own folder and its parents by name (the download folder may well lie behind a link).
bool makePath(const std::string& path);

// Opens the folder at the relative path below folder, creating what is missing; -1 with errno set when a
// piece is a link, a file, or cannot be made.
int openSubfolder(int folder, const std::string& relative);

// Removes everything inside the folder; links are removed, never followed.
void removeContents(int folder);

} // namespace mr
