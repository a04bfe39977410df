#include "MyAboutView.h"

#include "DialogLook.h"
#include "app/EditionData.h"
#include "app/RunLog.h"
#include "framework/SkinManager.h"
#include "platform/DesktopShell.h"

#include <QUrl>

namespace {

// The link shows its own address. Both come from the edition file, so neither may add markup.
QString LinkText(const QString& link) {
    const QString escaped = link.toHtmlEscaped();
    return QStringLiteral("<style> a {text-decoration: none} </style> <a href=\"%1\">%2").arg(escaped, escaped);
}

} // namespace

MyAboutView::MyAboutView(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
    setupUi(this);
    InitTexts();
    SetSizes();
    SetStyleKeys();
    SetProductIcon();
}

MyAboutView::~MyAboutView() = default;

void MyAboutView::InitTexts() {
    ShowEditionTexts();
    // The labels do not open their links themselves: only a web address is handed to the desktop.
    for (QLabel* label : {SupportWebLbl, officialWebLbl}) {
        label->setTextFormat(Qt::RichText);
        label->setOpenExternalLinks(false);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        connect(label, &QLabel::linkActivated, this, &MyAboutView::OpenLink);
    }
    InfoLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
}

void MyAboutView::ShowEditionTexts() {
    const QString version = gAppData ? gAppData->Version : QString();
    // Looked up like any text, so that an edition may show its version differently per language.
    currentVersionLbl->setText(QCoreApplication::translate("MyAboutView", version.toUtf8().constData()));
    SupportWebLbl->setText(LinkText(gAppData ? gAppData->Support : QString()));
    officialWebLbl->setText(LinkText(gAppData ? gAppData->Home : QString()));
}

void MyAboutView::SetSizes() {
    SetScaledFixedSize(this, 468, 250);
    SetScaledFixedSize(productIconLbl, 90, 90);
    // The label and the version sit in a row without spacing; the version keeps a blank's distance.
    currentVersionLbl->setIndent(UiScaled(4));
}

void MyAboutView::SetStyleKeys() {
    softwareNameLbl->setProperty("STYLE_KEY", QStringLiteral("ABOUT_TITLE"));
    for (QLabel* label : {currentVersionLbl, currentVersionLabel})
        label->setProperty("STYLE_KEY", QStringLiteral("ABOUT_VERSION"));
    for (QLabel* label : {customeSupportLbl, SupportWebLbl, officialWebsiteLbl, officialWebLbl})
        label->setProperty("STYLE_KEY", QStringLiteral("ABOUT_SUPPORT"));
    InfoLabel->setProperty("STYLE_KEY", QStringLiteral("ABOUT_INFO"));
}

void MyAboutView::SetProductIcon() {
    const int side = UiScaled(90);
    const QPixmap logo = SkinManager::Instance()->GetLogoPixmap(4);
    productIconLbl->setPixmap(logo.isNull() ? logo
                                            : logo.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void MyAboutView::Retranslate() {
    retranslateUi(this);
    ShowEditionTexts();
}

void MyAboutView::OpenLink(const QString& link) {
    const QUrl url(link, QUrl::TolerantMode);
    if (!IsWebAddress(url)) {
        RunLog->WriteString(1, QStringLiteral("About: link not opened, no web address (\"%1\")").arg(link.simplified()),
                            true);
        return;
    }
    platform::openUrl(url);
}

void MyAboutView::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintTopLine(this);
}
