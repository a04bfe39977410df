#pragma once

#include <QList>
#include <QString>

// One of the program's files that the patch launcher is to replace.
struct PatchFileInfo {
    QString url;   // where the launcher fetches the replacement
    QString path;  // the installed file, inside the program folder
    QString value; // the version or MD5 digest the rule asks for
    QString type;  // "Version" or "MD5"
};

using PatchFileList = QList<PatchFileInfo>;
