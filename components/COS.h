#pragma once

#include <QMutex>
#include <QString>

// The process-wide locator of the device support software (the USB multiplexing daemon, see
// platform/SupportSoftwareFolders.h). It looks, in this order, at the program's own settings entry
// "UsbmuxdPath" (the full path of the daemon, for a copy kept elsewhere), then the system's program
// folders and the PATH; every path is read under the system root (platform/SystemRoot.h). The daemon
// counts as present when an executable file of its name is found.
//
// The search runs when the object is made and again on every locateAll(), so that software
// installed while the program runs (by the component install) is seen by the next check. Calls may
// come from any thread.
class COS {
public:
    static COS* Instance();

    // Searches again; true when the daemon was found.
    bool locateAll();
    // The folder that holds the daemon; empty when it was not found.
    QString supportDir() const;
    // The daemon's full path; empty when it was not found.
    QString supportDaemon() const;

    // The settings key of the first lookup.
    static QString SettingsKey();

private:
    COS();
    QString findSupportDaemon() const;

    mutable QMutex m_mutex;
    QString m_daemon;
};
