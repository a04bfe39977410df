// Shows the bug-report dialog in its child frame with the shipped skin, for a person (or a screenshot) to
// look at:   show_bugreportview idle|sending|success|failure|notsetup|invalid|badname|toolarge|unreadable [LANG]
// Each word shows that state with made-up values; nothing is sent.

#include "ShowSetup.h"
#include "dialogs/BugReportViewHost.h"
#include "dialogs/MyBugReportView.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

class ShowHost : public BugReportViewHost {
public:
    explicit ShowHost(bool setUp) : m_setUp(setUp) {}
    bool IsBugReportSetUp() override { return m_setUp; }
    void SendBugReport(BugReportDisplay*) override {}
    void StopBugReport(BugReportDisplay*) override {}
    void BugReportViewDestroyed(BugReportDisplay*) override {}
    QString SupportedFilesFilter() override { return QStringLiteral("Supported Files (*.png);;"); }

private:
    bool m_setUp;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString state = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("idle");
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");

    SetUpLikeTheProgram(language);

    ShowHost host(state != QLatin1String("notsetup"));
    auto* view = new MyBugReportView(nullptr, Qt::FramelessWindowHint);
    view->SetHost(&host);
    // A picture that is there, but for the state in which it went after it was chosen.
    QTemporaryDir pictures;
    const QString picture = pictures.filePath(QStringLiteral("screen shot.png"));
    QFile file(picture);
    if (state != QLatin1String("unreadable") && file.open(QIODevice::WriteOnly))
        file.write("png");
    file.close();
    view->SetAttachmentChooser([picture](QWidget*, const QString&, const QString&, const QString&) { return picture; });
    if (state != QLatin1String("idle")) {
        view->EmailEdit->setText(QStringLiteral("erika.muster@example.com"));
        view->NameEdit->setText(QStringLiteral("Erika Muster"));
        view->textEdit->setPlainText(QStringLiteral("The repair stopped at 42 % with error 4013.\n"
                                                    "The phone restarted twice and now shows the cable logo."));
        view->SltAddAnnex();
    }
    if (state == QLatin1String("sending")) {
        view->SetProgress(45);
        view->SetState(BugReportViewState::Sending);
    } else if (state == QLatin1String("success")) {
        view->ShowResult(true);
    } else if (state == QLatin1String("failure")) {
        view->ShowResult(false);
    } else if (state == QLatin1String("notsetup")) {
        view->SltReport();
    } else if (state == QLatin1String("invalid")) {
        view->EmailEdit->setText(QStringLiteral("erika.muster@example"));
        view->ShowEmailInvalid();
    } else if (state == QLatin1String("badname")) {
        view->NameEdit->setText(QStringLiteral("Erika\tMuster"));
        view->ShowNameInvalid();
    } else if (state == QLatin1String("toolarge")) {
        view->ShowAttachmentTooLarge();
    }

    const auto frame = ShowInChildFrame(view, "BUG_FRAME", QStringLiteral("bugReportFrame"));
    return application.exec();
}
