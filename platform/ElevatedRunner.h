#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Runs a program with administrator rights. A process that already runs as root starts the
// program directly; any other goes through the system's elevation helper (/usr/bin/pkexec, below
// MENDRA_SYSTEM_ROOT when that is set), which asks the user. The program is named by its path (a
// relative one is made absolute); a bare name is refused, never looked up on the user's PATH.
// Arguments are handed over as a list, never joined into a command line, so blanks and quotes
// inside an argument reach the program unchanged.
class ElevatedRunner {
public:
    // The system's helper and the effective user id.
    ElevatedRunner();
    // The system's elevation helper: its absolute path under the system root.
    static QString systemHelper();
    // For tests: another helper program, and whether to behave as root.
    ElevatedRunner(const QString& helper, bool runningAsRoot);
    // For tests run as root: runners made from here on with the first constructor go through the helper
    // all the same, as for any other user.
    static void setAlwaysThroughHelper(bool always);

    // Starts the program and returns at once; true when it (or the helper asking for rights) has
    // started. Whether the user then grants the rights is not known to the caller.
    bool start(const QString& program, const QStringList& arguments) const;

    // What a run that was waited for ended with.
    struct Outcome {
        // The exit code, or -1 when the program could not be started (a bare name included) or crashed.
        int status = -1;
        // Its last lines of output (standard output and error together), oldest first, without line ends.
        QStringList lastLines;
    };
    // How many lines Outcome::lastLines keeps at most, and how long each may be.
    static constexpr int OutputLines = 5;
    static constexpr int OutputLineBytes = 400;
    // pkexec's exit status when the user dismissed its request for the password, and when the rights were not
    // granted (a wrong password, no authorisation, or the program could not be started).
    static constexpr int HelperDismissedStatus = 126;
    static constexpr int HelperRefusedStatus = 127;

    // Runs the program and waits for it. Its standard input is /dev/null, so a question it asks ends as an
    // end of input instead of waiting for an answer; its output is passed on to this program's standard
    // output as it comes, and its last lines are kept. Blocks: call it from a worker thread.
    Outcome run(const QString& program, const QStringList& arguments) const;
    // run()'s exit status alone.
    int runAndWait(const QString& program, const QStringList& arguments) const;
    // Whether a program goes through the elevation helper (and its exit status may be the helper's own).
    bool throughHelper() const { return !m_runningAsRoot; }

    // The program and arguments actually started for the given request.
    QString launcher(const QString& program) const;
    QStringList launcherArguments(const QString& program, const QStringList& arguments) const;

private:
    QString m_helper;
    bool m_runningAsRoot;
};

} // namespace platform
