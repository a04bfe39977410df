#include "AppleDriverInstall.h"

#include "CComponentProgressDialog.h"

#include "components/CAppleDriverInstall.h"
#include "framework/ChildFrame.h"
#include "framework/SkinManager.h"

#include <QPixmap>

#include <memory>

bool InstallAppleDrivers(const std::function<void(CAbstractFrame*)>& frameShown) {
    {
        CAppleDriverInstall probe;
        if (!probe.check())
            return false;
    }

    auto dialog = std::make_unique<CComponentProgressDialog>(nullptr, Qt::FramelessWindowHint);
    dialog->setMaximum(100);
    const int side = int(23 * gUiScale);
    const QPixmap icon = SkinManager::Instance()->GetLogoPixmap(LOGO_ICON).scaled(side, side, Qt::KeepAspectRatio,
                                                                                  Qt::SmoothTransformation);
    // With a close button: after a failure the user must be able to go on to the program.
    ChildFrame frame(dialog.get(), nullptr, CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE, icon, 0);
    frame.SetTitleObjectName(QStringLiteral("dlgFrame"));
    frame.setFixedHeight(int(200 * gUiScale));
    // An installer at work cannot be stopped: the frame stays until the worker has ended, so that the
    // screen is never left empty while the program waits for it.
    frame.SetCloseCallback([](void* inner) { return static_cast<CComponentProgressDialog*>(inner)->mayClose(); },
                           dialog.get());
    QObject::connect(dialog.get(), &CComponentProgressDialog::workEnded, &frame, &CAbstractFrame::CloseSlot);
    if (frameShown)
        frameShown(&frame);
    frame.exec();
    if (frameShown)
        frameShown(nullptr);

    // However the frame ended, the worker is done or stopped before anything is read or destroyed (after the
    // close above it has already ended).
    dialog->stopWork();
    return dialog->component()->isInstallFinished();
}
