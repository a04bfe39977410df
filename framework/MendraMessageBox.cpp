#include "MendraMessageBox.h"

#include "CMsgFrame.h"
#include "SkinManager.h"

#include "app/MyConfig.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QList<int>& QueuedAnswers() {
    static QList<int> answers;
    return answers;
}

QStringList& AnsweredMessages() {
    static QStringList messages;
    return messages;
}
} // namespace

MendraMessageBox::MendraMessageBox(const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
                                   QWidget* parent, bool tip, Qt::WindowFlags flags)
    : MyMessageBox(parent, flags), m_tip(tip) {
    MendraMessageBox::BuildUi();
    if (m_tip)
        connect(m_tipCheckBox, &QCheckBox::stateChanged, this, &MendraMessageBox::TipsSlot);
    m_boxTitleLabel->setText(title);
    m_messageLabel->setText(text);
    SetStandardButtons(buttons);
    ApplyStyle();
    SetIcon();
}

MendraMessageBox::~MendraMessageBox() = default;

void MendraMessageBox::BuildUi() {
    // The base layout goes; its widgets stay empty and out of sight.
    delete layout();
    if (m_container)
        m_container->hide();

    SkinManager* skin = SkinManager::Instance();
    m_boxTitleLabel = new QLabel(this);
    m_boxTitleLabel->setFont(skin->GetFont(20, true));
    m_boxTitleLabel->hide();
    m_messageLabel = new QLabel(this);
    m_messageLabel->setFont(skin->GetFont(12, false));
    m_messageLabel->setScaledContents(true);
    m_messageLabel->setWordWrap(true);
    // Shown as it reads, as the base box's labels are.
    for (QLabel* label : {m_boxTitleLabel, m_messageLabel})
        label->setTextFormat(Qt::PlainText);
    m_iconLabel = new QLabel(this);

    for (QPushButton* button : {m_firstButton, m_secondButton, m_thirdButton}) {
        SetUpButton(button);
        button->setFixedSize(UiScaled(110.0), UiScaled(28.0));
    }
    m_firstButton->setDefault(true);
    m_firstButton->setFocus(Qt::TabFocusReason);
    m_buttonBox->setContentsMargins(0, 0, 0, 0);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->addStretch();
    buttonRow->addWidget(m_buttonBox);

    auto* contentRow = new QHBoxLayout;
    contentRow->setContentsMargins(0, 0, 0, 0);
    contentRow->setSpacing(15);
    contentRow->addWidget(m_iconLabel, 0, Qt::AlignCenter);
    contentRow->addWidget(m_messageLabel, 0, Qt::AlignCenter);
    contentRow->addStretch();

    auto* mainLayout = new QVBoxLayout;
    const int margin = UiScaled(20.0);
    mainLayout->setContentsMargins(margin, margin, margin, margin);
    mainLayout->addLayout(contentRow);
    mainLayout->addStretch();
    mainLayout->addLayout(buttonRow);
    if (m_tip) {
        m_tipCheckBox = new QCheckBox(this);
        m_tipCheckBox->setFixedHeight(UiScaled(15.0));
        mainLayout->addStretch();
        mainLayout->addWidget(m_tipCheckBox, 0, Qt::AlignCenter);
    }

    m_boxContainer = new QWidget(this);
    m_boxContainer->setLayout(mainLayout);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_boxContainer);
}

void MendraMessageBox::ApplyStyle() {
    setProperty("STYLE_KEY", QStringLiteral("MessageBox_View"));
    m_firstButton->setProperty("STYLE_KEY", QStringLiteral("BLUE_GREEN_BTN"));
    m_secondButton->setProperty("STYLE_KEY", QStringLiteral("BLUE_GREEN_BTN"));
    m_thirdButton->setProperty("STYLE_KEY", QStringLiteral("BLUE_GREEN_BTN3"));
    setFixedSize(UiScaled(468.0), UiScaled(180.0));
}

void MendraMessageBox::SetIcon() {
    SkinManager* skin = SkinManager::Instance();
    skin->ChangePart(QStringLiteral("Other"));
    const int side = UiScaled(40.0);
    const QPixmap notice = skin->GetPagePixmap(QStringLiteral("Notice"));
    if (!notice.isNull())
        m_iconLabel->setPixmap(notice.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_iconLabel->setFixedSize(side, side);
}

void MendraMessageBox::SetTipText(const QString& text) {
    if (m_tipCheckBox)
        m_tipCheckBox->setText(text);
}

void MendraMessageBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(QBrush(Qt::gray, Qt::SolidPattern), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(0, 0, width(), 0);
}

int MendraMessageBox::Exec() {
    return ExecInFrame(CAbstractFrame::FRAME_CLOSE);
}

int MendraMessageBox::ExecNoTitleButtons() {
    return ExecInFrame(CAbstractFrame::FrameTypes());
}

int MendraMessageBox::ExecInFrame(CAbstractFrame::FrameTypes types) {
    if (!QueuedAnswers().isEmpty()) {
        AnsweredMessages().append(m_messageLabel->text());
        return QueuedAnswers().takeFirst();
    }
    m_messageLabel->setFixedWidth(UiScaled(380.0));
    resize(UiScaled(468.0), UiScaled(180.0));

    const int iconSide = UiScaled(23.0);
    QPixmap titleIcon = SkinManager::Instance()->GetLogoPixmap(2);
    if (!titleIcon.isNull())
        titleIcon = titleIcon.scaled(iconSide, iconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);

    CMsgFrame frame(this, parentWidget(), types, titleIcon, 0);
    frame.setProperty("STYLE_KEY", QStringLiteral("PTMSG_WIDGET"));
    frame.SetTitleText(tr("Tavik Mendra"));
    frame.SetTitleObjectName(QStringLiteral("PTMessageBox"));
    return frame.exec();
}

void MendraMessageBox::TipsSlot(int state) {
    if (objectName() != QLatin1String("Duplicate name"))
        return;
    if (gConfig)
        gConfig->SetShowTips(state != Qt::Checked, false);
}

void MendraMessageBox::QueueAnswer(int answer) {
    QueuedAnswers().append(answer);
}

void MendraMessageBox::ClearQueuedAnswers() {
    QueuedAnswers().clear();
    AnsweredMessages().clear();
}

int MendraMessageBox::QueuedAnswerCount() {
    return QueuedAnswers().size();
}

QStringList MendraMessageBox::ShownMessages() {
    return AnsweredMessages();
}
