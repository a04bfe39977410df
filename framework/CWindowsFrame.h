#pragma once

#include "CAbstractFrame.h"

#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QWindow>

class TitleBar;
class QScreen;
class QMouseEvent;
class QWindow;

// The frameless frame every window of the program is shown in: skinned shadow, own title bar,
// dragging by the title bar, a 4-pixel resize border, maximise and restore within the work area.
// Moving and resizing are handed to the window manager where it takes them, and done by hand where
// it refuses (no window manager, or one without the move/resize protocol).
class CWindowsFrame : public CAbstractFrame {
    Q_OBJECT
public:
    CWindowsFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout);

    void ShowTitleAnimation(bool show) override;
    void SetVendorButtonsEnabled(bool enabled) override;
    void SetFrameTypes(FrameTypes types) override;
    void SelectIntel(bool enabled) override;
    void SelectAmd(bool enabled) override;
    void SelectNvidia(bool enabled) override;
    void Retranslate() override;
    void UpdateTitleSkin() override;
    void AdjustToInner() override;
    void InsertTitleWidgetBeforeTitle(QWidget* widget, int spacing) override;
    void AddTitleWidget(QWidget* widget, int spacing) override;
    void InsertTitleWidgetBeforeButtons(QWidget* widget, int spacing) override;
    void SetDragWidget(QWidget* widget) override;
    void setupFrame() override;

    TitleBar* GetTitleBar() const { return m_titleBar; }
    void SetTitleText(const QString& text);
    void SetTitleObjectName(const QString& name);
    void SetTitleHeight(int height);
    void SetTitleButtonSize(int width, int height);
    bool IsMaximized() const { return m_maximized; }
    void SetDoubleClickMaximize(bool on);
    QRect NormalGeometry() const { return m_normalGeometry; }

    // What lies under a point in frame coordinates: a resize border, the caption (where the window
    // can be dragged) or client area.
    int NativeHitTest(const QPoint& point) const;
    // A volume was removed (unit mask of drive bits, volume flags); the main window's frame reports
    // its drive letter through DiscOut.
    void NotifyVolumeRemoved(quint32 unitMask, quint16 volumeFlags);

    // The screen the frame is on: the one under its centre, else its window's, else the primary.
    QScreen* FrameScreen() const;

    // Whether a compositor drew the frame's screen when the frame was made: only then can the frame's
    // edge be translucent and show the desktop behind it.
    bool ScreenComposites() const { return m_screenComposites; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The inner dialog hid itself while the frame shows it, as a dialog does when it ends.
    bool InnerHidItself(const QEvent* event) const;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The frame is about to show, or moved, or changed its size: a frame with a shadow ring sets its margins
    // for it here, never while it paints (a layout changed by a paint makes Qt's X11 backing store put its
    // picture before it has a graphics context, and the X server answers BadGC).
    virtual void UpdateShadowMargins() {}
    // Whether the frame covers exactly the screen's work area, as a maximised one does.
    bool FillsWorkArea(const QScreen* screen) const;

    void CreateTitleBar();
    void BuildFrameLayout();
    void ApplyTitleButtons();
    void ConnectTitleButtons();
    void PlaceFrame();

private slots:
    void ChangeSkinSlot();
    void ShowMaxRestore();
    void workAreaResizedSlot(int screen);
    void TitleButtonSlot();

private:
    bool TitleBarEvent(QEvent* event);
    bool WindowEvent(QEvent* event);
    void StartMove(const QPoint& globalPos);
    void StartResize(Qt::Edges edges, const QPoint& globalPos);
    Qt::Edges DraggableEdges(int code) const;
    void UpdateBorderCursor(int code);
    void ConnectScreen(QScreen* screen);
    void SetItemVisible(QWidget* item, bool visible);
    void HideAllTitleItems();
    void SelectVendor(FrameType vendor, bool enabled);

    TitleBar* m_titleBar = nullptr;
    QPixmap m_shadow;
    QString m_shadowPath; // of the shadow picture until it is read
    bool m_doubleClickMaximize = false;
    QPoint m_dragOffset;
    bool m_dragging = false;
    QRect m_normalGeometry;
    bool m_maximized = false;
    QPixmap m_titleIcon;
    int m_titleLayout;
    bool m_screenComposites = false;

    // Moves and resizes done by hand when the window manager refuses them.
    enum class WindowOperation { None, Move, Resize };
    WindowOperation m_windowOperation = WindowOperation::None;
    Qt::Edges m_resizeEdges;
    QRect m_resizeStart;
    QPoint m_pressGlobal;
    Qt::Edges m_cursorEdges;
    QPointer<QWindow> m_filteredWindow;
    // Where the set-up placed the frame, to centre it again at its first show when its size changed
    // in between (the title bar's height, a fixed width) and nobody moved it.
    QRect m_placedGeometry;
};
