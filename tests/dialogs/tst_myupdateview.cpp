// The "Software Update" dialog: its four states by object name, exact texts and size, what its buttons
// ask of the program, its texts in another language, and the dialog driven by a real update check.

#include "FindWidget.h"
#include "FlowDialog.h"
#include "FrameworkSkin.h"
#include "RunLogText.h"
#include "UpdateTestServer.h"
#include "app/EditionData.h"
#include "app/Language.h"
#include "app/RunLog.h"
#include "dialogs/MyUpdateView.h"
#include "dialogs/UpdateViewHost.h"
#include "update/UpdateFlow.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(UpdateViewState)

using UpdateViewPages::CheckingPage;
using UpdateViewPages::UpdatePage;

namespace {

class RecordingHost : public UpdateViewHost {
public:
    void CheckForUpdate() override {
        ++checks;
        if (onCheck)
            onCheck();
    }
    void SkipVersion(const QString& version) override { skipped << version; }
    QString GetUpdateDescription() override { return description; }
    QString GetUpdateDownloadUrl() override { return downloadUrl; }
    void OpenDownloadAddress(const QUrl& address) override { opened << address; }

    int checks = 0;
    std::function<void()> onCheck;
    QStringList skipped;
    QList<QUrl> opened;
    QString description = QStringLiteral("Fixes and improvements.");
    QString downloadUrl = QStringLiteral("https://dl.tavik.example/mendra.exe?product=MENDRA-TEST&lang=en");
};

QString Text(const QWidget& view, const char* name) {
    if (auto* label = view.findChild<QLabel*>(QLatin1String(name)))
        return label->text();
    if (auto* button = view.findChild<QPushButton*>(QLatin1String(name)))
        return button->text();
    return QStringLiteral("<no widget %1>").arg(QLatin1String(name));
}

} // namespace

class TestMyUpdateView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void newViewIsChecking();
    void states_data();
    void states();
    void retryAsksForACheck();
    void skipRecordsTheVersion();
    void update_data();
    void update();
    void otherLanguage();
    void retryAfterARealFailure();

private:
    QTemporaryDir m_dataDir;
};

void TestMyUpdateView::initTestCase() {
    QVERIFY(LoadEditionData());
    gAppData->Version = QStringLiteral("1.0");
    QVERIFY(m_dataDir.isValid());
    QVERIFY(OpenRunLog(m_dataDir.path(), "1.0", "Linux"));
}

void TestMyUpdateView::init() {
    SetSkinScaleForScreenWidth(1920);
}

void TestMyUpdateView::newViewIsChecking() {
    MyUpdateView view(nullptr, Qt::FramelessWindowHint);
    view.show();
    QCOMPARE(view.windowTitle(), QStringLiteral("Software Update"));
    QCOMPARE(view.GetState(), UpdateViewState::Checking);
    QCOMPARE(view.GetPage(), UpdatePage::CheckingOrFailed);
    QCOMPARE(view.GetCheckingPage(), CheckingPage::Busy);
    auto* bar = Find<QProgressBar>(view, "updateProgressBar");
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 0);
    QVERIFY(!Find<QPushButton>(view, "RetryButton")->isVisible());
    QCOMPARE(view.size(), QSize(468, 150));
    QVERIFY(!view.IsChecking());
}

void TestMyUpdateView::states_data() {
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<UpdateViewState>("state");
    QTest::addColumn<UpdatePage>("page");
    QTest::addColumn<CheckingPage>("checkingPage");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QStringList>("texts"); // "objectName=text"
    QTest::addColumn<QSize>("size");

    const QString failed = QStringLiteral("Other errors. Please contact our Customer Service Center. (-1048593)");
    for (const int width : {1920, 3840}) {
        const double scale = width == 1920 ? 1.0 : 1.5;
        const auto sized = [scale](int w, int h) { return QSize(int(w * scale), int(h * scale)); };
        const QByteArray at = width == 1920 ? " at 1.0" : " at 1.5";
        QTest::newRow("checking" + at) << width << UpdateViewState::Checking << UpdatePage::CheckingOrFailed
                                       << CheckingPage::Busy << QStringList{"updateProgressBar", "iconLabel"}
                                       << QStringList{} << sized(468, 150);
        QTest::newRow("update available" + at)
            << width << UpdateViewState::UpdateAvailable << UpdatePage::UpdateAvailable << CheckingPage::Busy
            << QStringList{"UpdateButton", "SkipButton", "NewInfoBrowser", "LastLabel", "CurrentLabel"}
            << QStringList{"LastLabel=Update available: 2.0", "CurrentLabel=Current version: 1.0",
                           "UpdateButton=Update", "SkipButton=Skip"}
            << sized(468, 340);
        QTest::newRow("latest version" + at) << width << UpdateViewState::LatestVersion << UpdatePage::LatestVersion
                                             << CheckingPage::Busy << QStringList{"OKButton", "NewestLabel"}
                                             << QStringList{"NewestLabel=Update:you are using the newest version.",
                                                            "PresentLabel=Current version: 1.0", "OKButton=OK"}
                                             << sized(468, 170);
        QTest::newRow("check failed" + at)
            << width << UpdateViewState::CheckFailed << UpdatePage::CheckingOrFailed << CheckingPage::Failed
            << QStringList{"RetryButton", "checkStateLabel"}
            << QStringList{"checkStateLabel=" + failed, "RetryButton=Retry"} << sized(468, 170);
    }
}

// Each state as the update flow reaches it: new version and message first, then the state.
void TestMyUpdateView::states() {
    QFETCH(int, screenWidth);
    QFETCH(UpdateViewState, state);
    QFETCH(UpdatePage, page);
    QFETCH(CheckingPage, checkingPage);
    QFETCH(QStringList, visible);
    QFETCH(QStringList, texts);
    QFETCH(QSize, size);
    SetSkinScaleForScreenWidth(screenWidth);

    RecordingHost host;
    MyUpdateView view(nullptr, Qt::FramelessWindowHint);
    view.SetHost(&host);
    view.show();
    view.SetNewVersion(QStringLiteral("2.0"));
    view.SetMessage(state == UpdateViewState::LatestVersion
                        ? QStringLiteral("Update:you are using the newest version.")
                        : QStringLiteral("Other errors. Please contact our Customer Service Center. (-1048593)"));
    view.SetState(state);

    QCOMPARE(view.GetPage(), page);
    QCOMPARE(view.GetCheckingPage(), checkingPage);
    for (const QString& name : visible)
        QVERIFY2(view.findChild<QWidget*>(name)->isVisible(), qPrintable(name));
    QCOMPARE(Find<QPushButton>(view, "RetryButton")->isVisible(), state == UpdateViewState::CheckFailed);
    for (const QString& text : texts) {
        const int equals = text.indexOf(QLatin1Char('='));
        QCOMPARE(Text(view, text.left(equals).toLatin1().constData()), text.mid(equals + 1));
    }
    if (state == UpdateViewState::UpdateAvailable)
        QCOMPARE(Find<QTextBrowser>(view, "NewInfoBrowser")->toPlainText(), host.description);
    QCOMPARE(view.size(), size);
    QCOMPARE(Find<QPushButton>(view, "RetryButton")->size(), QSize(UiScaled(120), UiScaled(32)));
}

// "Retry" asks for a new check every time it is shown, whatever the checking mark says.
void TestMyUpdateView::retryAsksForACheck() {
    RecordingHost host;
    MyUpdateView view;
    view.SetHost(&host);
    host.onCheck = [&] { view.SetState(UpdateViewState::Checking); };
    view.show();
    auto* retry = Find<QPushButton>(view, "RetryButton");
    for (int attempt = 1; attempt <= 2; ++attempt) {
        view.SetChecking(attempt == 2);
        view.SetMessage(QStringLiteral("Update:xml data error. (14)"));
        view.SetState(UpdateViewState::CheckFailed);
        QVERIFY(retry->isVisible());
        QTest::mouseClick(retry, Qt::LeftButton);
        QCOMPARE(host.checks, attempt);
        QCOMPARE(view.GetState(), UpdateViewState::Checking);
        QVERIFY(!retry->isVisible());
    }
}

void TestMyUpdateView::skipRecordsTheVersion() {
    RecordingHost host;
    MyUpdateView view;
    view.SetHost(&host);
    view.show();
    view.SetNewVersion(QStringLiteral("2.0.1"));
    view.SetState(UpdateViewState::UpdateAvailable);
    QTest::mouseClick(Find<QPushButton>(view, "SkipButton"), Qt::LeftButton);
    QCOMPARE(host.skipped, QStringList{"2.0.1"});
    QVERIFY(host.opened.isEmpty());
    QVERIFY(!view.isVisible());
}

void TestMyUpdateView::update_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opens");
    QTest::newRow("https") << "https://dl.tavik.example/mendra.exe?product=MENDRA-TEST&lang=en" << true;
    QTest::newRow("http") << "http://dl.tavik.example/mendra.exe?product=MENDRA-TEST&lang=en" << true;
    QTest::newRow("local file") << "file:///etc/passwd?product=MENDRA-TEST&lang=en" << false;
    QTest::newRow("script") << "javascript:alert(1)" << false;
    QTest::newRow("another program") << "ms-settings:windowsupdate" << false;
    QTest::newRow("no host") << "http:///mendra.exe" << false;
    QTest::newRow("only the query") << "?product=MENDRA-TEST&lang=en" << false;
    QTest::newRow("none") << "" << false;
    QTest::newRow("a megabyte of a file address") << "file:///" + QString(1 << 20, QLatin1Char('a')) << false;
}

// "Update" hands on only a web address; anything else is logged. The dialog closes either way.
void TestMyUpdateView::update() {
    QFETCH(QString, address);
    QFETCH(bool, opens);
    RecordingHost host;
    host.downloadUrl = address;
    MyUpdateView view;
    view.SetHost(&host);
    view.show();
    view.SetNewVersion(QStringLiteral("2.0.1"));
    view.SetState(UpdateViewState::UpdateAvailable);
    const QString logBefore = RunLogText();

    QTest::mouseClick(Find<QPushButton>(view, "UpdateButton"), Qt::LeftButton);
    QVERIFY(host.skipped.isEmpty());
    const QString logged = RunLogText().mid(logBefore.size());
    if (opens) {
        QCOMPARE(host.opened, QList<QUrl>{QUrl(address)});
        QVERIFY(!view.isVisible());
        QVERIFY(logged.isEmpty());
    } else {
        QVERIFY(host.opened.isEmpty());
        QVERIFY(!view.isVisible());
        QVERIFY2(logged.contains(QLatin1String("Update: no download address")) && logged.size() < 400,
                 qPrintable(logged.left(400)));
    }
}

// A change of language gives every text of the dialog anew; the state stays.
void TestMyUpdateView::otherLanguage() {
    RecordingHost host;
    MyUpdateView view;
    view.SetHost(&host);
    view.SetNewVersion(QStringLiteral("2.0"));
    view.SetState(UpdateViewState::UpdateAvailable);
    QVERIFY(LoadTranslator(QStringLiteral("de"), qEnvironmentVariable("MENDRA_RUNTIME_DIR") + "/Language",
                           QStringLiteral("Mendra")));
    host.description = QStringLiteral("Fehler behoben.");
    view.Retranslate();
    const QString available = QCoreApplication::translate("MyUpdateView", "Update available:");
    QVERIFY(available != QLatin1String("Update available:"));
    QCOMPARE(Text(view, "LastLabel"), available + QStringLiteral(" 2.0"));
    QCOMPARE(Text(view, "CurrentLabel"),
             QCoreApplication::translate("MyUpdateView", "Current version:") + QStringLiteral(" 1.0"));
    QCOMPARE(Text(view, "UpdateButton"), QCoreApplication::translate("UpdateView", "Update"));
    QCOMPARE(view.windowTitle(), QCoreApplication::translate("UpdateView", "Software Update"));
    QVERIFY(view.windowTitle() != QLatin1String("Software Update"));
    QCOMPARE(Find<QTextBrowser>(view, "NewInfoBrowser")->toPlainText(), host.description);
    QCOMPARE(view.GetState(), UpdateViewState::UpdateAvailable);
    QVERIFY(LoadTranslator(QStringLiteral("en"), qEnvironmentVariable("MENDRA_RUNTIME_DIR") + "/Language",
                           QStringLiteral("Mendra")));
}

// The dialog on a real check: a server that fails every try, then "Retry" against it answering.
void TestMyUpdateView::retryAfterARealFailure() {
    PythonPeer server;
    QVERIFY(StartUpdateServer(server));
    auto service = MakeService(AnswerEndpoint(server, QStringLiteral("error500,error500,error500,newer")), "1.0");
    FlowDialog dialog(*service);
    MyUpdateView& view = dialog.view;
    QSignalSpy& finished = dialog.finished;

    view.SetChecking(true);
    dialog.flow.CheckForUpdate(false);
    QVERIFY(finished.wait(30000));
    QCOMPARE(view.GetState(), UpdateViewState::CheckFailed);
    QVERIFY(!view.IsChecking());
    QCOMPARE(Text(view, "checkStateLabel"),
             QStringLiteral("Other errors. Please contact our Customer Service Center. (-1048593)"));

    QTest::mouseClick(Find<QPushButton>(view, "RetryButton"), Qt::LeftButton);
    QCOMPARE(view.GetState(), UpdateViewState::Checking);
    QVERIFY(finished.wait(30000));
    QCOMPARE(view.GetState(), UpdateViewState::UpdateAvailable);
    QCOMPARE(Text(view, "LastLabel"), QStringLiteral("Update available: 2.1.0"));
    QCOMPARE(Find<QTextBrowser>(view, "NewInfoBrowser")->toPlainText(), QStringLiteral("Fixes and improvements."));
}

QTEST_MAIN(TestMyUpdateView)
#include "tst_myupdateview.moc"
