#pragma once

#include <QDialog>
#include <QPointer>

// Base of every frameless frame: a dialog that wraps an inner widget (the window the user works
// with), closes on Esc unless it is the main window's frame, may ask a callback before it closes, and
// hands the inner widget back to its own parent when it closes so that the widget outlives the frame.
class CAbstractFrame : public QDialog {
    Q_OBJECT
public:
    enum FrameType {
        FRAME_MIN = 0x1,
        FRAME_MAX = 0x2,
        FRAME_CLOSE = 0x4,
        FRAME_SETTING = 0x10,
        FRAME_HELP = 0x20,
        FRAME_FEEDBACK = 0x80,
        FRAME_INTEL = 0x100,
        FRAME_AMD = 0x200,
        FRAME_NVIDIA = 0x400,
        FRAME_DBLCLICK_MAX = 0x1000,
        FRAME_NO_TITLE = 0x2000,
        FRAME_MAIN = 0x10000000,
    };
    Q_DECLARE_FLAGS(FrameTypes, FrameType)
    Q_FLAG(FrameTypes)

    using CloseCallback = bool (*)(void*);

    CAbstractFrame(QWidget* inner, QWidget* parent, FrameTypes types);
    ~CAbstractFrame() override;

    virtual QWidget* GetWindow();
    virtual void ShowTitleAnimation(bool show);
    virtual void SetVendorButtonsEnabled(bool enabled);
    virtual void SetFrameTypes(FrameTypes types);
    virtual void SelectIntel(bool enabled);
    virtual void SelectAmd(bool enabled);
    virtual void SelectNvidia(bool enabled);
    virtual void Retranslate();
    virtual void UpdateTitleSkin();
    virtual void AdjustToInner();
    virtual void InsertTitleWidgetBeforeTitle(QWidget* widget, int spacing);
    virtual void AddTitleWidget(QWidget* widget, int spacing);
    virtual void InsertTitleWidgetBeforeButtons(QWidget* widget, int spacing);
    virtual void SetDragWidget(QWidget* widget);
    virtual void ReservedHook(quintptr first, quintptr second);
    virtual bool CloseFrame();
    virtual void setupFrame() = 0;

    FrameTypes GetFrameTypes() const { return m_types; }
    QWidget* GetInnerWidget() const { return m_inner; }
    void SetCloseCallback(CloseCallback callback, void* argument);

signals:
    void DiscOut(QString letter);
    void Option(CAbstractFrame::FrameTypes type);
    void DisplayChanged(int width, int height);

public slots:
    void CloseSlot();
    // Esc and every other reject path go through the close handling, so that the close callback is
    // asked and the inner widget is handed back; the main window's frame ignores them.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    bool IsMainFrame() const { return m_types.testFlag(FRAME_MAIN); }
    bool HandBackInner();

    QWidget* m_parent;
    QPointer<QWidget> m_inner;
    QPointer<QWidget> m_dragWidget;
    FrameTypes m_types;
    CloseCallback m_closeCallback = nullptr;
    void* m_closeCallbackArgument = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CAbstractFrame::FrameTypes)
Q_DECLARE_METATYPE(CAbstractFrame::FrameTypes)
