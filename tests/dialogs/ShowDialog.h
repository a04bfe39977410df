#pragma once

// What the dialog show programs (show_*.cpp) share: the program's set-up before a dialog opens, and the
// child frame the program opens it in.

#include "app/ApplicationFonts.h"
#include "app/EditionData.h"
#include "app/Language.h"
#include "framework/ChildFrame.h"
#include "framework/SkinManager.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

#include <memory>

// Edition data and translations in the language, the shipped skin at this screen's scale, the fonts.
inline void SetUpForShowing(const QString& language, const QString& runtime) {
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
}

// The dialog in a child frame with a close button and the product icon, centred on the screen.
inline std::unique_ptr<ChildFrame> ShowInChildFrame(QWidget* view, const char* styleKey, const QString& titleObjectName,
                                                    Qt::AspectRatioMode iconAspect) {
    const int side = UiScaled(23);
    QPixmap icon = SkinManager::Instance()->GetLogoPixmap(2);
    if (!icon.isNull())
        icon = icon.scaled(side, side, iconAspect, Qt::SmoothTransformation);
    auto frame = std::make_unique<ChildFrame>(view, nullptr, CAbstractFrame::FRAME_CLOSE, icon, 0);
    frame->setAttribute(Qt::WA_TranslucentBackground);
    frame->setProperty("STYLE_KEY", QLatin1String(styleKey));
    frame->SetTitleObjectName(titleObjectName);
    frame->show();
    frame->move(QApplication::primaryScreen()->geometry().center() - frame->rect().center());
    return frame;
}
