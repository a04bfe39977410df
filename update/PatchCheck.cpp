#include "PatchCheck.h"

#include "CPatchUpdate.h"

#include "app/EditionData.h"
#include "app/FileUtils.h"
#include "app/MyApplicationData.h"
#include "app/MyConfig.h"
#include "app/SystemUtilities.h"
#include "platform/PatchLauncher.h"
#include "platform/ProgramFolder.h"

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

bool CheckPatchUpdateIn(const QString& programFolder, const QStringList& arguments,
                        const platform::ElevatedRunner& runner) {
    if (PatchCheckSkipped(arguments))
        return false;
    const QString launcher = platform::patchLauncherPath(programFolder);
    const QFileInfo launcherFile(launcher);
    if (launcher.isEmpty() || !launcherFile.isFile() || !launcherFile.isExecutable())
        return false;
    if (!gConfig || !gAppData)
        return false;
    const PatchParams params = MakePatchParams(*gConfig, *gAppData, programFolder);
    if (params.WorkDir.isEmpty())
        return false;
    CPatchUpdate update(params);
    if (!update.Run())
        return false;
    return RunElevated(ToNativeSeparators(launcher), {update.GetUpdateListPath(), params.RegName}, runner);
}

void CheckPatchUpdateAtStart() {
    CheckPatchUpdateIn(platform::programFolder(), QCoreApplication::arguments(), platform::ElevatedRunner());
}
