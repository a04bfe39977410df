#include "CWindowsFrame.h"

#include "FrameGeometry.h"
#include "FrameShadow.h"
#include "InnerWidgetItem.h"
#include "MyButton.h"
#include "SkinManager.h"
#include "TitleBar.h"
#include "VolumeNotice.h"

#include "platform/ScreenCompositing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace {
bool IsMouseEvent(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

// Without a system menu a double-click on the title bar is the frame's own (maximise and restore).
Qt::WindowFlags FrameWindowFlags(bool doubleClickMaximizes) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowMinMaxButtonsHint;
    if (!doubleClickMaximizes)
        flags |= Qt::WindowSystemMenuHint;
    return flags;
}

bool OnlyLeftButton(const QMouseEvent* event) {
    return event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton;
}
} // namespace

CWindowsFrame::CWindowsFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon,
                             int titleLayout)
    : CAbstractFrame(inner, parent, types), m_titleIcon(titleIcon), m_titleLayout(titleLayout) {
    CWindowsFrame::setupFrame();
    // A maximised frame follows its work area when a panel appears, moves or goes away; a change of
    // the display's size is reported to the frame's owner.
    for (QScreen* screen : QGuiApplication::screens())
        ConnectScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, &CWindowsFrame::ConnectScreen);
}

void CWindowsFrame::ConnectScreen(QScreen* screen) {
    connect(screen, &QScreen::availableGeometryChanged, this,
            [this, screen]() { workAreaResizedSlot(QGuiApplication::screens().indexOf(screen)); });
    connect(screen, &QScreen::geometryChanged, this, [this, screen](const QRect& geometry) {
        if (screen == FrameScreen())
            emit DisplayChanged(geometry.width(), geometry.height());
    });
}

void CWindowsFrame::setupFrame() {
    m_titleBar = nullptr;
    m_maximized = false;
    m_doubleClickMaximize = m_types.testFlag(FRAME_DBLCLICK_MAX);
    m_dragging = false;

    if (m_inner) {
        resize(m_inner->size());
        setWindowTitle(m_inner->windowTitle());
    }

    setWindowFlags(FrameWindowFlags(m_doubleClickMaximize));

    // The shadow picture is read when it is first painted: the frames that paint their own shadow never need it.
    m_shadowPath = SkinManager::Instance()->GetSkinFolder() + QStringLiteral("SplashScreen/main_shadow.png");

    CreateTitleBar();
    BuildFrameLayout();
    ApplyTitleButtons();
    ConnectTitleButtons();
    PlaceFrame();
    m_screenComposites = platform::screenComposites(FrameScreen());

    if (m_inner)
        m_inner->setFocus();
}

void CWindowsFrame::CreateTitleBar() {
    m_titleBar = new TitleBar(m_titleLayout, this);
    m_titleBar->setTitleText(windowTitle());
    m_titleBar->setTitleIcon(m_titleIcon);
    m_titleBar->installEventFilter(this);
}

void CWindowsFrame::BuildFrameLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    if (m_types.testFlag(FRAME_NO_TITLE))
        m_titleBar->hide();
    else
        layout->addWidget(m_titleBar);
    if (m_inner) {
        // addWidget makes the inner widget the frame's child; its plain item then gives way to one
        // that fills the frame or centres a widget that cannot grow.
        layout->addWidget(m_inner);
        delete layout->takeAt(layout->indexOf(m_inner));
        layout->addItem(new InnerWidgetItem(m_inner));
    }
}

void CWindowsFrame::SetItemVisible(QWidget* item, bool visible) {
    item->setVisible(visible);
}

void CWindowsFrame::HideAllTitleItems() {
    for (MyButton* button : m_titleBar->Buttons())
        SetItemVisible(button, false);
    SetItemVisible(m_titleBar->FirstSeparator(), false);
    SetItemVisible(m_titleBar->SecondSeparator(), false);
}

void CWindowsFrame::ApplyTitleButtons() {
    if (!m_titleBar)
        return;
    HideAllTitleItems();
    if (m_types.testFlag(FRAME_MIN))
        SetItemVisible(m_titleBar->MinimizeButton(), true);
    if (m_types.testFlag(FRAME_MAX)) {
        SetItemVisible(m_titleBar->MaximizeButton(), !m_maximized);
        SetItemVisible(m_titleBar->RestoreButton(), m_maximized);
    }
    if (m_types.testFlag(FRAME_CLOSE))
        SetItemVisible(m_titleBar->CloseButton(), true);
    const struct {
        FrameType type;
        QWidget* button;
        QWidget* separator;
    } items[] = {
        {FRAME_SETTING, m_titleBar->SettingButton(), m_titleBar->FirstSeparator()},
        {FRAME_HELP, m_titleBar->HelpButton(), m_titleBar->FirstSeparator()},
        {FRAME_FEEDBACK, m_titleBar->FeedbackButton(), m_titleBar->SecondSeparator()},
        {FRAME_INTEL, m_titleBar->IntelButton(), m_titleBar->SecondSeparator()},
        {FRAME_AMD, m_titleBar->AmdButton(), m_titleBar->SecondSeparator()},
        {FRAME_NVIDIA, m_titleBar->NvidiaButton(), m_titleBar->SecondSeparator()},
    };
    for (const auto& item : items) {
        if (m_types.testFlag(item.type)) {
            SetItemVisible(item.button, true);
            SetItemVisible(item.separator, true);
        }
    }
}

void CWindowsFrame::ConnectTitleButtons() {
    if (!m_titleBar)
        return;
    connect(m_titleBar->SettingButton(), &QAbstractButton::clicked, this, &CWindowsFrame::TitleButtonSlot);
    connect(m_titleBar->HelpButton(), &QAbstractButton::clicked, this, &CWindowsFrame::TitleButtonSlot);
    connect(m_titleBar->FeedbackButton(), &QAbstractButton::clicked, this, &CWindowsFrame::TitleButtonSlot);
    connect(m_titleBar->CloseButton(), &QAbstractButton::clicked, this, &CAbstractFrame::CloseSlot);
    connect(m_titleBar->MinimizeButton(), &QAbstractButton::clicked, this, &QWidget::showMinimized);
    connect(m_titleBar->MaximizeButton(), &QAbstractButton::clicked, this, &CWindowsFrame::ShowMaxRestore);
    connect(m_titleBar->RestoreButton(), &QAbstractButton::clicked, this, &CWindowsFrame::ShowMaxRestore);
}

QScreen* CWindowsFrame::FrameScreen() const {
    if (QScreen* screen = QGuiApplication::screenAt(frameGeometry().center()))
        return screen;
    if (windowHandle() && windowHandle()->screen())
        return windowHandle()->screen();
    return QGuiApplication::primaryScreen();
}

void CWindowsFrame::PlaceFrame() {
    // Centred on the parent (or on the primary screen's work area), then kept inside the work area of
    // the screen it lands on, so that the title bar is never out of reach.
    QScreen* screen = nullptr;
    QPoint topLeft;
    if (m_parent) {
        const QRect parentRect(m_parent->mapToGlobal(QPoint(0, 0)), m_parent->size());
        topLeft = CentredTopLeft(parentRect, size());
        screen = QGuiApplication::screenAt(parentRect.center());
        if (!screen)
            screen = m_parent->screen();
    } else {
        screen = QGuiApplication::primaryScreen();
        if (screen)
            topLeft = CentredTopLeft(screen->availableGeometry(), size());
    }
    if (screen)
        topLeft = KeepInsideArea(QRect(topLeft, size()), screen->availableGeometry());
    move(topLeft);
    m_placedGeometry = QRect(topLeft, size());
}

void CWindowsFrame::showEvent(QShowEvent* event) {
    UpdateShadowMargins();
    if (m_titleBar && m_inner)
        m_titleBar->setPalette(m_inner->palette());
    // Hit testing and the resize border work on the native window's events, before any child widget
    // sees them; the window is made anew when the window flags change.
    if (windowHandle() && windowHandle() != m_filteredWindow) {
        m_filteredWindow = windowHandle();
        m_filteredWindow->installEventFilter(this);
    }
    if (!m_maximized && !m_placedGeometry.isNull()) {
        if (pos() == m_placedGeometry.topLeft() && size() != m_placedGeometry.size())
            PlaceFrame();
        m_placedGeometry = QRect(); // only the first show follows the set-up's placement
    }
    if (!m_maximized) {
        if (QScreen* screen = FrameScreen())
            move(KeepInsideArea(geometry(), screen->availableGeometry()));
    }
    CAbstractFrame::showEvent(event);
}

void CWindowsFrame::moveEvent(QMoveEvent* event) {
    CAbstractFrame::moveEvent(event);
    UpdateShadowMargins();
}

void CWindowsFrame::resizeEvent(QResizeEvent* event) {
    CAbstractFrame::resizeEvent(event);
    UpdateShadowMargins();
}

bool CWindowsFrame::FillsWorkArea(const QScreen* screen) const {
    return screen && frameGeometry() == screen->availableGeometry();
}

bool CWindowsFrame::InnerHidItself(const QEvent* event) const {
    return event->type() == QEvent::Hide && qobject_cast<QDialog*>(m_inner.data()) && m_inner->isHidden() &&
           m_inner->parentWidget() == this && isVisible();
}

void CWindowsFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The shadow picture's soft edge needs the desktop to show through the window; elsewhere its
    // translucent pixels, and any left unpainted, would show black.
    if (!m_screenComposites || !testAttribute(Qt::WA_TranslucentBackground)) {
        PaintFlatFrame(painter, size(), LightShadowColour());
        return;
    }
    if (!m_shadowPath.isEmpty()) {
        m_shadow = QPixmap(m_shadowPath);
        m_shadowPath.clear();
    }
    if (!m_shadow.isNull())
        painter.drawPixmap(QRect(0, 0, width(), height()), m_shadow);
}

void CWindowsFrame::ShowTitleAnimation(bool show) {
    if (!m_titleBar)
        return;
    m_titleBar->AnimationLabel()->setVisible(show);
    if (show)
        m_titleBar->Movie()->start();
    else
        m_titleBar->Movie()->stop();
}

void CWindowsFrame::SetVendorButtonsEnabled(bool enabled) {
    if (!m_titleBar)
        return;
    if (m_types.testFlag(FRAME_INTEL))
        m_titleBar->IntelButton()->setEnabled(enabled);
    if (m_types.testFlag(FRAME_AMD))
        m_titleBar->AmdButton()->setEnabled(enabled);
    if (m_types.testFlag(FRAME_NVIDIA))
        m_titleBar->NvidiaButton()->setEnabled(enabled);
}

void CWindowsFrame::SetFrameTypes(FrameTypes types) {
    m_types = types;
}

void CWindowsFrame::SelectVendor(FrameType vendor, bool enabled) {
    if (!m_titleBar || !m_types.testFlag(vendor))
        return;
    m_titleBar->IntelButton()->setEnabled(vendor == FRAME_INTEL && enabled);
    m_titleBar->AmdButton()->setEnabled(vendor == FRAME_AMD && enabled);
    m_titleBar->NvidiaButton()->setEnabled(vendor == FRAME_NVIDIA && enabled);
}

void CWindowsFrame::SelectIntel(bool enabled) {
    SelectVendor(FRAME_INTEL, enabled);
}
void CWindowsFrame::SelectAmd(bool enabled) {
    SelectVendor(FRAME_AMD, enabled);
}
void CWindowsFrame::SelectNvidia(bool enabled) {
    SelectVendor(FRAME_NVIDIA, enabled);
}

void CWindowsFrame::Retranslate() {
    CAbstractFrame::Retranslate();
    if (!m_titleBar)
        return;
    m_titleBar->setTitleText(windowTitle());
    m_titleBar->SettingButton()->setToolTip(tr("Settings"));
    m_titleBar->HelpButton()->setToolTip(tr("Help center"));
    m_titleBar->FeedbackButton()->setToolTip(tr("feedback"));
}

void CWindowsFrame::UpdateTitleSkin() {
    if (m_titleBar)
        m_titleBar->ReloadSkin();
}

void CWindowsFrame::AdjustToInner() {
    if (!m_titleBar)
        return;
    m_titleBar->ApplySizes();
    // The title bar's height counts even when it is hidden, as the skin's frame sizes expect.
    if (m_inner)
        resize(m_inner->width(), m_inner->height() + m_titleBar->height());
}

void CWindowsFrame::InsertTitleWidgetBeforeTitle(QWidget* widget, int spacing) {
    if (m_titleBar)
        m_titleBar->InsertBeforeTitle(widget, spacing);
}

void CWindowsFrame::AddTitleWidget(QWidget* widget, int spacing) {
    if (m_titleBar)
        m_titleBar->AddToCentre(widget, spacing);
}

void CWindowsFrame::InsertTitleWidgetBeforeButtons(QWidget* widget, int spacing) {
    if (m_titleBar)
        m_titleBar->InsertBeforeMinimize(widget, spacing);
}

void CWindowsFrame::SetDragWidget(QWidget* widget) {
    if (!widget)
        return;
    m_dragWidget = widget;
    widget->installEventFilter(this);
}

void CWindowsFrame::SetTitleText(const QString& text) {
    if (m_titleBar)
        m_titleBar->setTitleText(text);
}

void CWindowsFrame::SetTitleObjectName(const QString& name) {
    if (m_titleBar)
        m_titleBar->SetBackgroundObjectName(name);
}

void CWindowsFrame::SetTitleHeight(int height) {
    if (m_titleBar)
        m_titleBar->SetTitleHeight(height);
}

void CWindowsFrame::SetTitleButtonSize(int width, int height) {
    if (m_titleBar)
        m_titleBar->SetButtonSize(width, height);
}

void CWindowsFrame::SetDoubleClickMaximize(bool on) {
    if (on == m_doubleClickMaximize)
        return;
    m_doubleClickMaximize = on;
    m_types.setFlag(FRAME_DBLCLICK_MAX, on);
    const bool wasVisible = isVisible();
    setWindowFlags(FrameWindowFlags(on));
    if (wasVisible)
        show();
}

int CWindowsFrame::NativeHitTest(const QPoint& point) const {
    const bool zoomed = m_maximized || windowState().testFlag(Qt::WindowMaximized);
    const int code = hitTestBorder(point, size(), zoomed);
    if (code != HTCLIENT)
        return code;
    QWidget* child = childAt(point);
    if (!child || child->inherits("MyWindowTitle"))
        return HTCAPTION;
    return HTCLIENT;
}

void CWindowsFrame::NotifyVolumeRemoved(quint32 unitMask, quint16 volumeFlags) {
    if (!IsMainFrame())
        return;
    const QString letter = RemovedVolumeLetter(unitMask, volumeFlags);
    if (!letter.isEmpty())
        emit DiscOut(letter);
}

void CWindowsFrame::ChangeSkinSlot() {
    UpdateTitleSkin();
}

void CWindowsFrame::ShowMaxRestore() {
    if (m_maximized) {
        layout()->setContentsMargins(1, 1, 1, 1);
        setGeometry(m_normalGeometry);
    } else {
        layout()->setContentsMargins(0, 0, 0, 0);
        m_normalGeometry = geometry();
        if (QScreen* screen = FrameScreen())
            setGeometry(screen->availableGeometry());
    }
    m_maximized = !m_maximized;
    if (m_titleBar) {
        m_titleBar->MaximizeButton()->setVisible(!m_maximized);
        m_titleBar->RestoreButton()->setVisible(m_maximized);
    }
}

void CWindowsFrame::workAreaResizedSlot(int screen) {
    Q_UNUSED(screen)
    if (!m_maximized)
        return;
    if (QScreen* own = FrameScreen())
        setGeometry(own->availableGeometry());
}

void CWindowsFrame::TitleButtonSlot() {
    auto* button = qobject_cast<QAbstractButton*>(sender());
    if (!button)
        return;
    emit Option(FrameTypes(button->property("BUTTON_TYPE").toInt()));
}

void CWindowsFrame::StartMove(const QPoint& globalPos) {
    m_dragOffset = globalPos - geometry().topLeft();
    QWindow* window = windowHandle();
    m_dragging = !(window && window->startSystemMove());
}

void CWindowsFrame::StartResize(Qt::Edges edges, const QPoint& globalPos) {
    QWindow* window = windowHandle();
    if (window && window->startSystemResize(edges))
        return;
    m_windowOperation = WindowOperation::Resize;
    m_resizeEdges = edges;
    m_resizeStart = geometry();
    m_pressGlobal = globalPos;
}

Qt::Edges CWindowsFrame::DraggableEdges(int code) const {
    return ResizableEdges(EdgesForHitCode(code), minimumSize(), maximumSize());
}

void CWindowsFrame::UpdateBorderCursor(int code) {
    const Qt::Edges edges = DraggableEdges(code);
    if (edges == m_cursorEdges)
        return;
    m_cursorEdges = edges;
    if (edges)
        setCursor(CursorForEdges(edges));
    else
        unsetCursor();
}

bool CWindowsFrame::WindowEvent(QEvent* event) {
    if (!IsMouseEvent(event))
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (!OnlyLeftButton(mouse) || m_maximized)
            return false;
        const int code = NativeHitTest(mouse->pos());
        if (const Qt::Edges edges = DraggableEdges(code)) {
            StartResize(edges, mouse->globalPos());
            return true;
        }
        if (code == HTCAPTION) {
            StartMove(mouse->globalPos());
            if (m_dragging) {
                m_dragging = false;
                m_windowOperation = WindowOperation::Move;
            }
            return true;
        }
        return false;
    }
    case QEvent::MouseMove:
        if (m_windowOperation == WindowOperation::Resize) {
            setGeometry(ResizedGeometry(m_resizeStart, m_resizeEdges, mouse->globalPos() - m_pressGlobal, minimumSize(),
                                        maximumSize()));
            return true;
        }
        if (m_windowOperation == WindowOperation::Move) {
            move(mouse->globalPos() - m_dragOffset);
            return true;
        }
        if (mouse->buttons() == Qt::NoButton)
            UpdateBorderCursor(hitTestBorder(mouse->pos(), size(), m_maximized));
        return false;
    case QEvent::MouseButtonRelease:
        if (m_windowOperation != WindowOperation::None) {
            m_windowOperation = WindowOperation::None;
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CWindowsFrame::TitleBarEvent(QEvent* event) {
    const auto type = event->type();
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (m_doubleClickMaximize && type == QEvent::MouseButtonDblClick && OnlyLeftButton(mouse)) {
        ShowMaxRestore();
        return true;
    }
    if (m_maximized)
        return true;
    if (type == QEvent::MouseButtonRelease) {
        m_dragging = false;
        return true;
    }
    if (type == QEvent::MouseButtonPress && OnlyLeftButton(mouse)) {
        StartMove(mouse->globalPos());
        return true;
    }
    if (type == QEvent::MouseMove && mouse->buttons() == Qt::LeftButton && m_dragging) {
        move(mouse->globalPos() - m_dragOffset);
        return true;
    }
    return true;
}

bool CWindowsFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_inner && event->type() == QEvent::Close) {
        CloseFrame();
        return true;
    }
    if (watched == m_inner && InnerHidItself(event)) {
        // A dialog view that ends itself (accept, reject, done) only hides; its frame would stay
        // open around an empty space. The close waits until the dialog has finished ending; a
        // refused close brings the view back.
        QMetaObject::invokeMethod(
            this,
            [this]() {
                if (m_inner && m_inner->isHidden() && m_inner->parentWidget() == this && isVisible() && !CloseFrame())
                    m_inner->show();
            },
            Qt::QueuedConnection);
        return false;
    }
    if (m_filteredWindow && watched == m_filteredWindow)
        return WindowEvent(event);
    if (watched != m_titleBar || !m_titleBar) {
        if (!m_dragWidget || watched != m_dragWidget)
            return CAbstractFrame::eventFilter(watched, event);
    }
    if (!IsMouseEvent(event))
        return false;
    return TitleBarEvent(event);
}
