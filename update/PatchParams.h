#pragma once

#include <QNetworkProxy>
#include <QString>

// Everything one patch check needs to know about the installation and the user's settings.
struct PatchParams {
    QString UpdateUrl; // the update rules file
    QString Brand;
    QString RegName;
    QString Version;
    QString ProgramDir; // the program's real folder, ending with a separator
    QString WorkDir;    // a private folder for the downloaded rules, removed after the check
    QString DataDir;    // the per-user data folder, ending with a separator
    QNetworkProxy Proxy;
};
