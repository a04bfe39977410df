// Shows one of the framework's frames with the shipped skin, for a person (or a screenshot) to look at:
//   show_frames message|menu [LANG]
// "message" is a message box in its frame; "menu" is a main frame with its program menu and the language
// submenu dropped down. Settings go to a temporary folder that is removed at the end.

#include "../dialogs/ShowSetup.h"
#include "app/MyConfig.h"
#include "framework/MendraMessageBox.h"
#include "framework/MyFrame.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

namespace {
// The question that closing the program asks during a firmware download.
int ShowMessage() {
    MendraMessageBox box(
        QString(),
        QCoreApplication::translate("QObject", "Downloading/Verifying Firmware package...\nAre you sure to exit?"),
        QMessageBox::Ok | QMessageBox::No);
    box.SetButtonText(QMessageBox::Ok, QCoreApplication::translate("Controller", "Yes"));
    box.SetButtonText(QMessageBox::No, QCoreApplication::translate("Controller", "No"));
    box.Exec();
    return 0;
}

int ShowMenu(QApplication& application) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("MendraClass"));
    page->setAttribute(Qt::WA_StyledBackground);
    page->resize(UiScaled(900.0), UiScaled(560.0));
    page->setWindowTitle(QStringLiteral("Tavik Mendra"));
    MyFrame frame(page, nullptr, CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE,
                  QPixmap(), 0);
    frame.show();
    frame.move(QApplication::primaryScreen()->geometry().center() - frame.rect().center());
    // Once the menu runs, its first entry (the language submenu) is made the active one, which drops it down.
    QTimer::singleShot(300, &frame, [&frame]() {
        QTimer::singleShot(300, frame.GetMenu(),
                           [&frame]() { frame.GetMenu()->setActiveAction(frame.GetLanguageMenu()->menuAction()); });
        frame.SltShowSettingsMenu();
    });
    return application.exec();
}
} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    QApplication application(argc, argv);
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("message");
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");

    SetUpLikeTheProgram(language);
    gConfig = new MyConfig(*gAppData);
    gConfig->SetLanguage(language, false);
    const int result = what == QLatin1String("menu") ? ShowMenu(application) : ShowMessage();
    delete gConfig;
    gConfig = nullptr;
    return result;
}
