#include "PatchCheck.h"

#include "CPatchUpdate.h"
#include "app/LogText.h"

#include "app/EditionData.h"
#include "app/FileUtils.h"
#include "app/MyApplicationData.h"
#include "app/MyConfig.h"
#include "app/SystemUtilities.h"
#include "platform/PatchLauncher.h"
#include "platform/ProgramFolder.h"
#include "platform/RootOwnership.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// A dated name alone could be taken by anyone else on the machine first; the rules must not be read from
// a folder someone else controls.
QString MakeWorkFolder() {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hh_mm_ss"));
    QTemporaryDir folder(QDir::tempPath() + QLatin1Char('/') + stamp + QStringLiteral("_XXXXXX"));
    if (!folder.isValid())
        return QString();
    folder.setAutoRemove(false);
    return ToNativeSeparators(folder.path());
}

} // namespace

bool PatchCheckSkipped(const QStringList& arguments) {
    if (arguments.size() < 3)
        return false;
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i).compare(QLatin1String("-v"), Qt::CaseInsensitive) == 0 &&
            arguments.at(i + 1).compare(QLatin1String("start"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

PatchParams MakePatchParams(const MyConfig& config, const MyApplicationData& edition, const QString& programFolder) {
    PatchParams params;
    params.UpdateUrl = config.GetUpdateUrl();
    params.Brand = edition.Brand;
    params.RegName = edition.RegName;
    params.Version = edition.Version;
    params.ProgramDir = WithTrailingSeparator(programFolder);
    params.WorkDir = MakeWorkFolder();
    params.DataDir = config.GetDataDir();
    params.Proxy = ApplyConfigProxy(config);
    return params;
}

PatchCheck::PatchCheck(const QString& programFolder, const QStringList& arguments,
                       const platform::ElevatedRunner& runner, QObject* parent)
    : QObject(parent), m_programFolder(programFolder), m_arguments(arguments), m_runner(runner) {}

PatchCheck::~PatchCheck() = default;

bool PatchCheck::Start() {
    if (PatchCheckSkipped(m_arguments))
        return false;
    const QString launcher = platform::patchLauncherPath(m_programFolder);
    const QFileInfo launcherFile(launcher);
    if (launcher.isEmpty() || !launcherFile.isFile() || !launcherFile.isExecutable()) {
        Refuse(QStringLiteral("no launcher at %1").arg(QuotedLogLineText(launcher)));
        return false;
    }
    m_launcher = launcher;
    // Root runs the launcher as it finds it now: by its real path, so that no link on the way can be turned
    // elsewhere before it starts, and only when no other account can have written it or its folders.
    if (platform::runningAsRoot()) {
        if (!RootMayRun(launcher))
            return false;
        m_launcher = launcherFile.canonicalFilePath();
    }
    if (!gConfig || !gAppData) {
        Refuse(QStringLiteral("no settings"));
        return false;
    }
    const PatchParams params = MakePatchParams(*gConfig, *gAppData, m_programFolder);
    if (params.WorkDir.isEmpty()) {
        Refuse(QStringLiteral("no work folder can be made in %1").arg(QuotedLogLineText(QDir::tempPath())));
        return false;
    }
    m_regName = params.RegName;
    m_update = std::make_unique<CPatchUpdate>(params);
    connect(m_update.get(), &CPatchUpdate::Finished, this, &PatchCheck::Checked);
    m_update->Start();
    return true;
}

void PatchCheck::Checked(bool requestWritten) {
    // Whatever ended the check without a request has said why.
    if (!requestWritten) {
        emit Finished(false);
        return;
    }
    // Only root can have changed it meanwhile; still, it is the launcher as it is now that runs.
    if (platform::runningAsRoot() && !RootMayRun(m_launcher)) {
        emit Finished(false);
        return;
    }
    if (!RunElevated(ToNativeSeparators(m_launcher), {m_update->GetUpdateListPath(), m_regName}, m_runner)) {
        Refuse(QStringLiteral("the launcher %1 did not start").arg(QuotedLogLineText(m_launcher)));
        emit Finished(false);
        return;
    }
    emit Finished(true);
}

bool PatchCheck::RootMayRun(const QString& launcher) {
    const QString fault = platform::rootOwnershipFault(launcher);
    if (fault.isEmpty())
        return true;
    Refuse(QStringLiteral("the launcher is not root's alone: %1").arg(LogLineText(fault)));
    return false;
}

void PatchCheck::Refuse(const QString& why) {
    CPatchUpdate::WriteRunLogLine(why);
}

void CheckPatchUpdateAtStart(QObject* owner) {
    auto* check =
        new PatchCheck(platform::programFolder(), QCoreApplication::arguments(), platform::ElevatedRunner(), owner);
    QObject::connect(check, &PatchCheck::Finished, check, &QObject::deleteLater);
    if (!check->Start())
        delete check;
}

// Here rather than with the folder's other meta-objects: those are linked into everything that uses any class of
// the folder, and this one would bring the elevation and, through it, the desktop's libraries along.
#include "moc_PatchCheck.cpp"
