#include "CAppleDriverInstall.h"

#include "COS.h"
#include "ComponentList.h"
#include "ComponentLog.h"
#include "ComponentServer.h"

#include "platform/ElevatedRunner.h"
#include "platform/MachineArchitecture.h"
#include "platform/PackageInstaller.h"

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
            const int status = runner.runAndWait(command.program, command.arguments);
            if (status == platform::kPackageChangedStatus) {
                ComponentLog::Critical(
                    QStringLiteral("The package changed after it was checked, nothing was installed: ") + file.file);
                return false;
            }
            if (status != 0) {
                ComponentLog::Critical(QStringLiteral("Be failed to execute command: %1 %2 (exit status %3)")
                                           .arg(command.program, command.arguments.join(QLatin1Char(' ')))
                                           .arg(status));
                return false;
            }
            setInstalled();
        }
        emit workProgress(i + 1, count);
    }
    return true;
}
