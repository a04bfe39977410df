#pragma once

#include "CAbstractComponentInstall.h"

// The device support software: the USB multiplexing daemon, installed from the Debian package built
// for this machine's architecture (see ComponentList and ComponentServer).
class CAppleDriverInstall : public CAbstractComponentInstall {
    Q_OBJECT
public:
    using CAbstractComponentInstall::CAbstractComponentInstall;

    QString name() const override;
    // False when the daemon is present. Otherwise true, with this machine's package queued; when no
    // package can be offered (none for the architecture, no usable server address) nothing is queued
    // and the download step reports the failure.
    bool check() override;
    // Runs the package installer elevated on every verified package and waits for it; true when every
    // run ended with exit status 0. The installer checks each package once more where only root can
    // write, so a file changed after the download's check is not installed. No installer starts once an
    // abort was requested.
    bool install() override;
};
