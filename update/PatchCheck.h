#pragma once

#include "PatchParams.h"

#include "platform/ElevatedRunner.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class CPatchUpdate;
class MyApplicationData;
class MyConfig;

// The patch check the program runs once per start, shortly after its main window is up: when the patch
// launcher lies in the program folder, the update rules are fetched and evaluated, and the launcher is
// started with administrator rights on the request file. Nothing is shown to the user either way; a check
// that ends without starting the launcher says why in one run-log line.

// Whether the command line (with the program's path first) holds "-v" directly followed by "start", in
// any letter case: the launcher starts the program that way after patching it.
bool PatchCheckSkipped(const QStringList& arguments);

// The check's parameters from the settings and the edition data. WorkDir is a new folder of the user's
// own in the temporary folder, or "" when none could be made.
PatchParams MakePatchParams(const MyConfig& config, const MyApplicationData& edition, const QString& programFolder);

// The check for the program in programFolder, with the process-wide settings and edition data, run by the
// event loop: no step of it waits, whatever dialog is open meanwhile. Without the launcher, or when the
// command line skips the check, nothing is asked of the network. A program running as root runs only a
// launcher that is root's alone (see platform::rootOwnershipFault).
class PatchCheck : public QObject {
    Q_OBJECT
public:
    PatchCheck(const QString& programFolder, const QStringList& arguments, const platform::ElevatedRunner& runner,
               QObject* parent = nullptr);
    ~PatchCheck() override;

    // Starts the check; false when it ends before it starts (then Finished does not follow).
    bool Start();

signals:
    // The check ended; launched when the launcher was started.
    void Finished(bool launched);

private:
    void Checked(bool requestWritten);
    // Logs why not when root must not run the launcher.
    bool RootMayRun(const QString& launcher);
    void Refuse(const QString& why);

    QString m_programFolder;
    QStringList m_arguments;
    platform::ElevatedRunner m_runner;
    QString m_launcher;
    QString m_regName;
    std::unique_ptr<CPatchUpdate> m_update;
};

// The check for this program: its real folder and command line, the system's elevation. The check lives
// with owner (the main window) and goes when it ends.
void CheckPatchUpdateAtStart(QObject* owner);
