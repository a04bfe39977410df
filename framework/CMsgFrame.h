#pragma once

#include "CWindowsFrame.h"

// The frame a message box is shown in: application-modal, returns the box's result, and tells the
// box when the user closed the frame itself (title bar, Esc) rather than one of the box's buttons.
class CMsgFrame : public CWindowsFrame {
    Q_OBJECT
public:
    CMsgFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout);
    CMsgFrame(QWidget* inner, FrameTypes types, const QPixmap& titleIcon, int titleLayout);

    bool IsClosedByInner() const { return m_closedByInner; }

signals:
    void CloseSignal();

public slots:
    int exec() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectInner();

    bool m_closedByInner = false;
};
