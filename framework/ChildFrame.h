#pragma once

#include "CCommonFrame.h"

// The fixed-width frame the dialogs are shown in, with a light soft shadow where the desktop composites
// and a plain edge where it does not.
class ChildFrame : public CCommonFrame {
    Q_OBJECT
public:
    ChildFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout);
    ~ChildFrame() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void UpdateShadowMargins() override;
};
