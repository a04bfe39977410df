// Whether the X screen composites, as the frames ask it, on a real X server: a compositing manager
// announces itself by owning the screen's _NET_WM_CM_S<n> selection, and the test takes that part
// itself. Without an owner (a bare X server) the frames are drawn flat; with one they get their shadow.
#include "framework/ChildFrame.h"
#include "framework/FrameShadow.h"
#include "framework/SkinManager.h"

#include "platform/ScreenCompositing.h"

#include <QScreen>
#include <QX11Info>
#include <QtTest>

#include <xcb/xcb.h>

namespace {
xcb_atom_t CompositorSelection() {
    xcb_connection_t* connection = QX11Info::connection();
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(QX11Info::appScreen());
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

// Owns the compositor selection while it lives, as a compositing manager does.
class CompositorStandIn {
public:
    CompositorStandIn() : m_connection(QX11Info::connection()), m_selection(CompositorSelection()) {
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, QX11Info::appRootWindow(), 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_set_selection_owner(m_connection, m_window, m_selection, XCB_CURRENT_TIME);
        xcb_flush(m_connection);
    }
    ~CompositorStandIn() {
        xcb_destroy_window(m_connection, m_window);
        xcb_flush(m_connection);
    }
    CompositorStandIn(const CompositorStandIn&) = delete;
    CompositorStandIn& operator=(const CompositorStandIn&) = delete;

private:
    xcb_connection_t* m_connection;
    xcb_atom_t m_selection;
    xcb_window_t m_window = XCB_WINDOW_NONE;
};

bool Composites() {
    return platform::screenComposites(QGuiApplication::primaryScreen());
}
} // namespace

class TestScreenCompositing : public QObject {
    Q_OBJECT
private slots:
    void init();
    void followsTheSelectionOwner();
    void childFrameHasItsShadowOnlyWithACompositor();
};

void TestScreenCompositing::init() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    // The test's X server has no compositing manager of its own.
    QTRY_VERIFY(!Composites());
}

void TestScreenCompositing::followsTheSelectionOwner() {
    {
        CompositorStandIn compositor;
        QTRY_VERIFY(Composites());
    }
    QTRY_VERIFY(!Composites());
}

void TestScreenCompositing::childFrameHasItsShadowOnlyWithACompositor() {
    auto* view = new QWidget;
    view->setFixedSize(UiScaled(468.0), UiScaled(150.0));
    ChildFrame flat(view, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    QVERIFY(!flat.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(flat.width(), UiScaled(488.0) - 2 * (kFrameShadowWidth - 1));

    CompositorStandIn compositor;
    QTRY_VERIFY(Composites());
    ChildFrame shadowed(new QWidget, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    QVERIFY(shadowed.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(shadowed.width(), UiScaled(488.0));
}

QTEST_MAIN(TestScreenCompositing)
#include "tst_screencompositing.moc"
