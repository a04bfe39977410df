#pragma once

// What the show programs share: the edition, translations, shipped skin and fonts as the program sets them
// up, and a dialog shown in its child frame in the middle of the screen.

#include "app/EditionData.h"
#include "app/Language.h"
#include "framework/ApplicationFonts.h"
#include "framework/ChildFrame.h"
#include "framework/SkinManager.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

#include <memory>

inline void SetUpLikeTheProgram(const QString& language) {
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
}

// The frame the controller wraps a dialog in, shown in the middle of the primary screen.
inline std::unique_ptr<ChildFrame> ShowInChildFrame(QWidget* view, const char* styleKey,
                                                    const QString& titleObjectName) {
    const int side = UiScaled(23);
    QPixmap icon = SkinManager::Instance()->GetLogoPixmap(2);
    if (!icon.isNull())
        icon = icon.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto frame = std::make_unique<ChildFrame>(view, nullptr, CAbstractFrame::FRAME_CLOSE, icon, 0);
    frame->setProperty("STYLE_KEY", QString::fromLatin1(styleKey));
    frame->SetTitleObjectName(titleObjectName);
    frame->show();
    frame->move(QApplication::primaryScreen()->geometry().center() - frame->rect().center());
    return frame;
}
