#include "ElevatedRunner.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {

namespace {

// pkexec refuses relative program names, and the user's PATH is not searched on the other side.
QString absoluteProgram(const QString& program) {
    if (program.contains(QLatin1Char('/')))
        return QFileInfo(program).absoluteFilePath();
    const QString found = QStandardPaths::findExecutable(program);
    return found.isEmpty() ? program : found;
}

} // namespace

ElevatedRunner::ElevatedRunner() : ElevatedRunner(QStringLiteral("pkexec"), ::geteuid() == 0) {}

ElevatedRunner::ElevatedRunner(const QString& helper, bool runningAsRoot)
    : m_helper(helper), m_runningAsRoot(runningAsRoot) {}

QString ElevatedRunner::launcher(const QString& program) const {
    return m_runningAsRoot ? program : m_helper;
}

QStringList ElevatedRunner::launcherArguments(const QString& program, const QStringList& arguments) const {
    if (m_runningAsRoot)
        return arguments;
    return QStringList{absoluteProgram(program)} + arguments;
}

bool ElevatedRunner::start(const QString& program, const QStringList& arguments) const {
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(launcher(program), launcherArguments(program, arguments));
}

int ElevatedRunner::runAndWait(const QString& program, const QStringList& arguments) const {
    if (program.isEmpty())
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
