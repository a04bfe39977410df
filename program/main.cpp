#include "CountUrlMode.h"
#include "MyApplication.h"
#include "SignalShutdown.h"
#include "TestControl.h"

#include "app/EditionData.h"
#include "controller/Controller.h"
#include "dialogs/AppleDriverInstall.h"
#include "framework/MendraMessageBox.h"
#include "framework/MyFrame.h"
#include "framework/SkinManager.h"
#include "mainwindow/Mendra.h"
#include "platform/WebEngineSandbox.h"
#include "platform/WindowOpenGl.h"

#include <QIcon>
#include <QPixmap>
#include <QPointer>

namespace {

const CAbstractFrame::FrameTypes kMainFrameTypes =
    CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE | CAbstractFrame::FRAME_MAIN;

void ShowRestartNotice(QWidget* parent) {
    MendraMessageBox box(
        QString(),
        QCoreApplication::translate("MyApplication",
                                    "Component Installed.\n Please restart program and then re-connect device. "),
        QMessageBox::Ok, parent, false, Qt::FramelessWindowHint);
    box.SetButtonText(QMessageBox::Ok, QCoreApplication::translate("MyApplication", "Ok"));
    box.Exec();
}

} // namespace

int main(int argc, char** argv) {
    // The statistics page's web engine runs in a program of its own (HiddenWebPage), which inherits this.
    platform::prepareWebEngineSandbox();
    // Nothing in this process draws with OpenGL any more.
    platform::skipWindowOpenGl();

    LoadEditionData();
    if (CountUrlMode(argc, argv))
        return 0;

    MyApplication application(gAppData->RegName, argc, argv);
    if (application.isRunning()) {
        // The running instance raises its window on the message; this one has nothing more to do.
        application.sendMessage(QString(), 5000);
        return 0;
    }
    TestControl* control = TestControl::CreateFromEnvironment(&application);
    if (!application.Init())
        return 0;

    SkinManager::Instance()->ChangePart(QStringLiteral("title"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/Tavik/Resources/mendra.ico")));

    QPointer<Mendra> mainWindow = new Mendra();
    application.SetMainWindow(mainWindow);
    QObject::connect(&application, &QGuiApplication::lastWindowClosed, &application, &QCoreApplication::quit);

    const int iconSide = int(23.0 * gUiScale);
    const QPixmap titleIcon = SkinManager::Instance()->GetLogoPixmap(LOGO_ICON).scaled(
        iconSide, iconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);

    int result = 0;
    {
        MyFrame frame(mainWindow, nullptr, kMainFrameTypes, titleIcon, 0);
        Controller::Instance()->SetMainFrame(&frame);
        Controller::Instance()->SetTitleLabel(frame.GetTitleBar());
        SkinManager::Instance()->NotifyAllImageUpdate();
        application.setActivationWindow(frame.GetWindow(), true);
        if (control)
            control->SetFrame(&frame);

        // From here on a log-out, shut-down or Ctrl+C ends the program as closing its window does.
        SignalShutdown shutdown(&frame);
        const bool installed = InstallAppleDrivers([&](CAbstractFrame* dialog) {
            // While it is open the install's dialog is the program's window: a second start brings it to the
            // front, and a signal closes it.
            application.setActivationWindow(dialog ? dialog->GetWindow() : frame.GetWindow(), true);
            shutdown.SetStartupFrame(dialog);
        });
        // A signal during the install ends the program before its window is shown.
        if (!shutdown.Requested()) {
            frame.show();
            if (installed)
                ShowRestartNotice(mainWindow);
            ShowStartupUpdatePrompt();

            if (control)
                TestControl::Print("ready");
            // A signal during the notice has ended that box's loop already; the program's own would not hear of it.
            if (!shutdown.Requested())
                result = application.exec();
        }

        // The window's device engine stops its repair thread and lets go of the device library here,
        // while the frame, the settings and the skin it may still reach are alive.
        delete mainWindow;
    }
    application.SetExitResult(result);
    return result;
}
