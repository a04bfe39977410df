// Shows the update dialog in its child frame with the shipped skin, for a person (or a screenshot) to look
// at:   show_updateview checking|available|latest|failed|check [LANG [NEW_VERSION]]
// "check" runs a real update check against MENDRA_UPDATE_SERVER and shows what it finds; the other words
// show that state with made-up values.

#include "FlowViewHost.h"
#include "ShowSetup.h"
#include "dialogs/MyUpdateView.h"
#include "dialogs/UpdateViewHost.h"
#include "update/CRegImpl.h"
#include "update/UpdateFlow.h"
#include "update/UpdateResult.h"
#include "update/UpdateService.h"

#include <QApplication>

namespace {

class ShowHost : public UpdateViewHost {
public:
    void CheckForUpdate() override {}
    void SkipVersion(const QString&) override {}
    QString GetUpdateDescription() override {
        return QStringLiteral("Fixes and improvements:\n"
                              "- Devices in recovery mode are found sooner.\n"
                              "- The firmware download resumes after a lost connection.\n"
                              "- Verbesserte Übersetzungen · traductions améliorées · 改进了翻译 · 翻訳を改善");
    }
    QString GetUpdateDownloadUrl() override { return QStringLiteral("https://dl.tavik.example/mendra.exe"); }
    void OpenDownloadAddress(const QUrl&) override {}
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString state = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("checking");
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");
    const QString newVersion = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("1.1.0.0");

    SetUpLikeTheProgram(language);

    ShowHost host;
    SetUpUpdateService(UpdateService());
    UpdateFlow flow(UpdateService());
    FlowViewHost flowHost(flow);
    auto* view = new MyUpdateView(nullptr, Qt::FramelessWindowHint);
    view->SetHost(&host);
    view->SetNewVersion(newVersion);
    if (state == QLatin1String("available")) {
        view->SetState(UpdateViewState::UpdateAvailable);
    } else if (state == QLatin1String("latest")) {
        view->SetMessage(resultMessage(UpdateResult::NewestInUse));
        view->SetState(UpdateViewState::LatestVersion);
    } else if (state == QLatin1String("failed")) {
        view->SetMessage(resultMessage(UpdateResult::TransferFailed));
        view->SetState(UpdateViewState::CheckFailed);
    } else if (state == QLatin1String("check")) {
        view->SetHost(&flowHost);
        flow.SetUpdateView(view);
        view->SetChecking(true);
        flow.CheckForUpdate(false);
    }

    const auto frame = ShowInChildFrame(view, "UPDATE_FRAME", QStringLiteral("updateFrame"));
    return application.exec();
}
