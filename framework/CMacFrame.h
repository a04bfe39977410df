#pragma once

#include "CAbstractFrame.h"

// A frame that leaves the decoration to the platform: the inner widget itself becomes the visible
// window and the frame only keeps the close and Esc rules.
class CMacFrame : public CAbstractFrame {
    Q_OBJECT
public:
    CMacFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon = QPixmap(),
              int titleLayout = 0);

    QWidget* GetWindow() override;
    void setupFrame() override;
    void ShowInner();

public slots:
    int exec() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class QEventLoop* m_loop = nullptr;
};
