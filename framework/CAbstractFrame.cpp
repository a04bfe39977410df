#include "CAbstractFrame.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {
const int frameTypesMetaType = qRegisterMetaType<CAbstractFrame::FrameTypes>("CAbstractFrame::FrameTypes");
}

CAbstractFrame::CAbstractFrame(QWidget* inner, QWidget* parent, FrameTypes types)
    : QDialog(parent), m_parent(parent), m_inner(inner), m_types(types) {
    Q_UNUSED(frameTypesMetaType)
    if (m_inner)
        m_inner->installEventFilter(this);
}

CAbstractFrame::~CAbstractFrame() {
    // A frame destroyed without a regular close (its creator deleting it while it is open, or a
    // close that was refused) must not take a caller's widget with it.
    if (m_inner)
        m_inner->removeEventFilter(this);
    HandBackInner();
}

QWidget* CAbstractFrame::GetWindow() {
    return this;
}
void CAbstractFrame::ShowTitleAnimation(bool) {}
void CAbstractFrame::SetVendorButtonsEnabled(bool) {}
void CAbstractFrame::SetFrameTypes(FrameTypes) {}
void CAbstractFrame::SelectIntel(bool) {}
void CAbstractFrame::SelectAmd(bool) {}
void CAbstractFrame::SelectNvidia(bool) {}

void CAbstractFrame::Retranslate() {
    if (m_inner)
        setWindowTitle(m_inner->windowTitle());
}

void CAbstractFrame::UpdateTitleSkin() {}
void CAbstractFrame::AdjustToInner() {}
void CAbstractFrame::InsertTitleWidgetBeforeTitle(QWidget*, int) {}
void CAbstractFrame::AddTitleWidget(QWidget*, int) {}
void CAbstractFrame::InsertTitleWidgetBeforeButtons(QWidget*, int) {}
void CAbstractFrame::SetDragWidget(QWidget*) {}
void CAbstractFrame::ReservedHook(quintptr, quintptr) {}

bool CAbstractFrame::CloseFrame() {
    return close();
}

void CAbstractFrame::SetCloseCallback(CloseCallback callback, void* argument) {
    m_closeCallback = callback;
    m_closeCallbackArgument = argument;
}

void CAbstractFrame::CloseSlot() {
    CloseFrame();
}

void CAbstractFrame::reject() {
    if (IsMainFrame())
        return;
    CloseFrame();
}

bool CAbstractFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == m_inner &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (!IsMainFrame())
            CloseFrame();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool CAbstractFrame::HandBackInner() {
    if (!m_inner || IsMainFrame() || m_inner->testAttribute(Qt::WA_DeleteOnClose) || m_inner->parentWidget() != this)
        return false;
    m_inner->setParent(m_parent);
    return true;
}

void CAbstractFrame::closeEvent(QCloseEvent* event) {
    if (m_closeCallback) {
        if (!m_closeCallback(m_closeCallbackArgument)) {
            event->ignore();
            return;
        }
        m_closeCallback = nullptr;
    }
    HandBackInner();
    event->accept();
}
