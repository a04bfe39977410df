#pragma once

#include <QString>

namespace platform {

// The upper-case word for the operating system this build runs on, as support staff read it in the
// subject of a bug report ("LINUX").
QString systemNameTag();

} // namespace platform
