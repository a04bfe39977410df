#include "MyApplication.h"

#include "app/EditionData.h"
#include "app/Language.h"
#include "app/MyConfig.h"
#include "app/SystemUtilities.h"
#include "framework/ApplicationFonts.h"
#include "framework/SkinManager.h"
#include "platform/ExitDeadline.h"

#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextCodec>

const QStringList gSkinStyles = QStringLiteral("Style1,Style2").split(QLatin1Char(','));

int GetSkinIndex() {
    return 0;
}

namespace {

void ShowStartupFailure(const QString& text) {
    QMessageBox::information(nullptr, QString(), text, QMessageBox::Ok, QMessageBox::NoButton);
}

SkinLogoKey MakeSkinLogoKey() {
    SkinLogoKey key;
    key.platform = GetPlatformName();
    key.brand = gAppData->Brand;
    // Editions in several languages share one logo.
    key.language = gAppData->Languages.size() > 1 ? QStringLiteral("ml") : gAppData->Language;
    key.product = gAppData->Product;
    return key;
}

} // namespace

MyApplication::MyApplication(const QString& id, int& argc, char** argv)
    : platform::SingleInstanceApplication(id, argc, argv) {}

MyApplication::~MyApplication() {
    // The settings are saved by their destructor, so they go before anything they might read.
    delete gConfig;
    gConfig = nullptr;
    if (gAppData)
        ReleaseNamedMutex(gAppData->RegName);
    FreeEditionData();
    // What is left waits for name lookups that nothing can stop, and the user has closed the window.
    platform::endProcessWithin(ExitDeadlineMs, m_exitResult);
}

bool MyApplication::Init() {
    if (!gAppData || gAppData->RegName.isEmpty()) {
        ShowStartupFailure(tr("Initiating failed!"));
        return false;
    }
    CreateNamedMutex(gAppData->RegName);
    // The skin's style sheets name their pictures relative to the program folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    delete gConfig;
    gConfig = new MyConfig();

    if (QTextCodec* codec = QTextCodec::codecForLocale())
        QTextCodec::setCodecForLocale(codec);

    gAppData->SetLanguage(gConfig->GetLanguage());
    LoadTranslator(gAppData->Language, gConfig->GetProgramDir() + QStringLiteral("Language"), QStringLiteral("Mendra"));

    SkinManager* skin = SkinManager::Instance();
    // The decoded sprite sheet is kept between starts in the user's cache folder.
    skin->SetSheetCacheFolder(QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                                              QLatin1Char('/') + QDir::fromNativeSeparators(gAppData->DataSubDir) +
                                              QStringLiteral("/Skin")));
    const int status = skin->Init(GetSkinIndex(), gSkinStyles, MakeSkinLogoKey(), QString());
    if (status == SkinManager::StatusFailed) {
        ShowStartupFailure(tr("Skin initialization failed!"));
        return false;
    }
    if (status & SkinManager::StatusNoLogo)
        ShowStartupFailure(tr("Partial skin files initialing failed!"));

    skin->SetBaseWidth(2560.0);
    skin->InitScale(&gUiScale, &gFontScale);
    skin->SetLogoDoubleResolution(false);
    skin->SetSpriteDoubleResolution(true);
    skin->LoadStyleSheet();

    SetupApplicationFonts(skin->GetStyleSheet(), gAppData->Language);
    return true;
}

void MyApplication::SetMainWindow(QWidget* window) {
    m_mainWindow = window;
}
