#include "ElevatedRunner.h"

#include "SystemRoot.h"

#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

namespace platform {

namespace {

// What is started with administrator rights is named by its path: a bare name would be looked up on the
// user's PATH, where anything the user runs can put a program of that name. pkexec also refuses relative
// names, and starts the program in another folder.
QString absoluteProgram(const QString& program) {
    if (!program.contains(QLatin1Char('/')))
        return QString();
    return QFileInfo(program).absoluteFilePath();
}

} // namespace

QString ElevatedRunner::systemHelper() {
    return underSystemRoot(QStringLiteral("/usr/bin/pkexec"));
}

ElevatedRunner::ElevatedRunner() : ElevatedRunner(systemHelper(), ::geteuid() == 0) {}

ElevatedRunner::ElevatedRunner(const QString& helper, bool runningAsRoot)
    : m_helper(helper), m_runningAsRoot(runningAsRoot) {}

QString ElevatedRunner::launcher(const QString& program) const {
    return m_runningAsRoot ? absoluteProgram(program) : m_helper;
}

QStringList ElevatedRunner::launcherArguments(const QString& program, const QStringList& arguments) const {
    if (m_runningAsRoot)
        return arguments;
    return QStringList{absoluteProgram(program)} + arguments;
}

bool ElevatedRunner::start(const QString& program, const QStringList& arguments) const {
    if (absoluteProgram(program).isEmpty())
        return false;
    return QProcess::startDetached(launcher(program), launcherArguments(program, arguments));
}

int ElevatedRunner::runAndWait(const QString& program, const QStringList& arguments) const {
    if (absoluteProgram(program).isEmpty())
        return -1;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(launcher(program), launcherArguments(program, arguments));
    if (!process.waitForStarted(-1))
        return -1;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

} // namespace platform
