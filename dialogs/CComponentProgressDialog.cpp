#include "CComponentProgressDialog.h"

#include "app/EditionData.h"
#include "components/CAppleDriverInstall.h"
#include "components/CComponentInstallThread.h"
#include "framework/SkinManager.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The retry button and the support link look alike.
const char kLinkColour[] = "#2a7ae2";

int Scaled(double size) {
    return int(size * gUiScale);
}

const char kRetryLink[] = "retry";

} // namespace

CComponentProgressDialog::CComponentProgressDialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
    setObjectName(QStringLiteral("componentProgressDialog"));
    BuildWidgets();
    StartWork();
    ChangeSkin();
    ResetUISize();
    SetProperty();
    BuildLayout();
    const QString product = gAppData ? gAppData->FullProductName : QCoreApplication::applicationName();
    setWindowTitle(product + QLatin1Char(' ') + tr("Component Install"));
}

CComponentProgressDialog::~CComponentProgressDialog() {
    stopWork();
    // The thread goes before the component it works on (children go in the order they were made).
    delete m_thread;
    m_thread = nullptr;
}

void CComponentProgressDialog::BuildWidgets() {
    m_componentName = new QLabel(QStringLiteral("Component Name"), this);
    m_componentName->setObjectName(QStringLiteral("componentName"));
    QFont font = m_componentName->font();
    font.setPixelSize(std::max(1, Scaled(16)));
    m_componentName->setFont(font);

    m_workText = new QLabel(QStringLiteral("Work..."), this);
    m_workText->setObjectName(QStringLiteral("componentWorkText"));

    // The retry is a button of its own (shown as a link) so that it can be pressed by name; the label
    // carries the rest of the line, "or" and the link to the support page.
    m_retry = new QPushButton(tr("Retry"), this);
    m_retry->setObjectName(QStringLiteral("componentRetry"));
    m_retry->setFlat(true);
    m_retry->setCursor(Qt::PointingHandCursor);
    m_retry->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; color: %1; "
                                          "text-decoration: underline; background: transparent; }")
                               .arg(QLatin1String(kLinkColour)));
    connect(m_retry, &QPushButton::clicked, this, &CComponentProgressDialog::retry);

    const QString support = gAppData ? gAppData->MakeLink(gAppData->Support).toString() : QString();
    m_errorText = new QLabel(this);
    m_errorText->setObjectName(QStringLiteral("componentErrorText"));
    m_errorText->setTextFormat(Qt::RichText);
    m_errorText->setText(QStringLiteral("%1 <a href='%2' style='color: %3;'>%4</a>")
                             .arg(tr("or"), support.toHtmlEscaped(), QLatin1String(kLinkColour),
                                  tr("contact our support team").toHtmlEscaped()));
    connect(m_errorText, &QLabel::linkActivated, this, &CComponentProgressDialog::on_label_linkActivited);
    m_retry->hide();
    m_errorText->hide();

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("componentProgressBar"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
}

void CComponentProgressDialog::StartWork() {
    m_component = new CAppleDriverInstall(this);
    setComponentName(m_component->name());
    m_thread = new CComponentInstallThread(m_component, this);
    connect(m_thread, &CComponentInstallThread::message, this, &CComponentProgressDialog::showStepText);
    connect(m_thread, &QThread::finished, this, &CComponentProgressDialog::threadFinished);
    connect(m_thread, &CComponentInstallThread::progress, this, [this](int value, int) { setValue(value); });
    connect(m_thread, &CComponentInstallThread::workSuccess, this, &CComponentProgressDialog::workDone);
    connect(m_thread, &CComponentInstallThread::workError, this, &CComponentProgressDialog::changeToError);
    m_thread->start(QThread::InheritPriority);
}

void CComponentProgressDialog::BuildLayout() {
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_componentName, 0, Qt::AlignHCenter);
    column->addStretch();
    column->addWidget(m_bar);
    column->addSpacing(Scaled(30));
    auto* row = new QHBoxLayout;
    row->addWidget(m_workText);
    row->addStretch();
    row->addWidget(m_retry);
    row->addWidget(m_errorText);
    column->addLayout(row);
}

QSize CComponentProgressDialog::sizeHint() const {
    return QSize(Scaled(400), Scaled(140));
}

void CComponentProgressDialog::stopWork() {
    if (!m_thread)
        return;
    m_thread->requestAbort();
    m_thread->wait();
}

bool CComponentProgressDialog::mayClose() {
    if (!m_thread->isRunning())
        return true;
    // The worker holds nothing the user still waits for once it has said how it ended.
    if (m_state != State::Working)
        return true;
    if (!m_closing) {
        m_closing = true;
        m_thread->requestAbort();
        setWorkText(tr("Finishing the install, please wait..."));
    }
    return false;
}

void CComponentProgressDialog::showStepText(QString text) {
    // After a refused close the dialog only says that it is finishing.
    if (!m_closing)
        setWorkText(text);
}

void CComponentProgressDialog::threadFinished() {
    if (m_closing)
        emit workEnded();
}

void CComponentProgressDialog::setWorkText(QString text) {
    m_workText->setText(text);
}

void CComponentProgressDialog::setComponentName(QString name) {
    m_componentName->setText(name);
}

void CComponentProgressDialog::setValue(int progress) {
    m_bar->setValue(std::clamp(progress, m_bar->minimum(), m_bar->maximum()));
}

void CComponentProgressDialog::setMaximum(int max) {
    // A maximum of 0 would turn the bar into a busy indicator that never ends.
    if (max < 1)
        return;
    m_bar->setMaximum(max);
}

void CComponentProgressDialog::retry() {
    if (m_thread->isRunning() || m_component->isAbortRequested())
        return;
    m_retry->hide();
    m_errorText->hide();
    m_state = State::Working;
    m_thread->start(QThread::InheritPriority);
}

void CComponentProgressDialog::changeToError() {
    m_state = State::Failed;
    setWorkText(tr("Failed"));
    m_retry->show();
    m_errorText->show();
}

void CComponentProgressDialog::workDone() {
    m_state = State::Done;
    close();
}

void CComponentProgressDialog::ChangeSkin() {}
void CComponentProgressDialog::ResetUISize() {}
void CComponentProgressDialog::SetProperty() {}

void CComponentProgressDialog::on_label_linkActivited(QString link) {
    if (link == QLatin1String(kRetryLink)) {
        retry();
        return;
    }
    QDesktopServices::openUrl(QUrl(link));
}

void CComponentProgressDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(QBrush(Qt::gray, Qt::SolidPattern), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(0, 0, width(), 0);
}
