#include "CMsgFrame.h"

#include <QCloseEvent>
#include <QMetaMethod>

CMsgFrame::CMsgFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CWindowsFrame(inner, parent, types, titleIcon, titleLayout) {
    ConnectInner();
}

CMsgFrame::CMsgFrame(QWidget* inner, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CWindowsFrame(inner, nullptr, types, titleIcon, titleLayout) {
    ConnectInner();
}

void CMsgFrame::ConnectInner() {
    // Not every inner widget has the slot, and the frame knows none of their classes: the slot is found in the
    // inner widget's meta-object. Without it the close notice simply reaches nobody.
    if (!m_inner)
        return;
    const QMetaObject* inner = m_inner->metaObject();
    const int slot = inner->indexOfSlot("CloseSlot()");
    if (slot >= 0)
        connect(this, QMetaMethod::fromSignal(&CMsgFrame::CloseSignal), m_inner, inner->method(slot));
}

int CMsgFrame::exec() {
    setWindowModality(Qt::ApplicationModal);
    QPointer<QWidget> inner = m_inner;
    CWindowsFrame::exec();
    if (auto* dialog = qobject_cast<QDialog*>(inner.data()))
        return dialog->result();
    return 0;
}

bool CMsgFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_inner && (event->type() == QEvent::Close || InnerHidItself(event)))
        m_closedByInner = true;
    return CWindowsFrame::eventFilter(watched, event);
}

void CMsgFrame::closeEvent(QCloseEvent* event) {
    if (!m_closedByInner)
        emit CloseSignal();
    CWindowsFrame::closeEvent(event);
}
