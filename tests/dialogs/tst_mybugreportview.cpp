// The "Bug Report" dialog: its look when new, what "Submit" hands to the program, each display state of a
// send by object name and exact text, the stop when it closes, the remembered sender, and its texts in
// another language.

#include "FindWidget.h"
#include "FrameworkSkin.h"
#include "UnattachableFile.h"
#include "app/EditionData.h"
#include "app/Language.h"
#include "app/MendraData.h"
#include "app/MyConfig.h"
#include "app/TextUtils.h"
#include "dialogs/BugReportViewHost.h"
#include "dialogs/MyBugReportView.h"
#include "framework/ChildFrame.h"
#include "framework/MyButton.h"
#include "framework/TitleBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(BugReportViewState)

namespace {

struct Handover {
    QString name;
    QString email;
    QString description;
    QString attachment;
};

// The program's side as the dialog sees it: it records what it is handed and, when told to, answers as
// the sending side does.
class RecordingHost : public BugReportViewHost {
public:
    bool IsBugReportSetUp() override { return setUp; }
    void SendBugReport(BugReportDisplay* view) override {
        handovers << Handover{view->Name(), view->Email(), view->Content(), view->AttachmentPath()};
        if (onSend)
            onSend(view);
    }
    void StopBugReport(BugReportDisplay* view) override {
        stops << view;
        if (view->IsSending())
            view->SetState(BugReportViewState::Stopped);
    }
    void BugReportViewDestroyed(BugReportDisplay* view) override { destroyed << view; }
    QString SupportedFilesFilter() override { return QStringLiteral("Supported Files (*.png;*.jpg);;"); }

    bool setUp = true;
    std::function<void(BugReportDisplay*)> onSend;
    QList<Handover> handovers;
    QList<BugReportDisplay*> stops;
    QList<BugReportDisplay*> destroyed;
};

// How the sending side starts a send it accepts.
void StartSend(BugReportDisplay* view) {
    view->SetProgress(0);
    view->ShowEmailValid();
    view->SetState(BugReportViewState::Sending);
}

// The sending side's checks before a send: the address, then the description.
void CheckThenSend(BugReportDisplay* view) {
    view->SetProgress(0);
    if (!IsValidEmail(view->Email())) {
        view->ShowEmailInvalid();
        return;
    }
    view->ShowEmailValid();
    if (view->Content().isEmpty())
        return;
    view->SetState(BugReportViewState::Sending);
}

QString LabelText(const QWidget& view, const char* name) {
    return Find<QLabel>(view, name)->text();
}

// Shown within the dialog (the dialog itself may sit in a hidden frame).
bool Shown(const QWidget& view, const char* name) {
    return Find<QWidget>(view, name)->isVisibleTo(&view);
}

void Click(const QWidget& view, const char* name) {
    QTest::mouseClick(Find<QPushButton>(view, name), Qt::LeftButton);
}

// A dialog that goes away during a send, and one that goes away idle.
void AddSendingRows() {
    QTest::addColumn<bool>("sending");
    QTest::newRow("while sending") << true;
    QTest::newRow("idle") << false;
}

const char kNotSetUp[] = "Bug reports are not set up on this installation.";
const char kSent[] = "<font color=#1fa97a>Bug Report sent successful!</font>";
const char kFailed[] = "<font color=#e5484d>Bug Report sent failed!</font>";

bool UseLanguage(const char* code) {
    gAppData->Language = QLatin1String(code);
    return LoadTranslator(QLatin1String(code), qEnvironmentVariable("MENDRA_RUNTIME_DIR") + "/Language",
                          QStringLiteral("Mendra"));
}

} // namespace

class TestMyBugReportView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void newView_data();
    void newView();
    void chinesePromptHeight();
    void submitHandsOverWhatIsTyped_data();
    void submitHandsOverWhatIsTyped();
    void attachment();
    void states_data();
    void states();
    void progress_data();
    void progress();
    void results_data();
    void results();
    void secondSubmitWhileSending();
    void retryAfterFailure();
    void notSetUp();
    void addressCheck_data();
    void addressCheck();
    void fieldMarks_data();
    void fieldMarks();
    void attachmentSizeWhenChosen();
    void attachmentThatCannotBeAttached_data();
    void attachmentThatCannotBeAttached();
    void closingStopsTheSend_data();
    void closingStopsTheSend();
    void destroyedView_data();
    void destroyedView();
    void remembersTheSender();
    void otherLanguage();

private:
    QTemporaryDir m_home;
};

void TestMyBugReportView::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.filePath(QStringLiteral("home")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    QVERIFY(LoadEditionData());
    gConfig = new MyConfig();
    QCOMPARE(InitShippedSkin(), int(SkinManager::StatusFound));
}

void TestMyBugReportView::init() {
    SetSkinScaleForScreenWidth(1920);
    QVERIFY(UseLanguage("en"));
    gConfig->SetCustomName(QString(), false);
    gConfig->SetCustomEmail(QString(), false);
}

void TestMyBugReportView::cleanupTestCase() {
    delete gConfig;
    gConfig = nullptr;
}

void TestMyBugReportView::newView_data() {
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("storedEmail");
    QTest::newRow("nothing stored at 1.0") << 1920 << ""
                                           << "";
    QTest::newRow("sender stored at 1.0") << 1920 << "Erika Müller"
                                          << "erika@example.com";
    QTest::newRow("sender stored at 1.5") << 3840 << "Erika Müller"
                                          << "erika@example.com";
}

void TestMyBugReportView::newView() {
    QFETCH(int, screenWidth);
    QFETCH(QString, storedName);
    QFETCH(QString, storedEmail);
    SetSkinScaleForScreenWidth(screenWidth);
    gConfig->SetCustomName(storedName, false);
    gConfig->SetCustomEmail(storedEmail, false);
    SkinManager::Instance()->ChangePart(QStringLiteral("Successful"));

    MyBugReportView view(nullptr, Qt::FramelessWindowHint);
    view.show();
    const auto scaled = [](int w, int h) { return QSize(UiScaled(w), UiScaled(h)); };
    QCOMPARE(view.windowTitle(), QStringLiteral("Bug Report"));
    QCOMPARE(LabelText(view, "PromptLabel"), QStringLiteral("Please send us the questions you encountered during the "
                                                            "use of this software. We will answer you as soon as we "
                                                            "receive it."));
    auto* email = Find<QLineEdit>(view, "EmailEdit");
    auto* name = Find<QLineEdit>(view, "NameEdit");
    auto* description = Find<QTextEdit>(view, "textEdit");
    QCOMPARE(email->text(), storedEmail);
    QCOMPARE(name->text(), storedName);
    QCOMPARE(email->placeholderText(), QStringLiteral("Email"));
    QCOMPARE(name->placeholderText(), QStringLiteral("Name"));
    QCOMPARE(description->placeholderText(), QStringLiteral("If you have encountered some problems or received an "
                                                            "error,please send us your details or screenshots."));
    QVERIFY(description->toPlainText().isEmpty());
    QCOMPARE(Find<QPushButton>(view, "SubmitButton")->text(), QStringLiteral("Submit"));
    QCOMPARE(Find<QPushButton>(view, "AttachButton")->text(), QStringLiteral("Attach File"));
    for (const char* hidden : {"WarningLbl", "BRStateLbl", "progressBar"})
        QVERIFY2(!Shown(view, hidden), hidden);
    QVERIFY(LabelText(view, "WarningLbl").isEmpty());
    QVERIFY(LabelText(view, "BRStateLbl").isEmpty());
    auto* bar = Find<QProgressBar>(view, "progressBar");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 0);
    QVERIFY(!bar->isTextVisible());
    QCOMPARE(view.GetState(), BugReportViewState::Idle);
    QVERIFY(!view.IsSending());
    QVERIFY(view.AttachmentPath().isEmpty());

    QCOMPARE(view.size(), scaled(468, 350));
    QCOMPARE(Find<QPushButton>(view, "SubmitButton")->size(), scaled(120, 32));
    QCOMPARE(name->size(), scaled(134, 20));
    QCOMPARE(email->size(), scaled(280, 20));
    QCOMPARE(description->height(), UiScaled(160));
    QCOMPARE(Find<QPushButton>(view, "SubmitButton")->focusPolicy(), Qt::NoFocus);

    const QList<QPair<const char*, const char*>> keys{
        {"PromptLabel", "BUG_PROMPT"},  {"EmailEdit", "BUG_INFOEDIT"},      {"NameEdit", "BUG_INFOEDIT"},
        {"SubmitButton", "BUG_BTN"},    {"AttachButton", "BUG_ATTACH_BTN"}, {"WarningLbl", "BUG_WARNING"},
        {"progressBar", "BR_PROGRESS"}, {"textEdit", "BUG_TEXT_EDIT"}};
    for (const auto& key : keys)
        QCOMPARE(Find<QWidget>(view, key.first)->property("STYLE_KEY").toString(), QLatin1String(key.second));
    QCOMPARE(SkinManager::Instance()->GetCurrentPart(), QStringLiteral("Message"));
}

// Only the Chinese edition fixes the prompt's height; another language gives the prompt its lines back.
void TestMyBugReportView::chinesePromptHeight() {
    SetSkinScaleForScreenWidth(3840);
    QVERIFY(UseLanguage("zh"));
    MyBugReportView view;
    view.show();
    auto* prompt = Find<QLabel>(view, "PromptLabel");
    QCOMPARE(prompt->height(), UiScaled(40));
    view.Retranslate();
    QCOMPARE(prompt->minimumHeight(), UiScaled(40));
    QCOMPARE(prompt->maximumHeight(), UiScaled(40));

    QVERIFY(UseLanguage("de"));
    view.Retranslate();
    QCOMPARE(prompt->minimumHeight(), 0);
    QCOMPARE(prompt->maximumHeight(), QWIDGETSIZE_MAX);
}

void TestMyBugReportView::submitHandsOverWhatIsTyped_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("attachment");
    QTest::newRow("plain") << "Erika"
                           << "erika@example.com"
                           << "The repair stopped at 42 %."
                           << "";
    QTest::newRow("attachment with blanks") << "Erika"
                                            << "erika@example.com"
                                            << "See the picture."
                                            << "/tmp/my pictures/screen shot 1.png";
    QTest::newRow("non-ASCII and lines") << "Jürgen 王"
                                         << "jürgen@example.com"
                                         << "Zeile 1\nZeile 2\n.\nÄnde"
                                         << "/tmp/bild.jpg";
    QTest::newRow("blanks kept") << "  Erika  "
                                 << " erika@example.com "
                                 << "  text  "
                                 << "";
    // The dialog checks nothing: the program decides what an empty form means.
    QTest::newRow("empty form") << ""
                                << ""
                                << ""
                                << "";
}

// Each click hands the dialog over once; the program reads exactly what was typed and chosen.
void TestMyBugReportView::submitHandsOverWhatIsTyped() {
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, description);
    QFETCH(QString, attachment);
    RecordingHost host;
    MyBugReportView view;
    view.SetHost(&host);
    view.SetAttachmentChooser([&](QWidget*, const QString&, const QString&, const QString&) { return attachment; });
    view.show();
    Find<QLineEdit>(view, "NameEdit")->setText(name);
    Find<QLineEdit>(view, "EmailEdit")->setText(email);
    Find<QTextEdit>(view, "textEdit")->setPlainText(description);
    Click(view, "AttachButton");

    Click(view, "SubmitButton");
    QCOMPARE(host.handovers.size(), 1);
    const Handover& handed = host.handovers.first();
    QCOMPARE(handed.name, name);
    QCOMPARE(handed.email, email);
    QCOMPARE(handed.description, description);
    QCOMPARE(handed.attachment, attachment);
    // Nothing was started, so the dialog shows nothing new.
    QCOMPARE(view.GetState(), BugReportViewState::Idle);
    QVERIFY(!Shown(view, "progressBar"));
    QVERIFY(!Shown(view, "BRStateLbl"));

    Click(view, "SubmitButton");
    QCOMPARE(host.handovers.size(), 2);
}

// The file dialog gets its caption, the data folder and the program's filter; a cancelled choice takes the
// former attachment back.
void TestMyBugReportView::attachment() {
    RecordingHost host;
    MyBugReportView view;
    view.SetHost(&host);
    struct Call {
        QWidget* parent;
        QString caption, folder, filter;
    };
    QList<Call> calls;
    QStringList answers{QStringLiteral("/tmp/shots/screen shot.png"), QString()};
    view.SetAttachmentChooser(
        [&](QWidget* parent, const QString& caption, const QString& folder, const QString& filter) {
            calls << Call{parent, caption, folder, filter};
            return answers.takeFirst();
        });
    view.show();
    auto* button = Find<QPushButton>(view, "AttachButton");

    Click(view, "AttachButton");
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].parent, &view);
    QCOMPARE(calls[0].caption, QStringLiteral("Add Attachment"));
    QCOMPARE(calls[0].folder, gConfig->GetDataDir());
    QCOMPARE(calls[0].filter, QStringLiteral("Supported Files (*.png;*.jpg);;"));
    QCOMPARE(view.AttachmentPath(), QStringLiteral("/tmp/shots/screen shot.png"));
    QCOMPARE(button->text(), QStringLiteral("Attachment: screen shot.png"));
    QCOMPARE(button->toolTip(), QStringLiteral("/tmp/shots/screen shot.png"));

    Click(view, "AttachButton");
    QCOMPARE(calls.size(), 2);
    QVERIFY(view.AttachmentPath().isEmpty());
    QCOMPARE(button->text(), QStringLiteral("Attach File"));
    QVERIFY(button->toolTip().isEmpty());
}

void TestMyBugReportView::states_data() {
    QTest::addColumn<QList<BugReportViewState>>("steps");
    QTest::addColumn<BugReportViewState>("state");
    QTest::addColumn<bool>("sending");
    QTest::addColumn<bool>("progress");
    QTest::addColumn<bool>("label");
    using S = BugReportViewState;
    QTest::newRow("sending") << QList<S>{S::Sending} << S::Sending << true << true << false;
    QTest::newRow("sending, finished") << QList<S>{S::Sending, S::Finished} << S::Finished << false << false << true;
    QTest::newRow("sending, stopped") << QList<S>{S::Sending, S::Stopped} << S::Stopped << false << true << false;
    QTest::newRow("finished, stopped keeps the label")
        << QList<S>{S::Sending, S::Finished, S::Stopped} << S::Stopped << false << true << true;
    QTest::newRow("finished, sending again")
        << QList<S>{S::Sending, S::Finished, S::Sending} << S::Sending << true << true << false;
    QTest::newRow("back to idle") << QList<S>{S::Sending, S::Finished, S::Idle} << S::Idle << false << false << false;
    QTest::newRow("an unknown state changes nothing")
        << QList<S>{S::Sending, static_cast<S>(42)} << S::Sending << true << true << false;
}

void TestMyBugReportView::states() {
    QFETCH(QList<BugReportViewState>, steps);
    QFETCH(BugReportViewState, state);
    QFETCH(bool, sending);
    QFETCH(bool, progress);
    QFETCH(bool, label);
    MyBugReportView view;
    view.show();
    view.SetStateText(QStringLiteral("<b>done</b>"));
    for (const BugReportViewState step : steps)
        view.SetState(step);
    QCOMPARE(view.GetState(), state);
    QCOMPARE(view.IsSending(), sending);
    QCOMPARE(Shown(view, "progressBar"), progress);
    QCOMPARE(Shown(view, "BRStateLbl"), label);
    QCOMPARE(LabelText(view, "BRStateLbl"), QStringLiteral("<b>done</b>"));
    QVERIFY(Shown(view, "SubmitButton"));
}

void TestMyBugReportView::progress_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("shown");
    QTest::newRow("start") << 0 << 0;
    QTest::newRow("a third") << 33 << 33;
    QTest::newRow("all") << 100 << 100;
    QTest::newRow("past the estimate") << 140 << 100;
    QTest::newRow("below zero") << -5 << 0;
}

void TestMyBugReportView::progress() {
    QFETCH(int, percent);
    QFETCH(int, shown);
    MyBugReportView view;
    view.show();
    view.SetState(BugReportViewState::Sending);
    view.SetProgress(50);
    view.SetProgress(percent);
    QCOMPARE(Find<QProgressBar>(view, "progressBar")->value(), shown);
    QVERIFY(Shown(view, "progressBar"));
}

void TestMyBugReportView::results_data() {
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QString>("text");
    QTest::newRow("sent") << true << kSent;
    QTest::newRow("failed") << false << kFailed;
}

// The end of a send: progress gone, the result in the skin's colour, the sending mark cleared.
void TestMyBugReportView::results() {
    QFETCH(bool, sent);
    QFETCH(QString, text);
    RecordingHost host;
    host.onSend = StartSend;
    MyBugReportView view;
    view.SetHost(&host);
    view.show();
    Click(view, "SubmitButton");
    view.SetProgress(70);
    view.ShowResult(sent);
    QCOMPARE(view.GetState(), BugReportViewState::Finished);
    QVERIFY(!view.IsSending());
    QVERIFY(!Shown(view, "progressBar"));
    QVERIFY(Shown(view, "BRStateLbl"));
    QCOMPARE(LabelText(view, "BRStateLbl"), text);
    QVERIFY(Find<QLabel>(view, "BRStateLbl")->width() >= UiScaled(200));
}

// A second "Submit" during a send is handed over as well: the program answers it (it sends one report at a
// time). The running send's display stays, and only the sender of the accepted report is remembered.
void TestMyBugReportView::secondSubmitWhileSending() {
    RecordingHost host;
    host.onSend = [](BugReportDisplay* view) {
        if (!view->IsSending())
            StartSend(view);
    };
    MyBugReportView view;
    view.SetHost(&host);
    view.show();
    Find<QLineEdit>(view, "NameEdit")->setText(QStringLiteral("Erika"));
    Find<QLineEdit>(view, "EmailEdit")->setText(QStringLiteral("erika@example.com"));
    Click(view, "SubmitButton");
    view.SetProgress(40);
    Find<QLineEdit>(view, "NameEdit")->setText(QStringLiteral("Max"));
    Click(view, "SubmitButton");

    QCOMPARE(host.handovers.size(), 2);
    QCOMPARE(host.handovers[1].name, QStringLiteral("Max"));
    QCOMPARE(view.GetState(), BugReportViewState::Sending);
    QVERIFY(view.IsSending());
    QCOMPARE(Find<QProgressBar>(view, "progressBar")->value(), 40);
    QCOMPARE(gConfig->GetCustomName(), QStringLiteral("Erika"));
}

// A failed send, then "Submit" (or the program's own retry): the same report again, shown as a new send.
void TestMyBugReportView::retryAfterFailure() {
    RecordingHost host;
    host.onSend = StartSend;
    MyBugReportView view;
    view.SetHost(&host);
    view.SetAttachmentChooser(
        [](QWidget*, const QString&, const QString&, const QString&) { return QStringLiteral("/tmp/shot.png"); });
    view.show();
    Find<QLineEdit>(view, "NameEdit")->setText(QStringLiteral("Erika"));
    Find<QLineEdit>(view, "EmailEdit")->setText(QStringLiteral("erika@example.com"));
    Find<QTextEdit>(view, "textEdit")->setPlainText(QStringLiteral("It hangs."));
    Click(view, "AttachButton");
    Click(view, "SubmitButton");
    view.SetProgress(80);
    view.ShowResult(false);
    QCOMPARE(LabelText(view, "BRStateLbl"), QString(kFailed));

    Click(view, "SubmitButton");
    QCOMPARE(host.handovers.size(), 2);
    const Handover& again = host.handovers[1];
    QCOMPARE(again.name, QStringLiteral("Erika"));
    QCOMPARE(again.email, QStringLiteral("erika@example.com"));
    QCOMPARE(again.description, QStringLiteral("It hangs."));
    QCOMPARE(again.attachment, QStringLiteral("/tmp/shot.png"));
    QCOMPARE(view.GetState(), BugReportViewState::Sending);
    QCOMPARE(Find<QProgressBar>(view, "progressBar")->value(), 0);
    QVERIFY(Shown(view, "progressBar"));
    QVERIFY(!Shown(view, "BRStateLbl"));

    view.SetProgress(100);
    view.ShowResult(true);
    QCOMPARE(LabelText(view, "BRStateLbl"), QString(kSent));
    QVERIFY(!Shown(view, "progressBar"));
}

// Without a mail account the dialog says so as it opens, before anything is typed, and "Submit" hands
// nothing over; once there is one, the report goes.
void TestMyBugReportView::notSetUp() {
    RecordingHost host;
    host.setUp = false;
    host.onSend = StartSend;
    MyBugReportView view;
    view.SetHost(&host);
    view.show();
    QCOMPARE(view.GetState(), BugReportViewState::NotSetUp);
    QVERIFY(Shown(view, "BRStateLbl"));
    QCOMPARE(LabelText(view, "BRStateLbl"), QString(kNotSetUp));
    Find<QLineEdit>(view, "EmailEdit")->setText(QStringLiteral("erika@example.com"));
    Find<QTextEdit>(view, "textEdit")->setPlainText(QStringLiteral("It hangs."));

    for (int click = 0; click < 2; ++click) {
        Click(view, "SubmitButton");
        QVERIFY(host.handovers.isEmpty());
        QCOMPARE(view.GetState(), BugReportViewState::NotSetUp);
        QVERIFY(!view.IsSending());
        QVERIFY(Shown(view, "BRStateLbl"));
        QCOMPARE(LabelText(view, "BRStateLbl"), QString(kNotSetUp));
        QVERIFY(!Shown(view, "progressBar"));
        QVERIFY(!Shown(view, "WarningLbl"));
    }
    QVERIFY(gConfig->GetCustomEmail().isEmpty());

    host.setUp = true;
    Click(view, "SubmitButton");
    QCOMPARE(host.handovers.size(), 1);
    QCOMPARE(view.GetState(), BugReportViewState::Sending);
    QVERIFY(!Shown(view, "BRStateLbl"));
}

void TestMyBugReportView::addressCheck_data() {
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("sends");
    QTest::newRow("empty address") << ""
                                   << "It hangs." << false << false;
    QTest::newRow("no dot after the @") << "erika@example"
                                        << "It hangs." << false << false;
    QTest::newRow("a header in the address") << "erika@example.com\r\nBcc: all@example.com"
                                             << "It hangs." << false << false;
    QTest::newRow("empty description") << "erika@example.com"
                                       << "" << true << false;
    QTest::newRow("valid") << "erika@example.com"
                           << "It hangs." << true << true;
}

// The address as the sending side's check marks it: a red border and the warning, both gone after a later
// valid check.
void TestMyBugReportView::addressCheck() {
    QFETCH(QString, email);
    QFETCH(QString, description);
    QFETCH(bool, valid);
    QFETCH(bool, sends);
    RecordingHost host;
    host.onSend = CheckThenSend;
    MyBugReportView view;
    view.SetHost(&host);
    view.show();
    auto* address = Find<QLineEdit>(view, "EmailEdit");
    address->setText(email);
    Find<QTextEdit>(view, "textEdit")->setPlainText(description);

    Click(view, "SubmitButton");
    QCOMPARE(host.handovers.size(), 1);
    QCOMPARE(Shown(view, "WarningLbl"), !valid);
    QCOMPARE(address->styleSheet(),
             valid ? QStringLiteral("border: 1px solid #ccd0d2;") : QStringLiteral("border: 1px solid #ff0000;"));
    if (!valid)
        QCOMPARE(LabelText(view, "WarningLbl"), QStringLiteral("Invalid email address."));
    QCOMPARE(view.IsSending(), sends);
    QCOMPARE(Shown(view, "progressBar"), sends);
    if (valid)
        return;

    address->setText(QStringLiteral("erika@example.com"));
    Click(view, "SubmitButton");
    QVERIFY(!Shown(view, "WarningLbl"));
    QCOMPARE(address->styleSheet(), QStringLiteral("border: 1px solid #ccd0d2;"));
    QCOMPARE(view.IsSending(), !description.isEmpty());
}

void TestMyBugReportView::fieldMarks_data() {
    QTest::addColumn<QStringList>("marks"); // the sending side's calls, in order
    QTest::addColumn<QString>("warning");   // empty: none shown
    QTest::addColumn<bool>("nameMarked");
    const QString name = QStringLiteral("Invalid characters in the name.");
    const QString size = QStringLiteral("The attachment is larger than 17 MB.");
    QTest::newRow("name") << QStringList{"EmailValid", "NameInvalid"} << name << true;
    QTest::newRow("attachment") << QStringList{"EmailValid", "NameValid", "AttachmentTooLarge"} << size << false;
    QTest::newRow("the address before the name")
        << QStringList{"NameInvalid", "EmailInvalid"} << QStringLiteral("Invalid email address.") << true;
    QTest::newRow("the name before the attachment") << QStringList{"AttachmentTooLarge", "NameInvalid"} << name << true;
    QTest::newRow("name mended") << QStringList{"NameInvalid", "NameValid"} << QString() << false;
    QTest::newRow("all mended") << QStringList{"EmailInvalid", "NameInvalid", "AttachmentTooLarge",
                                               "EmailValid",   "NameValid",   "AttachmentFits"}
                                << QString() << false;
}

// The name and the attachment are marked as the address is: one warning under the fields for the first
// problem, a red border on a name that cannot go into the mail, both gone once mended.
void TestMyBugReportView::fieldMarks() {
    QFETCH(QStringList, marks);
    QFETCH(QString, warning);
    QFETCH(bool, nameMarked);
    MyBugReportView view;
    view.show();
    const auto nameSheet = Find<QLineEdit>(view, "NameEdit")->styleSheet();
    for (const QString& mark : marks) {
        if (mark == "EmailValid")
            view.ShowEmailValid();
        else if (mark == "EmailInvalid")
            view.ShowEmailInvalid();
        else if (mark == "NameValid")
            view.ShowNameValid();
        else if (mark == "NameInvalid")
            view.ShowNameInvalid();
        else if (mark == "AttachmentFits")
            view.ShowAttachmentFits();
        else if (mark == "AttachmentTooLarge")
            view.ShowAttachmentTooLarge();
    }
    QCOMPARE(Shown(view, "WarningLbl"), !warning.isEmpty());
    if (!warning.isEmpty())
        QCOMPARE(LabelText(view, "WarningLbl"), warning);
    QCOMPARE(Find<QLineEdit>(view, "NameEdit")->styleSheet(),
             nameMarked ? QStringLiteral("border: 1px solid #ff0000;") : nameSheet);
}

// A file over the limit is named too large as soon as it is chosen, before the report is written.
void TestMyBugReportView::attachmentSizeWhenChosen() {
    QTemporaryDir folder;
    const QString big = folder.filePath(QStringLiteral("big.png"));
    const QString small = folder.filePath(QStringLiteral("small.png"));
    QFile file(big);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(BugReportDisplay::MaxAttachmentBytes + 1));
    file.close();
    QFile smallFile(small);
    QVERIFY(smallFile.open(QIODevice::WriteOnly) && smallFile.write("png") == 3);
    smallFile.close();
    RecordingHost host;
    MyBugReportView view;
    view.SetHost(&host);
    QStringList answers{big, small, big, QString()};
    view.SetAttachmentChooser(
        [&](QWidget*, const QString&, const QString&, const QString&) { return answers.takeFirst(); });
    view.show();

    Click(view, "AttachButton");
    QVERIFY(Shown(view, "WarningLbl"));
    QCOMPARE(LabelText(view, "WarningLbl"), QStringLiteral("The attachment is larger than 17 MB."));
    QCOMPARE(view.AttachmentPath(), big);
    Click(view, "AttachButton");
    QVERIFY(!Shown(view, "WarningLbl"));
    Click(view, "AttachButton");
    QVERIFY(Shown(view, "WarningLbl"));
    // A cancelled choice takes the file back, and the warning with it.
    Click(view, "AttachButton");
    QVERIFY(!Shown(view, "WarningLbl"));
    QVERIFY(view.AttachmentPath().isEmpty());
}

void TestMyBugReportView::attachmentThatCannotBeAttached_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("named"); // the name the warning gives
    QTest::newRow("no such file") << "removed"
                                  << "gone.png";
    QTest::newRow("a FIFO") << "fifo"
                            << "pipe.png";
    QTest::newRow("/dev/zero typed in") << "device"
                                        << "zero";
    QTest::newRow("a folder") << "folder"
                              << "folder.png";
    QTest::newRow("a link") << "link"
                            << "link.png";
    QTest::newRow("markup in the name") << "removed"
                                        << "<b>bold<i>&amp;.png";
}

// A file that cannot be attached is named under the fields as soon as it is chosen, as plain text; a file that
// can takes the warning back.
void TestMyBugReportView::attachmentThatCannotBeAttached() {
    QFETCH(QString, kind);
    QFETCH(QString, named);
    QTemporaryDir folder;
    const QString good = folder.filePath(QStringLiteral("good.png"));
    QFile goodFile(good);
    QVERIFY(goodFile.open(QIODevice::WriteOnly) && goodFile.write("png") == 3);
    goodFile.close();
    const QString chosen = MakeUnattachable(kind, folder.filePath(named), good);
    QVERIFY(!chosen.isEmpty());
    RecordingHost host;
    MyBugReportView view;
    view.SetHost(&host);
    QStringList answers{chosen, good};
    view.SetAttachmentChooser(
        [&](QWidget*, const QString&, const QString&, const QString&) { return answers.takeFirst(); });
    view.show();

    Click(view, "AttachButton");
    QVERIFY(Shown(view, "WarningLbl"));
    // The name as it is, or cut in its middle to the room the row leaves beside the attachment's button.
    auto* warning = Find<QLabel>(view, "WarningLbl");
    const QRegularExpressionMatch said =
        QRegularExpression("^The file (.+) cannot be attached\\.$").match(LabelText(view, "WarningLbl"));
    QVERIFY2(said.hasMatch(), qPrintable(LabelText(view, "WarningLbl")));
    const QString shown = said.captured(1);
    QVERIFY2(shown == named || (shown.contains(QChar(0x2026)) && named.startsWith(shown.section(QChar(0x2026), 0, 0)) &&
                                named.endsWith(shown.section(QChar(0x2026), 1))),
             qPrintable(shown));
    QCOMPARE(warning->toolTip(), QDir::toNativeSeparators(chosen));
    QCOMPARE(warning->textFormat(), Qt::PlainText);
    QCOMPARE(view.AttachmentPath(), chosen);
    Click(view, "AttachButton");
    QVERIFY(!Shown(view, "WarningLbl"));
    QVERIFY(warning->toolTip().isEmpty());
}

void TestMyBugReportView::closingStopsTheSend_data() {
    AddSendingRows();
}

// The frame's close button during a send stops it: the program is told once and the dialog shows the stop.
void TestMyBugReportView::closingStopsTheSend() {
    QFETCH(bool, sending);
    RecordingHost host;
    host.onSend = StartSend;
    auto* view = new MyBugReportView(nullptr, Qt::FramelessWindowHint);
    view->SetHost(&host);
    ChildFrame frame(view, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    if (sending) {
        Click(*view, "SubmitButton");
        view->SetProgress(30);
    }

    QTest::mouseClick(frame.GetTitleBar()->CloseButton(), Qt::LeftButton);
    QTRY_VERIFY(!frame.isVisible());
    QCOMPARE(host.stops.size(), sending ? 1 : 0);
    QVERIFY(!view->IsSending());
    QCOMPARE(view->GetState(), sending ? BugReportViewState::Stopped : BugReportViewState::Idle);
    QCOMPARE(Shown(*view, "progressBar"), sending);
    QCOMPARE(Find<QProgressBar>(*view, "progressBar")->value(), sending ? 30 : 0);
    QVERIFY(host.destroyed.isEmpty());
    delete view;
    QCOMPARE(host.stops.size(), sending ? 1 : 0);
    QCOMPARE(host.destroyed.size(), 1);
}

void TestMyBugReportView::destroyedView_data() {
    AddSendingRows();
}

// A dialog deleted during its send stops the send first; the program then forgets the dialog.
void TestMyBugReportView::destroyedView() {
    QFETCH(bool, sending);
    RecordingHost host;
    host.onSend = StartSend;
    auto* view = new MyBugReportView;
    view->SetHost(&host);
    if (sending)
        view->SltReport();
    BugReportDisplay* display = view;
    delete view;
    QCOMPARE(host.stops, sending ? QList<BugReportDisplay*>{display} : QList<BugReportDisplay*>{});
    QCOMPARE(host.destroyed, QList<BugReportDisplay*>{display});
}

// The sender of a report that goes out is offered by the next dialog of the run; a refused one is not. The
// settings file does not get the address.
void TestMyBugReportView::remembersTheSender() {
    RecordingHost host;
    host.onSend = CheckThenSend;
    {
        MyBugReportView view;
        view.SetHost(&host);
        view.show();
        Find<QLineEdit>(view, "NameEdit")->setText(QStringLiteral("Jürgen"));
        Find<QLineEdit>(view, "EmailEdit")->setText(QStringLiteral("juergen@example"));
        Find<QTextEdit>(view, "textEdit")->setPlainText(QStringLiteral("It hangs."));
        Click(view, "SubmitButton");
        QVERIFY(gConfig->GetCustomName().isEmpty());
        QVERIFY(gConfig->GetCustomEmail().isEmpty());

        Find<QLineEdit>(view, "EmailEdit")->setText(QStringLiteral("juergen@example.com"));
        Click(view, "SubmitButton");
        QVERIFY(view.IsSending());
        QCOMPARE(gConfig->GetCustomName(), QStringLiteral("Jürgen"));
        QCOMPARE(gConfig->GetCustomEmail(), QStringLiteral("juergen@example.com"));
    }
    MyBugReportView next;
    QCOMPARE(Find<QLineEdit>(next, "NameEdit")->text(), QStringLiteral("Jürgen"));
    QCOMPARE(Find<QLineEdit>(next, "EmailEdit")->text(), QStringLiteral("juergen@example.com"));
    QVERIFY(gConfig->ReadValue(QStringLiteral("CustomEmail"), QString()).isEmpty());
}

// A change of language gives every text anew, also what the labels say about the address, the result and
// the attachment.
void TestMyBugReportView::otherLanguage() {
    RecordingHost host;
    host.onSend = StartSend;
    MyBugReportView view;
    view.SetHost(&host);
    view.SetAttachmentChooser(
        [](QWidget*, const QString&, const QString&, const QString&) { return QStringLiteral("/tmp/bild.png"); });
    view.show();
    Click(view, "AttachButton");
    Click(view, "SubmitButton");
    view.ShowResult(false);
    view.ShowEmailInvalid();

    QVERIFY(UseLanguage("de"));
    view.Retranslate();
    const auto form = [](const char* text) { return QCoreApplication::translate("BugReportView", text); };
    const auto own = [](const char* text) { return QCoreApplication::translate("MyBugReportView", text); };
    QVERIFY(form("Submit") != QLatin1String("Submit"));
    QCOMPARE(view.windowTitle(), form("Bug Report"));
    QCOMPARE(LabelText(view, "PromptLabel"),
             form("Please send us the questions you encountered during the use of this software. We will answer you "
                  "as soon as we receive it."));
    QCOMPARE(Find<QPushButton>(view, "SubmitButton")->text(), form("Submit"));
    QCOMPARE(LabelText(view, "WarningLbl"), own("Invalid email address."));
    QVERIFY(Shown(view, "WarningLbl"));
    view.ShowEmailValid();
    view.ShowNameInvalid();
    QVERIFY(own("Invalid characters in the name.") != QLatin1String("Invalid characters in the name."));
    QCOMPARE(LabelText(view, "WarningLbl"), own("Invalid characters in the name."));
    view.ShowNameValid();
    view.ShowAttachmentTooLarge();
    QCOMPARE(LabelText(view, "WarningLbl"), own("The attachment is larger than %1 MB.").arg(17));
    QCOMPARE(LabelText(view, "WarningLbl"), QStringLiteral("Der Anhang ist größer als 17 MB."));
    view.ShowAttachmentUnreadable();
    // The name may be cut to the room the German words leave.
    QVERIFY(own("The file %1 cannot be attached.") == QStringLiteral("Die Datei %1 kann nicht angehängt werden."));
    QVERIFY2(QRegularExpression(QStringLiteral("^Die Datei b(ild.pn|\u2026)g kann nicht angehängt werden\\.$"))
                 .match(LabelText(view, "WarningLbl"))
                 .hasMatch(),
             qPrintable(LabelText(view, "WarningLbl")));
    view.ShowAttachmentFits();
    view.ShowEmailInvalid();
    QCOMPARE(Find<QLineEdit>(view, "EmailEdit")->placeholderText(), own("Email"));
    QCOMPARE(Find<QLineEdit>(view, "NameEdit")->placeholderText(), own("Name"));
    QCOMPARE(Find<QTextEdit>(view, "textEdit")->placeholderText(),
             own("If you have encountered some problems or received an error,please send us your details or "
                 "screenshots."));
    QCOMPARE(Find<QPushButton>(view, "AttachButton")->text(), own("Attachment: %1").arg(QStringLiteral("bild.png")));
    QCOMPARE(LabelText(view, "BRStateLbl"),
             QStringLiteral("<font color=#e5484d>%1</font>")
                 .arg(QCoreApplication::translate("MyModel", "Bug Report sent failed!")));
    QCOMPARE(LabelText(view, "BRStateLbl"),
             QStringLiteral("<font color=#e5484d>Fehlerbericht konnte nicht gesendet werden!</font>"));
    QCOMPARE(view.GetState(), BugReportViewState::Finished);

    host.setUp = false;
    Click(view, "SubmitButton");
    QCOMPARE(LabelText(view, "BRStateLbl"), QStringLiteral("Fehlerberichte sind in dieser Installation nicht "
                                                           "eingerichtet."));
    // A text the program gave stays as it was given.
    view.SetStateText(QStringLiteral("<i>Fertig</i>"));
    view.Retranslate();
    QCOMPARE(LabelText(view, "BRStateLbl"), QStringLiteral("<i>Fertig</i>"));
    QVERIFY(UseLanguage("en"));
    view.Retranslate();
    QCOMPARE(Find<QPushButton>(view, "AttachButton")->text(), QStringLiteral("Attachment: bild.png"));
}

QTEST_MAIN(TestMyBugReportView)
#include "tst_mybugreportview.moc"
