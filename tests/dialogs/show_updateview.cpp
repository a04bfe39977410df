// Shows the update dialog in its child frame with the shipped skin, for a person (or a screenshot) to look
// at:   show_updateview checking|available|latest|failed|check [LANG]
// "check" runs a real update check against MENDRA_UPDATE_SERVER and shows what it finds; the other words
// show that state with made-up values.

#include "FlowViewHost.h"
#include "app/ApplicationFonts.h"
#include "app/EditionData.h"
#include "app/Language.h"
#include "dialogs/MyUpdateView.h"
#include "dialogs/UpdateViewHost.h"
#include "framework/ChildFrame.h"
#include "framework/SkinManager.h"
#include "update/CRegImpl.h"
#include "update/UpdateFlow.h"
#include "update/UpdateResult.h"
#include "update/UpdateService.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

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
    const QString runtime = QStringLiteral(MENDRA_SHOW_RUNTIME_DIR);

    LoadEditionData();
    gAppData->SetLanguage(language);
    // The skin's style sheets name their pictures relative to the program folder.
    QDir::setCurrent(runtime);
    LoadTranslator(language, runtime + QStringLiteral("/Language"), QStringLiteral("Mendra"));
    SkinManager* skin = SkinManager::Instance();
    skin->Init(0, {QStringLiteral("Style1"), QStringLiteral("Style2")}, SkinLogoKey{"Win", "Tavik", "ml", "Mendra"},
               runtime + QStringLiteral("/Skin"));
    skin->SetBaseWidth(2560.0);
    skin->InitScale(&gUiScale, &gFontScale);
    skin->SetLogoDoubleResolution(false);
    skin->SetSpriteDoubleResolution(true);
    skin->LoadStyleSheet();
    SetupApplicationFonts(skin->GetStyleSheet(), language);

    ShowHost host;
    SetUpUpdateService(UpdateService());
    UpdateFlow flow(UpdateService());
    FlowViewHost flowHost(flow);
    auto* view = new MyUpdateView(nullptr, Qt::FramelessWindowHint);
    view->SetHost(&host);
    view->SetNewVersion(QStringLiteral("1.1.0.0"));
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

    const int side = UiScaled(23);
    QPixmap icon = skin->GetLogoPixmap(2);
    if (!icon.isNull())
        icon = icon.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ChildFrame frame(view, nullptr, CAbstractFrame::FRAME_CLOSE, icon, 0);
    frame.setAttribute(Qt::WA_TranslucentBackground);
    frame.setProperty("STYLE_KEY", QStringLiteral("UPDATE_FRAME"));
    frame.SetTitleObjectName(QStringLiteral("updateFrame"));
    frame.show();
    frame.move(application.primaryScreen()->geometry().center() - frame.rect().center());
    return application.exec();
}
