#pragma once

#include "framework/SkinManager.h"

// Sets the skin's UI scale as a screen of the given width would give it with the program's base
// width of 2560 (1920 wide gives 1.0, 3840 gives 1.5).
inline void SetSkinScaleForScreenWidth(int width) {
    SkinManager::Instance()->SetBaseWidth(2560.0);
    ScreenMetrics screen;
    screen.width = width;
    screen.height = width * 9 / 16;
    screen.dpi = 96.0;
    SkinManager::Instance()->InitScaleFor(screen, &gUiScale, &gFontScale);
}

// Makes the skin that the build draws beside the program the current one; returns the skin status
// (3 when the skin and its logo were found).
inline int InitShippedSkin() {
    SkinManager* skin = SkinManager::Instance();
    const int status =
        skin->Init(0, {QStringLiteral("Style1"), QStringLiteral("Style2")}, SkinLogoKey{"Win", "Tavik", "ml", "Mendra"},
                   qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Skin"));
    skin->SetLogoDoubleResolution(false);
    skin->SetSpriteDoubleResolution(true);
    return status;
}
