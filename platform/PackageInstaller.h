#pragma once

#include "CommandLine.h"

#include <QByteArray>

namespace platform {

// What installs one downloaded package file: the program's own small installer, mendra-install-package,
// which must run with administrator rights (ElevatedRunner.h). It copies the file into a fresh folder that
// only root can write, checks the copy against the SHA-256 given, and only then runs the system's
// "/usr/bin/apt-get install -y" on that copy (below MENDRA_SYSTEM_ROOT when that is set), which also brings
// in what the package depends on; apt-get asks nothing (DEBIAN_FRONTEND=noninteractive, its input from
// /dev/null), whatever environment the elevation helper left. Its exit status is 0 when the package was installed,
// kPackageChangedStatus when the file was not the one pinned (nothing installed), otherwise apt-get's or
// another refusal's.
//
// The file is handed over with its absolute path, as the elevation helper starts the installer in another
// folder.
CommandLine packageInstallCommand(const QString& packageFile, const QByteArray& sha256);
// The installer's exit status when the file it copied was not the one pinned.
constexpr int kPackageChangedStatus = 65;

// The installer program: mendra-install-package in the program's folder unless set (tests name the one they
// built). Set it before any install starts.
QString packageInstallProgram();
void setPackageInstallProgram(const QString& path);

} // namespace platform
