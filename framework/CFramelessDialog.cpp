#include "CFramelessDialog.h"

#include <QPainter>
#include <QStyleOption>
#include <QVBoxLayout>

CFramelessDialog::CFramelessDialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_content = new QWidget(this);
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_content);
    setLayout(layout);
}

void CFramelessDialog::SetContentLayout(QLayout* layout) {
    m_content->setLayout(layout);
}

void CFramelessDialog::SetIcon(const QIcon& icon) {
    setWindowIcon(icon);
}

void CFramelessDialog::setWindowTitle(const QString& windowTitle) {
    QDialog::setWindowTitle(windowTitle);
}

void CFramelessDialog::paintEvent(QPaintEvent*) {
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
