#pragma once

#include <QString>

// Keys of a skinned widget's state pictures, as named by the state tags of "AllImage.xml".
enum SkinImageState { SKIN_NORMAL = 1, SKIN_ON = 2, SKIN_DOWN = 3, SKIN_DISABLE = 4, SKIN_HOVER = 5 };

// Pieces of the embedded logo sheet.
enum LogoKind {
    LOGO_ICON_SMALL = 0,
    LOGO_ICON_LARGE = 1,
    LOGO_ICON = 2,
    LOGO_EDITION = 3,
    LOGO_BRAND = 4,
    LOGO_LOGO = 5
};

// Layout of a skinned push button: picture beside the text, or picture behind it.
enum BUTTON_TYPE { BUTTON_ICON_TEXT = 0, BUTTON_BACKGROUND = 1 };

// Which logo element of "Logo.xml" belongs to this program, walked level by level.
struct SkinLogoKey {
    QString platform;
    QString brand;
    QString language;
    QString product;
};
