#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The device support software: the USB multiplexing daemon through which this system talks to the
// devices, and the folders where an installed copy is found.

// The daemon's executable name: "usbmuxd".
QString supportDaemonName();
// The folders searched for it, in order and already under the system root (SystemRoot.h): the system's
// own program folders /usr/sbin and /usr/local/sbin, then every folder of the PATH. With a system root
// set, the PATH is left out: it describes this machine, not the root.
QStringList supportSoftwareFolders();

} // namespace platform
