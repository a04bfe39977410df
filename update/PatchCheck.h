#pragma once

#include "PatchParams.h"

#include "platform/ElevatedRunner.h"

#include <QString>
#include <QStringList>

class MyApplicationData;
class MyConfig;

// The patch check the program runs once per start, shortly after its main window is up: when the patch
// launcher lies in the program folder, the update rules are fetched and evaluated, and the launcher is
// started with administrator rights on the request file. Nothing is shown to the user either way.

// Whether the command line (with the program's path first) holds "-v" directly followed by "start", in
// any letter case: the launcher starts the program that way after patching it.
bool PatchCheckSkipped(const QStringList& arguments);

// The check's parameters from the settings and the edition data. WorkDir is a new folder of the user's
// own in the temporary folder, or "" when none could be made.
PatchParams MakePatchParams(const MyConfig& config, const MyApplicationData& edition, const QString& programFolder);

// The check for the program in programFolder, with the process-wide settings and edition data. Without the
// launcher, or when the command line skips the check, nothing is done and nothing is asked of the network.
// True when the launcher was started.
bool CheckPatchUpdateIn(const QString& programFolder, const QStringList& arguments,
                        const platform::ElevatedRunner& runner);

// The check for this program: its real folder and command line, the system's elevation.
void CheckPatchUpdateAtStart();
