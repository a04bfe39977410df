#include "CMacFrame.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

CMacFrame::CMacFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap&, int)
    : CAbstractFrame(inner, parent, types) {
    if (m_inner)
        m_inner->setStyleSheet(QStringLiteral("QDialogButtonBox{ button-layout: 1;}"));
    CMacFrame::setupFrame();
}

QWidget* CMacFrame::GetWindow() {
    return m_inner;
}

void CMacFrame::setupFrame() {
    if (!m_inner)
        return;
    m_inner->setParent(m_parent);
    if (IsMainFrame()) {
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
        if (m_types.testFlag(FRAME_MIN))
            flags |= Qt::WindowMinimizeButtonHint;
        if (m_types.testFlag(FRAME_CLOSE))
            flags |= Qt::WindowCloseButtonHint;
        if (m_types.testFlag(FRAME_MAX))
            flags |= Qt::WindowMaximizeButtonHint;
        m_inner->setWindowFlags(flags);
    }
    if (!m_parent) {
        m_inner->move(0, 0);
        return;
    }
    const QPoint origin = m_parent->mapToGlobal(QPoint(0, 0));
    const QPoint candidate =
        origin + QPoint(m_parent->width() / 2 - m_inner->width() / 2, m_parent->height() / 2 - m_inner->height() / 2);
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().contains(candidate)) {
            m_inner->move(candidate);
            return;
        }
    }
    QScreen* screen = m_parent->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    m_inner->move(area.x() + (area.width() - m_inner->width()) / 2, area.y() + (area.height() - m_inner->height()) / 2);
}

void CMacFrame::ShowInner() {
    if (!m_inner)
        return;
    m_inner->show();
    hide();
}

int CMacFrame::exec() {
    if (!m_inner)
        return -1;
    if (auto* dialog = qobject_cast<QDialog*>(m_inner.data())) {
        hide();
        return dialog->exec();
    }
    m_inner->setAttribute(Qt::WA_ShowModal, true);
    m_inner->show();
    hide();
    // The wait ends when the inner widget closes (see the event filter).
    QEventLoop loop;
    m_loop = &loop;
    const int code = loop.exec();
    m_loop = nullptr;
    return code;
}

bool CMacFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_inner && event->type() == QEvent::Close) {
        if (m_loop)
            m_loop->exit(0);
        CloseFrame();
        return true;
    }
    return CAbstractFrame::eventFilter(watched, event);
}
