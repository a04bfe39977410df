// Shows the installed skin on a page of skinned widgets, for looking at the skin while drawing it.
//   mendra-skinpreview [SKIN_FOLDER]   (default: the "Skin" folder beside the program's build output)

#include "framework/MyButton.h"
#include "framework/SkinManager.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

template <typename T> T* Keyed(T* widget, const char* key) {
    widget->setProperty("STYLE_KEY", QString::fromLatin1(key));
    return widget;
}

// Design sizes grow with the screen, as the windows do it.
int S(int size) {
    return int(size * SkinManager::Instance()->GetScale());
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QLabel* Picture(const QString& page, const QString& name, const QSize& size) {
    SkinManager* skin = SkinManager::Instance();
    skin->ChangePart(page);
    auto* label = new QLabel;
    label->setPixmap(
        skin->GetPagePixmap(name).scaled(size * skin->GetScale(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return label;
}

QWidget* TitleBar() {
    auto* bar = new QWidget;
    bar->setObjectName("titleBackground");
    bar->setAttribute(Qt::WA_StyledBackground);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 0, 0, 0);
    auto* icon = new QLabel;
    icon->setPixmap(SkinManager::Instance()->GetLogoPixmap(LOGO_ICON).scaled(20, 20, Qt::KeepAspectRatio,
                                                                             Qt::SmoothTransformation));
    row->addWidget(icon);
    row->addWidget(Keyed(new QLabel("Tavik Mendra"), "TITLE_LABEL"));
    row->addStretch();
    const QList<QPair<QString, QString>> buttons{{"title", "feedback"}, {"title", "help"}, {"Common", "settings"},
                                                 {"Common", "min"},     {"Common", "max"}, {"Common", "exit"}};
    for (const auto& button : buttons) {
        SkinManager::Instance()->ChangePart(button.first);
        auto* b = Keyed(new MyButton, "CLOSE_BTN");
        b->setFixedSize(S(32), S(28));
        b->changeIcon(button.second);
        row->addWidget(b);
    }
    return bar;
}

QWidget* ModeCard(const QString& title, const QString& info, const QString& icon, const QString& button) {
    auto* card = Keyed(new QWidget, "START_PAGE_ITEM");
    card->setAttribute(Qt::WA_StyledBackground);
    card->setFixedSize(S(396), S(300));
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(30, 28, 30, 28);
    column->addWidget(Picture("Buttun", icon, QSize(48, 48)), 0, Qt::AlignHCenter);
    column->addWidget(Keyed(new QLabel(title), "MODE_LBL"), 0, Qt::AlignHCenter);
    auto* text = Keyed(new QLabel(info), "MODE_INFO_LBL");
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    column->addWidget(text);
    column->addStretch();
    auto* start = Keyed(new QPushButton(button), "START_PAGE_ITEM_BUTTON");
    start->setFixedSize(S(270), S(42));
    column->addWidget(start, 0, Qt::AlignHCenter);
    return card;
}

QWidget* Page() {
    auto* page = new QWidget;
    page->setObjectName("MendraClass");
    page->setAttribute(Qt::WA_StyledBackground);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(TitleBar());

    auto* body = new QGridLayout;
    body->setContentsMargins(40, 24, 40, 12);
    body->setHorizontalSpacing(24);
    body->addWidget(Picture("Other", "Connected", QSize(150, 292)), 0, 0, 3, 1, Qt::AlignTop);
    auto* name = Keyed(new QLabel("Repair the system of your device"), "PRODUCT_NAME_LABLE");
    body->addWidget(name, 0, 1, 1, 2);
    body->addWidget(
        ModeCard("Standard Mode", "Repairing iOS system won\u2019t cause any data loss.", "StandardM", "Standard Mode"),
        1, 1);
    body->addWidget(
        ModeCard("Advanced Mode", "Repairing iOS system would erase your data.", "AdvancedM", "Advanced Mode"), 1, 2);
    auto* row = new QHBoxLayout;
    auto* device = Keyed(new QComboBox, "DEVICE_AND_SYSTEM");
    device->addItem("iPhone 8 (Recovery mode)");
    device->setFixedSize(S(190), S(30));
    row->addWidget(device);
    auto* recovery = Keyed(new QPushButton("Exit Recovery Mode"), "BTN_RECOVERY_MODE");
    recovery->setFixedSize(S(180), S(30));
    row->addWidget(recovery);
    auto* progress = Keyed(new QProgressBar, "SAVEIOS_PROCESS");
    progress->setRange(0, 1000);
    progress->setValue(620);
    progress->setFixedHeight(S(8));
    row->addWidget(progress, 1);
    body->addLayout(row, 2, 1, 1, 2);
    column->addLayout(body);

    auto* guides = new QHBoxLayout;
    guides->setContentsMargins(40, 0, 40, 0);
    for (const char* step : {"iPhone8-1", "iPhone8-2", "iPhone8-3", "OtheriDevices2", "AppleTVHD2"})
        guides->addWidget(Picture("Steps", step, QSize(110, 150)));
    guides->addWidget(Picture("Other", "DownloadFailed", QSize(150, 135)));
    column->addLayout(guides);

    auto* status = Keyed(new QWidget, "STATUS_BAR");
    status->setAttribute(Qt::WA_StyledBackground);
    auto* bar = new QHBoxLayout(status);
    bar->setContentsMargins(20, 12, 20, 16);
    SkinManager::Instance()->ChangePart("Buttun");
    auto* back = Keyed(new MyButton, "BTN_BACK");
    back->setButtonType(BUTTON_ICON_TEXT);
    back->setIconMargin(4);
    back->setFixedSize(S(58), S(32));
    back->changeIcon("Back");
    bar->addWidget(back);
    bar->addWidget(Keyed(new QLabel("How to enter recovery mode?"), "SHOW_RECOVERY_GUIDE_LBL"));
    bar->addStretch();
    bar->addWidget(Keyed(new MyButton, "BTN_NEXT_AND_DOWNLOAD"));
    static_cast<QPushButton*>(bar->itemAt(bar->count() - 1)->widget())->setText("Start");
    column->addWidget(status);
    return page;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString root =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + "/../../bin/Skin";
    QDir::setCurrent(QFileInfo(root).absolutePath()); // Icon.qss names pictures relative to the program folder
    SkinManager* skin = SkinManager::Instance();
    skin->SetBaseWidth(2560.0);
    skin->InitScale(&gUiScale, &gFontScale);
    skin->SetLogoSources(QCoreApplication::applicationDirPath() +
                             "/../../../resources/skinart/Edition/win/Skin_logo.png",
                         QCoreApplication::applicationDirPath() + "/../../../resources/skinart/Edition/win/Logo.xml");
    skin->Init(0, {"Style1", "Style2"}, SkinLogoKey{"Win", "Tavik", "ml", "Mendra"}, QDir(root).absolutePath());
    skin->SetLogoDoubleResolution(false);
    skin->LoadStyleSheet();
    app.setStyleSheet(skin->GetStyleSheet());
    QWidget* page = Page();
    page->setStyleSheet(ReadText(skin->GetColorQssPath()) + ReadText(skin->GetIconQssPath()));
    page->setWindowTitle("Skin preview");
    page->resize(S(1180), S(760));
    page->show();
    return app.exec();
}
