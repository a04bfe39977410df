// Shows the settings dialog in its child frame with the shipped skin, for a person (or a screenshot) to
// look at:   show_settingview plain|full|unwritable [LANG]
// "full" and "unwritable" show the warning a refused folder leaves under the path field. Settings go to a
// temporary folder that is removed at the end.

#include "ShowSetup.h"
#include "app/MyConfig.h"
#include "dialogs/MySettingView.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    QApplication application(argc, argv);
    const QString state = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("plain");
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");

    SetUpLikeTheProgram(language);
    gConfig = new MyConfig(*gAppData);
    gConfig->SetDownloadPath(QStringLiteral("/home/anna/Documents/Tavik/Mendra/firmware"), false);
    gConfig->SetIsDeleteFile(2);

    auto* view = new MySettingView(nullptr, Qt::FramelessWindowHint);
    view->ShowDownloadPath();
    if (state != QLatin1String("plain")) {
        const bool full = state == QLatin1String("full");
        view->SetFolderChooser(
            [full, folder = home.path()](QWidget*, const QString&, const QString&, QFileDialog::Options) {
                return full ? folder : QStringLiteral("/proc");
            });
        view->SetFreeSpaceQuery([full](const QString&) { return full ? qint64(4096) : qint64(1) << 40; });
    }

    const auto frame = ShowInChildFrame(view, "SETTING_FRAME", QStringLiteral("settingFrame"));
    // Chosen once the frame is up, as a person would: the frame has to follow the dialog as it grows.
    if (state != QLatin1String("plain"))
        QTimer::singleShot(0, view, &MySettingView::SltSelectFile);
    const int result = application.exec();
    delete gConfig;
    gConfig = nullptr;
    return result;
}
