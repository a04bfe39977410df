#include "CMsgFrame.h"

#include <QCloseEvent>

CMsgFrame::CMsgFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CWindowsFrame(inner, parent, types, titleIcon, titleLayout) {
    ConnectInner();
}

CMsgFrame::CMsgFrame(QWidget* inner, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CWindowsFrame(inner, nullptr, types, titleIcon, titleLayout) {
    ConnectInner();
}

void CMsgFrame::ConnectInner() {
    // Not every inner widget has the slot; the close notice then simply reaches nobody.
    if (m_inner && m_inner->metaObject()->indexOfSlot("CloseSlot()") >= 0)
        connect(this, SIGNAL(CloseSignal()), m_inner, SLOT(CloseSlot()));
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
