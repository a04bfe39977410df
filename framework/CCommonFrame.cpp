#include "CCommonFrame.h"

CCommonFrame::CCommonFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CWindowsFrame(inner, parent, types, titleIcon, titleLayout) {}

CCommonFrame::CCommonFrame(QWidget* inner, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CWindowsFrame(inner, nullptr, types, titleIcon, titleLayout) {}
