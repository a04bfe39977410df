// Texts handed out through the C interface must outlive any report or device: they are kept once each for
// the life of the library.
#pragma once

#include <string>

namespace mr {

const char* keepText(const std::string& text);

// file://-safe form of a local path (everything outside the unreserved set and '/' percent-encoded).
std::string percentEncodePath(const std::string& path);

// The last piece of a URL split at '/', as the program derives the package's file name.
std::string lastUrlPiece(const std::string& url);

} // namespace mr
