#include "CMessageBox.h"

#include "CMsgFrame.h"
#include "SkinManager.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegExp>
#include <QUrl>
#include <QVBoxLayout>

CMessageBox::CMessageBox(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
    InitFont();
    BuildUi();
    for (QPushButton* button : {m_firstButton, m_secondButton, m_thirdButton})
        connect(button, &QAbstractButton::clicked, this, &CMessageBox::Close);
    connect(m_textLabel, &QLabel::linkActivated, this, &CMessageBox::OpenUrl);
    ResetExtras();
}

CMessageBox::~CMessageBox() {
    for (QPushButton** button : {&m_firstButton, &m_secondButton, &m_thirdButton}) {
        delete *button;
        *button = nullptr;
    }
}

void CMessageBox::InitFont() {
    setFont(SkinManager::Instance()->GetFont(12, false));
}

void CMessageBox::SetUpButton(QPushButton* button) const {
    button->setAutoDefault(false);
    button->setProperty("STYLE_KEY", QStringLiteral("BLUE_GREEN_BTN"));
    button->hide();
}

void CMessageBox::BuildUi() {
    m_titleLabel = new QLabel(this);
    m_titleLabel->setFont(SkinManager::Instance()->GetFont(20, true));
    m_textLabel = new QLabel(this);
    m_textLabel->setFont(SkinManager::Instance()->GetFont(12, false));
    m_textLabel->setWordWrap(true);
    m_textLabel->setAlignment(Qt::AlignHCenter);
    m_noteLabel = new QLabel(this);
    m_detailLabel = new QLabel(this);
    m_inputField = new QLineEdit(this);
    // A message may carry what a device, its library or a server said: it is shown as it reads, never as markup
    // that would render or load what it names. A caller that means a link makes the text label rich itself.
    for (QLabel* label : {m_titleLabel, m_textLabel, m_noteLabel, m_detailLabel})
        label->setTextFormat(Qt::PlainText);

    auto* detailRow = new QHBoxLayout;
    detailRow->setAlignment(Qt::AlignCenter);
    detailRow->setContentsMargins(UiScaled(20.0), 0, UiScaled(20.0), 0);
    detailRow->addWidget(m_detailLabel);
    detailRow->addWidget(m_inputField);

    m_firstButton = new QPushButton(this);
    m_secondButton = new QPushButton(this);
    m_thirdButton = new QPushButton(this);
    for (QPushButton* button : {m_firstButton, m_secondButton, m_thirdButton}) {
        SetUpButton(button);
        button->setMinimumSize(UiScaled(100.0), UiScaled(30.0));
    }
    m_firstButton->setDefault(true);
    m_firstButton->setFocus(Qt::TabFocusReason);

    m_buttonBox = new QDialogButtonBox;
    m_buttonBox->setContentsMargins(0, 0, 0, 0);
    m_buttonBox->setFixedHeight(UiScaled(30.0));

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(0, 0, 0, 10);
    buttonRow->setSpacing(0);
    buttonRow->addStretch();
    buttonRow->addWidget(m_buttonBox);
    buttonRow->addStretch();

    auto* mainLayout = new QVBoxLayout;
    mainLayout->setContentsMargins(UiScaled(10.0), 0, UiScaled(10.0), UiScaled(20.0));
    mainLayout->addWidget(m_titleLabel, 0, Qt::AlignCenter);
    mainLayout->addSpacing(10);
    mainLayout->addWidget(m_textLabel, 0, Qt::AlignCenter);
    mainLayout->addSpacing(10);
    mainLayout->addWidget(m_noteLabel, 0, Qt::AlignLeft);
    mainLayout->addSpacing(10);
    mainLayout->addLayout(detailRow);
    mainLayout->addStretch();
    mainLayout->addLayout(buttonRow);

    m_container = new QWidget(this);
    m_container->setLayout(mainLayout);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_container);

    ResetExtras();
}

void CMessageBox::ResetExtras() {
    m_detailLabel->setText(QString());
    m_detailLabel->hide();
    m_inputField->hide();
    m_noteLabel->setText(QString());
    m_noteLabel->hide();
}

void CMessageBox::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
}

QString CMessageBox::GetInputText() const {
    return m_inputField->text().trimmed();
}

void CMessageBox::CloseSlot() {
    int result = QMessageBox::Cancel;
    if (auto* button = qobject_cast<QPushButton*>(sender()))
        result = button->property("value").toInt();
    done(result);
}

void CMessageBox::Close() {
    CloseSlot();
    close();
}

QUrl MessageLinkUrl(const QString& link) {
    const QRegExp email(QStringLiteral("\\w+([-+.]\\w+)*@\\w+([-.]\\w+)*\\.\\w+([-.]\\w+)*"));
    if (email.exactMatch(link))
        return QUrl(QStringLiteral("mailto:") + link);
    // A message text may carry links from outside (a server's reply, a device name); only web and
    // mail links are opened, never a local file or a program.
    const QUrl url(link, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() ||
        !(scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")))
        return QUrl();
    if (scheme != QLatin1String("mailto") && url.host().isEmpty())
        return QUrl();
    return url;
}

void CMessageBox::OpenUrl(QString strUrl) {
    const QUrl url = MessageLinkUrl(strUrl);
    if (!url.isEmpty())
        QDesktopServices::openUrl(url);
}

int CMessageBox::Exec() {
    const double scale = SkinManager::Instance()->GetScale();
    const int width = static_cast<int>(360 * scale);
    int height = static_cast<int>((m_titleLabel->text().isEmpty() ? 100 : 160) * scale);
    m_textLabel->setFixedWidth(static_cast<int>(width - 40 * scale));

    const QFontMetrics metrics(m_textLabel->font());
    const int lineHeight = metrics.height();
    const int textWidth = metrics.horizontalAdvance(m_textLabel->text());
    const int gap = static_cast<int>(4 * scale);
    const int labelWidth = m_textLabel->width();
    if (textWidth > labelWidth && labelWidth > 0) {
        const int lines = textWidth / labelWidth + (textWidth % labelWidth ? 1 : 0);
        const int labelHeight = lines * lineHeight + lines * gap;
        m_textLabel->setFixedHeight(labelHeight);
        height += labelHeight;
    } else {
        m_textLabel->setAlignment(Qt::AlignCenter);
        m_textLabel->setFixedHeight(lineHeight);
        height += lineHeight;
    }
    if (!m_noteLabel->text().isEmpty())
        height += lineHeight;
    if (!m_detailLabel->text().isEmpty()) {
        m_inputField->clear();
        height += lineHeight;
    }
    resize(width, height);
    CMsgFrame frame(this, parentWidget(), CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    return frame.exec();
}
