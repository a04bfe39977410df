#pragma once

#include <QString>

namespace platform {

// The folder where an installation keeps the files its administrator writes for it (the mail account of
// bug reports), outside the program folder and the user's data: "/etc/mendra".
QString deploymentConfigFolder();

} // namespace platform
