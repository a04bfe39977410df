// The controller's dialog frames with the real settings, about and update dialogs: each dialog is made once
// and kept across openings, also when the main window goes or closes while one is open; the settings reach
// the engine at once; the update dialog's questions are answered; the start-up's update offer waits for a
// quiet moment; a change of language reaches the kept dialogs.

#include "ControllerFixture.h"
#include "UrlRecorder.h"

#include "app/EditionData.h"
#include "app/Language.h"
#include "app/MyConfig.h"
#include "controller/Controller.h"
#include "dialogs/MyAboutView.h"
#include "dialogs/MySettingView.h"
#include "dialogs/MyUpdateView.h"
#include "framework/ChildFrame.h"
#include "framework/MyFrame.h"
#include "framework/TitleBar.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

enum class Dialog { Setting, About, Update };

// What the window does to the open dialog: the frame's close button, the dialog ending itself (its OK,
// Skip or Update), Esc.
using Closer = std::function<void(CAbstractFrame* frame)>;
const QList<Closer> kClosers{
    [](CAbstractFrame* frame) { QMetaObject::invokeMethod(frame, "CloseSlot", Qt::QueuedConnection); },
    [](CAbstractFrame* frame) { QMetaObject::invokeMethod(frame->GetInnerWidget(), "close", Qt::QueuedConnection); },
    [](CAbstractFrame* frame) {
        QWidget* view = frame->GetInnerWidget();
        QTimer::singleShot(0, view, [view] { QTest::keyClick(view, Qt::Key_Escape); });
    },
};

// How the main window stops being there while a dialog is open.
enum class WindowEnd { Destroyed, Closed };

template <typename T> QList<T> Repeated(const T& value, int times) {
    QList<T> list;
    for (int i = 0; i < times; ++i)
        list << value;
    return list;
}

QString RuntimeLanguageFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Language");
}

// What stands in the way of the start-up's update offer.
enum class Blocker { None, WindowHidden, WindowMinimized, ModalBox, OwnDialog };

} // namespace

Q_DECLARE_METATYPE(Dialog)
Q_DECLARE_METATYPE(WindowEnd)
Q_DECLARE_METATYPE(Blocker)
Q_DECLARE_METATYPE(UpdateViewState)

class TestControllerDialogs : public QObject, public ControllerFixture {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void keptAcrossOpenings_data();
    void keptAcrossOpenings();
    void runningCheckNotStartedAgain();
    void mainWindowEndsWhileOpen_data();
    void mainWindowEndsWhileOpen();
    void settingsReachTheEngine();
    void updateDialogButtons_data();
    void updateDialogButtons();
    void startupOfferWaitsForQuiet_data();
    void startupOfferWaitsForQuiet();
    void startupOfferMadeOnce();
    void startupOfferAfterTheMenusOffer_data();
    void startupOfferAfterTheMenusOffer();
    void keptDialogsFollowTheLanguage();
    void languageIsRemembered();

private:
    void Open(Dialog dialog);
    QWidget* KeptView(Dialog dialog) const;
    // Runs action inside the next dialog frame's modal run, then closes the frame.
    void WhileNextFrameRuns(const std::function<void(CAbstractFrame*)>& action);
    QStringList OpenedFrames();

    QStringList m_opened;
    std::function<void(CAbstractFrame*)> m_onOpen;
};

void TestControllerDialogs::initTestCase() {
    SetUpHome();
}

void TestControllerDialogs::init() {
    MakeController();
    m_opened.clear();
    m_onOpen = nullptr;
    // Every frame that opens is recorded and handed to the test's action, or closed at once.
    connect(m_controller, &Controller::dialogFrameOpened, this, [this](CAbstractFrame* frame) {
        m_opened << frame->property("STYLE_KEY").toString();
        // A copy: the action may replace itself.
        if (const auto action = m_onOpen)
            action(frame);
        else
            kClosers.first()(frame);
    });
}

void TestControllerDialogs::cleanup() {
    DeleteController();
    gConfig->SetSkipVersion(QString(), true);
}

void TestControllerDialogs::cleanupTestCase() {
    TearDownHome();
}

void TestControllerDialogs::Open(Dialog dialog) {
    switch (dialog) {
    case Dialog::Setting:
        m_controller->ShowSettingFrame();
        break;
    case Dialog::About:
        m_controller->ShowAboutFrame();
        break;
    case Dialog::Update:
        m_controller->ShowUpdateFrame(false);
        break;
    }
}

QWidget* TestControllerDialogs::KeptView(Dialog dialog) const {
    switch (dialog) {
    case Dialog::Setting:
        return m_controller->GetSettingView();
    case Dialog::About:
        return m_controller->GetAboutView();
    case Dialog::Update:
        return m_controller->GetUpdateView();
    }
    return nullptr;
}

void TestControllerDialogs::WhileNextFrameRuns(const std::function<void(CAbstractFrame*)>& action) {
    m_onOpen = [this, action](CAbstractFrame* frame) {
        m_onOpen = nullptr;
        QTimer::singleShot(0, frame, [frame, action] {
            action(frame);
            QMetaObject::invokeMethod(frame, "CloseSlot", Qt::QueuedConnection);
        });
    };
}

QStringList TestControllerDialogs::OpenedFrames() {
    return std::exchange(m_opened, QStringList());
}

void TestControllerDialogs::keptAcrossOpenings_data() {
    QTest::addColumn<Dialog>("dialog");
    QTest::addColumn<QString>("styleKey");
    QTest::addColumn<QString>("titleName");
    QTest::newRow("settings") << Dialog::Setting << "SETTING_FRAME"
                              << "settingFrame";
    QTest::newRow("about") << Dialog::About << "ABOUT_FRAME"
                           << "aboutFrame";
    QTest::newRow("update") << Dialog::Update << "UPDATE_FRAME"
                            << "updateFrame";
}

// Each opening shows the one kept dialog in a frame of its own, whichever way the last one was closed; in
// between, the dialog waits with the main window and no frame is left.
void TestControllerDialogs::keptAcrossOpenings() {
    QFETCH(Dialog, dialog);
    QFETCH(QString, styleKey);
    QFETCH(QString, titleName);
    QList<QWidget*> shown;
    QList<bool> visible;
    QList<bool> titled;
    QList<bool> translucent;
    int closer = 0;
    m_onOpen = [&](CAbstractFrame* frame) {
        shown << frame->GetInnerWidget();
        visible << frame->GetInnerWidget()->isVisibleTo(frame);
        titled << (frame->findChild<QWidget*>(titleName) != nullptr);
        translucent << frame->testAttribute(Qt::WA_TranslucentBackground);
        kClosers.at(closer)(frame);
    };
    m_window->widget.show();
    QWidget* view = nullptr;
    for (closer = 0; closer < kClosers.size(); ++closer) {
        Open(dialog);
        if (!view)
            view = KeptView(dialog);
        QVERIFY(view);
        QCOMPARE(KeptView(dialog), view);
        // Back with the main window, and not shown inside it.
        QCOMPARE(view->parentWidget(), &m_window->widget);
        QVERIFY(!view->isVisible());
        QVERIFY(m_window->widget.findChildren<ChildFrame*>().isEmpty());
    }
    const int times = kClosers.size();
    QCOMPARE(OpenedFrames(), QStringList(Repeated(styleKey, times)));
    QCOMPARE(shown, Repeated(view, times));
    QCOMPARE(visible, Repeated(true, times));
    QCOMPARE(titled, Repeated(true, times));
    // The offscreen screen does not composite: the frames are flat, with no translucent shadow ring.
    QCOMPARE(translucent, Repeated(false, times));
}

void TestControllerDialogs::runningCheckNotStartedAgain() {
    m_controller->ShowUpdateFrame(false);
    QVERIFY(m_controller->GetUpdateView()->IsChecking());
    // The engine has not answered yet: the dialog shows the running check.
    m_controller->ShowUpdateFrame(false);
    QCOMPARE(m_engine->calls, (QStringList{"SetUpdateView", "CheckForUpdate(manual)"}));
    QCOMPARE(OpenedFrames(), (QStringList{"UPDATE_FRAME", "UPDATE_FRAME"}));
}

void TestControllerDialogs::mainWindowEndsWhileOpen_data() {
    QTest::addColumn<Dialog>("dialog");
    QTest::addColumn<WindowEnd>("end");
    for (const auto& [name, dialog] : {std::pair("settings", Dialog::Setting), std::pair("about", Dialog::About),
                                       std::pair("update", Dialog::Update)}) {
        QTest::newRow(qPrintable(QStringLiteral("%1, window destroyed").arg(name))) << dialog << WindowEnd::Destroyed;
        QTest::newRow(qPrintable(QStringLiteral("%1, window closed").arg(name))) << dialog << WindowEnd::Closed;
    }
}

// The main window destroys its controller, then its children, the open frame and the kept dialogs among
// them; nothing of them is touched afterwards. A main window that only closes keeps its dialogs for the
// next opening.
void TestControllerDialogs::mainWindowEndsWhileOpen() {
    QFETCH(Dialog, dialog);
    QFETCH(WindowEnd, end);
    MyFrame mainFrame(new QWidget, nullptr, CAbstractFrame::FRAME_CLOSE | CAbstractFrame::FRAME_MAIN, QPixmap(), 0);
    m_controller->SetMainFrame(&mainFrame);
    mainFrame.show();
    m_window->widget.show();

    QPointer<QWidget> view;
    m_onOpen = [&](CAbstractFrame* frame) {
        m_onOpen = nullptr;
        view = frame->GetInnerWidget();
        QTimer::singleShot(0, this, [&, frame] {
            if (end == WindowEnd::Destroyed) {
                delete m_controller;
                m_controller = nullptr;
                delete m_window;
                m_window = nullptr;
            } else {
                mainFrame.CloseSlot();
                kClosers.first()(frame);
            }
        });
    };
    Controller* controller = m_controller;
    switch (dialog) {
    case Dialog::Setting:
        controller->ShowSettingFrame();
        break;
    case Dialog::About:
        controller->ShowAboutFrame();
        break;
    case Dialog::Update:
        controller->ShowUpdateFrame(false);
        break;
    }
    if (end == WindowEnd::Destroyed) {
        QVERIFY(!view);
        QVERIFY(!Controller::Instance());
        return;
    }
    QVERIFY(!mainFrame.isVisible());
    QVERIFY(view);
    QList<QWidget*> shown;
    m_onOpen = [&](CAbstractFrame* frame) {
        shown << frame->GetInnerWidget();
        kClosers.first()(frame);
    };
    Open(dialog);
    QCOMPARE(shown, QList<QWidget*>{view.data()});
}

// Both values go to the engine as the user changes them; opening the dialog alone asks nothing of it.
void TestControllerDialogs::settingsReachTheEngine() {
    m_controller->ShowSettingFrame();
    QVERIFY(m_engine->calls.isEmpty());

    QTemporaryDir folder;
    MySettingView* view = m_controller->GetSettingView();
    view->SetFolderChooser(
        [&](QWidget*, const QString&, const QString&, QFileDialog::Options) { return folder.path(); });
    view->SetFreeSpaceQuery([](const QString&) { return qint64(1) << 40; });
    WhileNextFrameRuns([view](CAbstractFrame*) {
        view->SettingPath->click();
        view->deleteFileBox->click();
        view->deleteFileBox->click();
    });
    m_controller->ShowSettingFrame();
    QCOMPARE(m_engine->calls, (QStringList{"SetDownloadFolder(" + QDir::toNativeSeparators(folder.path()) + ")",
                                           "SetDeleteFirmware(1)", "SetDeleteFirmware(0)"}));
    QCOMPARE(gConfig->GetDownloadPath(), QDir::toNativeSeparators(folder.path()));
}

void TestControllerDialogs::updateDialogButtons_data() {
    QTest::addColumn<UpdateViewState>("state");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("downloadUrl");
    QTest::addColumn<QList<QUrl>>("opened");
    QTest::addColumn<QString>("skipped");
    QTest::addColumn<QStringList>("calls");
    const QString address = QStringLiteral("https://dl.tavik.example/mendra-2.2.0.run?lang=en");
    const QStringList opening{"SetUpdateView", "CheckForUpdate(manual)"};
    QTest::newRow("Skip") << UpdateViewState::UpdateAvailable << "SkipButton" << address << QList<QUrl>{} << "2.2.0"
                          << opening;
    QTest::newRow("Update") << UpdateViewState::UpdateAvailable << "UpdateButton" << address
                            << QList<QUrl>{QUrl(address)} << "" << opening;
    // An address that is no web address opens nothing.
    QTest::newRow("Update, a file address") << UpdateViewState::UpdateAvailable << "UpdateButton"
                                            << "file:///etc/passwd" << QList<QUrl>{} << "" << opening;
    QTest::newRow("Retry") << UpdateViewState::CheckFailed << "RetryButton" << address << QList<QUrl>{} << ""
                           << opening + QStringList{"CheckForUpdate(manual)"};
}

// The dialog's buttons as a user presses them: the notes, the download address, the skipped version and a
// new check come from the controller.
void TestControllerDialogs::updateDialogButtons() {
    QFETCH(UpdateViewState, state);
    QFETCH(QString, button);
    QFETCH(QString, downloadUrl);
    QFETCH(QList<QUrl>, opened);
    QFETCH(QString, skipped);
    QFETCH(QStringList, calls);
    m_engine->newestVersion = QStringLiteral("2.2.0");
    m_engine->downloadUrl = downloadUrl;
    UrlRecorder recorder({QStringLiteral("https"), QStringLiteral("file")});
    QString notes;
    WhileNextFrameRuns([&](CAbstractFrame* frame) {
        auto* view = qobject_cast<MyUpdateView*>(frame->GetInnerWidget());
        view->SetNewVersion(QStringLiteral("2.2.0"));
        view->SetState(state);
        notes = view->NewInfoBrowser->toPlainText();
        view->findChild<QPushButton*>(button)->click();
    });
    m_controller->ShowUpdateFrame(false);
    QCOMPARE(notes, state == UpdateViewState::UpdateAvailable ? QStringLiteral("notes") : QString());
    QCOMPARE(recorder.opened, opened);
    QCOMPARE(gConfig->GetSkipVersion(), skipped);
    // In the file at once, as the language is: a program killed now offers it no more.
    QCOMPARE(MyConfig(*gAppData, MyConfig::Access::ReadOnly).GetSkipVersion(), skipped);
    QCOMPARE(m_engine->calls, calls);
}

void TestControllerDialogs::startupOfferWaitsForQuiet_data() {
    QTest::addColumn<Blocker>("blocker");
    QTest::addColumn<QString>("skipped");
    QTest::addColumn<bool>("offered");
    QTest::newRow("quiet") << Blocker::None << "" << true;
    QTest::newRow("quiet, version skipped") << Blocker::None << "2.2.0" << false;
    QTest::newRow("window not yet shown") << Blocker::WindowHidden << "" << true;
    QTest::newRow("window minimised") << Blocker::WindowMinimized << "" << true;
    QTest::newRow("a modal box open") << Blocker::ModalBox << "" << true;
    QTest::newRow("a dialog of the controller open") << Blocker::OwnDialog << "" << true;
    QTest::newRow("a modal box open, version skipped") << Blocker::ModalBox << "2.2.0" << false;
}

// The result of the start-up check comes whenever the server answers: the offer waits until the main
// window is up and nothing modal is open, then comes by itself.
void TestControllerDialogs::startupOfferWaitsForQuiet() {
    QFETCH(Blocker, blocker);
    QFETCH(QString, skipped);
    QFETCH(bool, offered);
    gConfig->SetSkipVersion(skipped, false);
    m_engine->newestVersion = QStringLiteral("2.2.0");
    QWidget& window = m_window->widget;
    QDialog box(&window);
    box.setModal(true);
    switch (blocker) {
    case Blocker::WindowHidden:
        break;
    case Blocker::WindowMinimized:
        window.showMinimized();
        break;
    case Blocker::ModalBox:
        window.show();
        box.show();
        break;
    case Blocker::None:
    case Blocker::OwnDialog:
        window.show();
        break;
    }
    QVERIFY(QTest::qWaitForWindowExposed(&window) || blocker == Blocker::WindowHidden ||
            blocker == Blocker::WindowMinimized);

    const auto resultArrives = [this] {
        m_controller->UpdateCheckedAtStart();
        // The offer is tried from the event loop.
        QCoreApplication::processEvents();
    };
    if (blocker == Blocker::OwnDialog) {
        Controller::StartupOffer whileOpen{};
        WhileNextFrameRuns([&](CAbstractFrame*) {
            resultArrives();
            whileOpen = m_controller->GetStartupOffer();
        });
        m_controller->ShowSettingFrame();
        QCOMPARE(whileOpen, Controller::StartupOffer::AwaitingQuiet);
        QCOMPARE(OpenedFrames(), QStringList{"SETTING_FRAME"});
    } else if (blocker != Blocker::None) {
        resultArrives();
        QCOMPARE(m_controller->GetStartupOffer(), Controller::StartupOffer::AwaitingQuiet);
        QCOMPARE(OpenedFrames(), QStringList{});
        if (blocker == Blocker::ModalBox)
            box.close();
        else
            window.showNormal();
    } else {
        resultArrives();
    }
    QTRY_COMPARE(m_controller->GetStartupOffer(), Controller::StartupOffer::Decided);
    QCOMPARE(OpenedFrames(), offered ? QStringList{"UPDATE_FRAME"} : QStringList{});
}

// However often start-up asks and the check reports, the offer comes once.
void TestControllerDialogs::startupOfferMadeOnce() {
    m_engine->newestVersion = QStringLiteral("2.2.0");
    m_window->widget.show();
    m_controller->OfferUpdateAtStart();
    QCoreApplication::processEvents();
    QCOMPARE(m_controller->GetStartupOffer(), Controller::StartupOffer::AwaitingCheck);
    m_controller->UpdateCheckedAtStart();
    m_controller->OfferUpdateAtStart();
    QTRY_COMPARE(m_controller->GetStartupOffer(), Controller::StartupOffer::Decided);
    m_controller->UpdateCheckedAtStart();
    m_controller->OfferUpdateAtStart();
    QCoreApplication::processEvents();
    QCOMPARE(OpenedFrames(), QStringList{"UPDATE_FRAME"});
    QCOMPARE(m_engine->calls, (QStringList{"SetUpdateView", "CheckForUpdate(start)"}));
}

void TestControllerDialogs::startupOfferAfterTheMenusOffer_data() {
    QTest::addColumn<QString>("shown");  // the version the menu's check offered
    QTest::addColumn<QString>("button"); // how the user left it; empty: the frame's close button
    QTest::addColumn<bool>("offered");   // the start-up then offers 2.2.0
    QTest::newRow("closed") << "2.2.0"
                            << "" << false;
    QTest::newRow("Update pressed") << "2.2.0"
                                    << "UpdateButton" << false;
    QTest::newRow("an older version offered") << "2.1.0"
                                              << "" << true;
}

// The start-up check ends after the user already saw the offer through the menu: it is not shown again.
void TestControllerDialogs::startupOfferAfterTheMenusOffer() {
    QFETCH(QString, shown);
    QFETCH(QString, button);
    QFETCH(bool, offered);
    m_engine->newestVersion = QStringLiteral("2.2.0");
    m_engine->downloadUrl = QStringLiteral("https://dl.tavik.example/mendra-2.2.0.run?lang=en");
    UrlRecorder recorder({QStringLiteral("https")});
    m_window->widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_window->widget));
    WhileNextFrameRuns([&](CAbstractFrame* frame) {
        auto* view = qobject_cast<MyUpdateView*>(frame->GetInnerWidget());
        view->SetNewVersion(shown);
        view->SetState(UpdateViewState::UpdateAvailable);
        if (!button.isEmpty())
            view->findChild<QPushButton*>(button)->click();
    });
    m_controller->ShowUpdateFrame(false);
    QCOMPARE(OpenedFrames(), QStringList{"UPDATE_FRAME"});

    m_controller->UpdateCheckedAtStart();
    QTRY_COMPARE(m_controller->GetStartupOffer(), Controller::StartupOffer::Decided);
    QCOMPARE(OpenedFrames(), offered ? QStringList{"UPDATE_FRAME"} : QStringList{});
}

// Dialogs made in one language open in the next one chosen, their frames' titles too.
void TestControllerDialogs::keptDialogsFollowTheLanguage() {
    QStringList titles;
    QStringList texts;
    m_onOpen = [&](CAbstractFrame* frame) {
        titles << frame->windowTitle();
        QWidget* view = frame->GetInnerWidget();
        if (auto* settings = qobject_cast<MySettingView*>(view))
            texts << settings->selectBtn->text();
        else if (auto* about = qobject_cast<MyAboutView*>(view))
            texts << about->currentVersionLabel->text();
        else if (auto* update = qobject_cast<MyUpdateView*>(view))
            texts << update->RetryButton->text();
        kClosers.first()(frame);
    };
    const QList<Dialog> dialogs{Dialog::Setting, Dialog::About, Dialog::Update};
    for (Dialog dialog : dialogs)
        Open(dialog);
    QCOMPARE(titles, (QStringList{"Setting", "About", "Software Update"}));
    QCOMPARE(texts, (QStringList{"Open", "Current version:", "Retry"}));

    titles.clear();
    texts.clear();
    m_controller->SetLanguageFolder(RuntimeLanguageFolder());
    m_controller->SetLanguage(QStringLiteral("de"));
    for (Dialog dialog : dialogs)
        Open(dialog);
    QCOMPARE(titles, (QStringList{"Einstellungen", "Über", "Softwareaktualisierung"}));
    QCOMPARE(texts, (QStringList{"Öffnen", "Aktuelle Version:", "Wiederholen"}));
    QVERIFY(m_engine->calls.contains(QStringLiteral("SetUpdateLanguage(de)")));

    m_controller->SetLanguage(QStringLiteral("en"));
    QCOMPARE(gConfig->GetLanguage(), QStringLiteral("en"));
}

// The language chosen in the main frame's menu is in the settings file at once.
void TestControllerDialogs::languageIsRemembered() {
    gAppData->Languages = QStringList{"en", "de"};
    MyFrame mainFrame(new QWidget, nullptr, CAbstractFrame::FRAME_CLOSE | CAbstractFrame::FRAME_MAIN, QPixmap(), 0);
    m_controller->SetMainFrame(&mainFrame);
    m_controller->SetLanguageFolder(RuntimeLanguageFolder());
    QAction* german = nullptr;
    for (QAction* action : mainFrame.GetLanguageMenu()->actions()) {
        if (action->data().toString() == QLatin1String("de"))
            german = action;
    }
    QVERIFY(german);
    german->trigger();
    QCOMPARE(gConfig->GetLanguage(), QStringLiteral("de"));
    QCOMPARE(MyConfig(*gAppData, MyConfig::Access::ReadOnly).GetLanguage(), QStringLiteral("de"));
    m_controller->SetLanguage(QStringLiteral("en"));
    gConfig->SetLanguage(QStringLiteral("en"), true);
    gAppData->Languages.clear();
}

QTEST_MAIN(TestControllerDialogs)
#include "moc_UrlRecorder.cpp"
#include "tst_controllerdialogs.moc"
