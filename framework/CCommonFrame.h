#pragma once

#include "CWindowsFrame.h"

// The frame of the main window and of the dialogs; it adds nothing to the frameless frame, so that
// both have one common base to grow on.
class CCommonFrame : public CWindowsFrame {
    Q_OBJECT
public:
    CCommonFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout);
    CCommonFrame(QWidget* inner, FrameTypes types, const QPixmap& titleIcon, int titleLayout);
};
