#include "CAppleDriverInstall.h"

#include "COS.h"
#include "ComponentList.h"
#include "ComponentLog.h"
#include "ComponentServer.h"

#include "app/LogText.h"
#include "app/TextUtils.h"
#include "platform/ElevatedRunner.h"
#include "platform/MachineArchitecture.h"
#include "platform/PackageInstaller.h"

namespace {

// What an installer's exit status says; through the elevation helper two of them are the helper's own.
QString StatusText(const platform::ElevatedRunner& runner, int status) {
    if (status < 0)
        return QStringLiteral("it could not be started or did not end normally");
    if (runner.throughHelper() && status == platform::ElevatedRunner::HelperDismissedStatus)
        return QStringLiteral("exit status %1: the request for administrator rights was dismissed").arg(status);
    if (runner.throughHelper() && status == platform::ElevatedRunner::HelperRefusedStatus)
        return QStringLiteral("exit status %1: administrator rights were not granted").arg(status);
    return QStringLiteral("exit status %1").arg(status);
}

// The installer's last words (apt-get's own among them: a held lock, a broken dependency), as one log line.
QString OutputText(const QStringList& lines) {
    if (lines.isEmpty())
        return QString();
    QStringList shown;
    for (const QString& line : lines)
        shown << LogLineText(line);
    return QStringLiteral("; its last output: ") + shown.join(QStringLiteral(" | "));
}

} // namespace

QString CAppleDriverInstall::name() const {
    return QStringLiteral("usbmuxd");
}

bool CAppleDriverInstall::check() {
    resetQueue();
    COS* os = COS::Instance();
    os->locateAll();
    ComponentLog::Debug(QStringLiteral("Support software folder: ") + os->supportDir());
    if (!os->supportDaemon().isEmpty())
        return false;

    const QString arch = platform::packageArchitecture();
    ComponentLog::Debug(QStringLiteral("systemis:") + arch);
    ComponentPackage package;
    if (!ComponentList::Load().find(arch, &package)) {
        ComponentLog::Critical(QStringLiteral("No %1 package is offered for the architecture %2").arg(name(), arch));
        return true;
    }
    QString why;
    const QUrl url = ComponentServer::PackageUrl(package.file, &why);
    if (url.isEmpty()) {
        ComponentLog::Critical(QStringLiteral("No component server: ") + why);
        return true;
    }
    enqueue(url, package.sha256);
    return true;
}

bool CAppleDriverInstall::install() {
    const int count = packages().size();
    if (count == 0)
        return false;
    const platform::ElevatedRunner runner;
    for (int i = 0; i < count; ++i) {
        const QList<Installable> files = installables(i);
        if (!packages().at(i).verified || files.isEmpty()) {
            ComponentLog::Warning(QStringLiteral("Can not find package file: ") + packageFile(packages().at(i).url));
            return false;
        }
        for (const Installable& file : files) {
            if (isAbortRequested()) {
                ComponentLog::Warning(QStringLiteral("The install was stopped before ") + file.file);
                return false;
            }
            // The installer checks the digest again on its own copy, where this user cannot reach.
            const platform::CommandLine command = platform::packageInstallCommand(file.file, file.sha256);
            ComponentLog::Debug(QStringLiteral("execute command: ") + command.program + QLatin1Char(' ') +
                                command.arguments.join(QLatin1Char(' ')));
            const platform::ElevatedRunner::Outcome run = runner.run(command.program, command.arguments);
            if (run.status == platform::kPackageChangedStatus) {
                ComponentLog::Critical(
                    QStringLiteral("The package changed after it was checked, nothing was installed: ") + file.file);
                return false;
            }
            if (run.status != 0) {
                ComponentLog::Critical(QStringLiteral("Be failed to execute command: %1 %2 (%3)%4")
                                           .arg(command.program, command.arguments.join(QLatin1Char(' ')),
                                                StatusText(runner, run.status), OutputText(run.lastLines)));
                return false;
            }
            setInstalled();
        }
        emit workProgress(i + 1, count);
    }
    return true;
}
