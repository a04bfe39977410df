// Shows the about dialog in its child frame with the shipped skin and the shipped edition, for a person
// (or a screenshot) to look at:   show_aboutview [LANG]

#include "ShowSetup.h"
#include "dialogs/MyAboutView.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString language = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("en");
    SetUpLikeTheProgram(language);
    auto* view = new MyAboutView(nullptr, Qt::FramelessWindowHint);
    const auto frame = ShowInChildFrame(view, "ABOUT_FRAME", QStringLiteral("aboutFrame"));
    return application.exec();
}
