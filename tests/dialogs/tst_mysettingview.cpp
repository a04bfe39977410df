// The settings dialog: what opening it shows (and that it stores nothing), the folder choice with its
// refusals, the delete-after-repair box, what reaches the device library, its sizes, and its texts and
// warning in every language.

#include "FrameworkSkin.h"
#include "SettingsTestEnv.h"
#include "UrlRecorder.h"
#include "app/Config.h"
#include "app/Language.h"
#include "app/MyConfig.h"
#include "dialogs/MySettingView.h"
#include "dialogs/SettingViewHost.h"
#include "framework/ChildFrame.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

class RecordingHost : public SettingViewHost {
public:
    void SetDownloadFolder(const QString& folder) override { calls << QStringLiteral("folder ") + folder; }
    void SetDeleteFirmware(bool enable) override { calls << QStringLiteral("delete %1").arg(enable ? 1 : 0); }
    QStringList calls;
};

struct ChooserCall {
    QString caption;
    QString folder;
    QFileDialog::Options options;
};

// Which folder the user picks in a row of the folder table.
enum class Pick { NewFolder, UnwritableFolder, VanishedFolder, Nothing };

// A free-space answer of the table that leaves the platform's own query in place.
const qint64 kAskThePlatform = -2;
const qint64 kPlenty = qint64(1) << 40;

const char kNoSpace[] =
    "There is not enough disk space. Please clean up the destination disk or select another folder.";
const char kNotWritable[] = "This folder cannot be written to. Please select another folder.";

template <typename T> T* Find(const QWidget& view, const char* name) {
    T* widget = view.findChild<T*>(QLatin1String(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

QString RuntimeLanguageFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Language");
}

} // namespace

Q_DECLARE_METATYPE(Pick)

class TestMySettingView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void openingStoresNothing_data();
    void openingStoresNothing();
    void deleteBox_data();
    void deleteBox();
    void chooseFolder_data();
    void chooseFolder();
    void goodFolderAfterARefusal();
    void noStoredFolderStartsAtHome();
    void openShowsTheFolder();
    void sizes_data();
    void sizes();
    void otherLanguage();
    void warningFitsInEveryLanguage_data();
    void warningFitsInEveryLanguage();

private:
    // Stored as a fresh start reads them: written to the file, then the settings object made anew.
    void Store(const QString& downloadPath, const QString& deleteFile);
    QString StoredValue(const QString& key) const { return Config(gConfig->GetFile()).GetValue(key); }
    std::unique_ptr<MySettingView> MakeView();

    SettingsTestEnv m_env;
    std::unique_ptr<MyApplicationData> m_edition;
    QString m_oldFolder;
    RecordingHost m_host;
    QList<ChooserCall> m_chooserCalls;
};

void TestMySettingView::initTestCase() {
    QVERIFY(m_env.IsValid());
    m_edition = SettingsTestEnv::Edition();
    QCOMPARE(InitShippedSkin(), 3);
}

void TestMySettingView::init() {
    m_env.Reset();
    SetSkinScaleForScreenWidth(1920);
    m_oldFolder = QDir::toNativeSeparators(m_env.Root() + QStringLiteral("/firmware-old"));
    QVERIFY(QDir().mkpath(m_oldFolder));
    gConfig = new MyConfig(*m_edition);
    Store(m_oldFolder, QStringLiteral("0"));
    m_host.calls.clear();
    m_chooserCalls.clear();
}

void TestMySettingView::cleanup() {
    delete gConfig;
    gConfig = nullptr;
}

void TestMySettingView::Store(const QString& downloadPath, const QString& deleteFile) {
    QVERIFY(gConfig->SetDownloadPath(downloadPath, true));
    QVERIFY(gConfig->SetIsDeleteFile(deleteFile.toInt()));
    delete gConfig;
    gConfig = new MyConfig(*m_edition);
}

std::unique_ptr<MySettingView> TestMySettingView::MakeView() {
    auto view = std::make_unique<MySettingView>(nullptr, Qt::FramelessWindowHint);
    view->SetHost(&m_host);
    view->SetFolderChooser(
        [this](QWidget* parent, const QString& caption, const QString& folder, QFileDialog::Options options) {
            [&] { QVERIFY(parent != nullptr); }();
            m_chooserCalls << ChooserCall{caption, folder, options};
            return QString();
        });
    return view;
}

void TestMySettingView::openingStoresNothing_data() {
    QTest::addColumn<QString>("deleteFile");
    QTest::addColumn<bool>("checked");
    QTest::newRow("stored 0: off") << "0" << false;
    QTest::newRow("stored 2: on, as the box stores it") << "2" << true;
    QTest::newRow("stored 1: on, as an older release stored it") << "1" << true;
}

// The dialog shows the stored values and neither writes the settings nor calls the device library.
void TestMySettingView::openingStoresNothing() {
    QFETCH(QString, deleteFile);
    QFETCH(bool, checked);
    Store(m_oldFolder, deleteFile);
    const QByteArray before = SettingsTestEnv::ReadAll(gConfig->GetFile());
    const QDateTime modified = QFileInfo(gConfig->GetFile()).lastModified();

    auto view = MakeView();
    view->ShowDownloadPath();
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));

    auto* path = Find<QLineEdit>(*view, "filePathLineEdit");
    QCOMPARE(path->text(), m_oldFolder);
    QVERIFY(path->isReadOnly());
    QCOMPARE(path->cursorPosition(), 0);
    QCOMPARE(Find<QCheckBox>(*view, "deleteFileBox")->isChecked(), checked);
    QVERIFY(!Find<QLabel>(*view, "warningLbl")->isVisible());
    QCOMPARE(view->windowTitle(), QStringLiteral("Setting"));
    QCOMPARE(Find<QLabel>(*view, "fileDownloadLbl")->text(), QStringLiteral("Repair file download:"));
    QCOMPARE(Find<QPushButton>(*view, "SettingPath")->text(), QString::fromUtf8("\u00b7\u00b7\u00b7"));
    QCOMPARE(Find<QPushButton>(*view, "selectBtn")->text(), QStringLiteral("Open"));

    view->close();
    QVERIFY(m_host.calls.isEmpty());
    QVERIFY(m_chooserCalls.isEmpty());
    QCOMPARE(SettingsTestEnv::ReadAll(gConfig->GetFile()), before);
    QCOMPARE(QFileInfo(gConfig->GetFile()).lastModified(), modified);
}

void TestMySettingView::deleteBox_data() {
    QTest::addColumn<QString>("deleteFile");
    QTest::addColumn<QString>("firstClick"); // stored value after it
    QTest::addColumn<QString>("secondClick");
    QTest::newRow("from 0") << "0"
                            << "2"
                            << "0";
    QTest::newRow("from 2") << "2"
                            << "0"
                            << "2";
    QTest::newRow("from 1") << "1"
                            << "0"
                            << "2";
}

// Each change is written at once and handed on as 1 or 0, whatever the box's own state value is.
void TestMySettingView::deleteBox() {
    QFETCH(QString, deleteFile);
    QFETCH(QString, firstClick);
    QFETCH(QString, secondClick);
    Store(m_oldFolder, deleteFile);
    auto view = MakeView();
    view->show();
    auto* box = Find<QCheckBox>(*view, "deleteFileBox");

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
    QCOMPARE(StoredValue(QStringLiteral("isIsDeleteFile")), firstClick);
    QCOMPARE(gConfig->GetIsDeleteFile(), firstClick.toInt());
    QCOMPARE(m_host.calls, QStringList{QStringLiteral("delete %1").arg(firstClick != "0")});

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
    QCOMPARE(StoredValue(QStringLiteral("isIsDeleteFile")), secondClick);
    QCOMPARE(m_host.calls.size(), 2);
    QCOMPARE(m_host.calls.last(), QStringLiteral("delete %1").arg(secondClick != "0"));
    // The folder is not touched by the box.
    QCOMPARE(StoredValue(QStringLiteral("DownloadPath")), m_oldFolder);
}

void TestMySettingView::chooseFolder_data() {
    QTest::addColumn<Pick>("pick");
    QTest::addColumn<qint64>("freeBytes");
    QTest::addColumn<QString>("warning"); // empty: the folder is taken

    QTest::newRow("good folder, the platform asked") << Pick::NewFolder << kAskThePlatform << "";
    QTest::newRow("exactly 2 MiB free") << Pick::NewFolder << qint64(0x200000) << "";
    QTest::newRow("full drive") << Pick::NewFolder << qint64(0x200000 - 1) << kNoSpace;
    QTest::newRow("nothing free") << Pick::NewFolder << qint64(0) << kNoSpace;
    QTest::newRow("free space cannot be queried") << Pick::NewFolder << qint64(-1) << kNoSpace;
    QTest::newRow("folder gone since it was picked") << Pick::VanishedFolder << kAskThePlatform << kNoSpace;
    // No one may create a file in /proc, root included.
    QTest::newRow("unwritable folder") << Pick::UnwritableFolder << kPlenty << kNotWritable;
    QTest::newRow("cancelled dialog") << Pick::Nothing << kPlenty << "";
}

// A folder is taken only with room and write access: stored at once, shown and handed on. Otherwise the
// warning says why and the old folder stays in force in the settings, the field and the device library.
void TestMySettingView::chooseFolder() {
    QFETCH(Pick, pick);
    QFETCH(qint64, freeBytes);
    QFETCH(QString, warning);
    QString answer;
    switch (pick) {
    case Pick::NewFolder:
        answer = m_env.Root() + QStringLiteral("/firmware-new");
        QVERIFY(QDir().mkpath(answer));
        break;
    case Pick::UnwritableFolder:
        answer = QStringLiteral("/proc");
        break;
    case Pick::VanishedFolder:
        answer = m_env.Root() + QStringLiteral("/firmware-gone");
        break;
    case Pick::Nothing:
        break;
    }
    const bool taken = pick != Pick::Nothing && warning.isEmpty();

    auto view = MakeView();
    view->SetFolderChooser([&](QWidget*, const QString& caption, const QString& folder, QFileDialog::Options options) {
        m_chooserCalls << ChooserCall{caption, folder, options};
        return answer;
    });
    QStringList asked;
    if (freeBytes != kAskThePlatform) {
        view->SetFreeSpaceQuery([&](const QString& folder) {
            asked << folder;
            return freeBytes;
        });
    }
    view->ShowDownloadPath();
    view->show();
    const QByteArray before = SettingsTestEnv::ReadAll(gConfig->GetFile());

    QTest::mouseClick(Find<QPushButton>(*view, "SettingPath"), Qt::LeftButton);

    QCOMPARE(m_chooserCalls.size(), 1);
    QCOMPARE(m_chooserCalls.first().caption, QStringLiteral("Open Directory"));
    QCOMPARE(m_chooserCalls.first().folder, m_oldFolder);
    QCOMPARE(m_chooserCalls.first().options, QFileDialog::Options(QFileDialog::ShowDirsOnly));
    if (freeBytes != kAskThePlatform && pick != Pick::Nothing)
        QCOMPARE(asked, QStringList{answer});

    auto* path = Find<QLineEdit>(*view, "filePathLineEdit");
    auto* warningLabel = Find<QLabel>(*view, "warningLbl");
    QCOMPARE(warningLabel->isVisible(), !warning.isEmpty());
    if (!warning.isEmpty())
        QCOMPARE(warningLabel->text(), warning);
    if (taken) {
        const QString native = QDir::toNativeSeparators(answer);
        QCOMPARE(path->text(), native);
        QCOMPARE(path->cursorPosition(), 0);
        QCOMPARE(gConfig->GetDownloadPath(), native);
        QCOMPARE(StoredValue(QStringLiteral("DownloadPath")), native);
        QCOMPARE(m_host.calls, QStringList{QStringLiteral("folder ") + native});
        QCOMPARE(view->GetFolderProblem(), MySettingView::FolderProblem::None);
    } else {
        QCOMPARE(path->text(), m_oldFolder);
        QCOMPARE(gConfig->GetDownloadPath(), m_oldFolder);
        QCOMPARE(SettingsTestEnv::ReadAll(gConfig->GetFile()), before);
        QVERIFY(m_host.calls.isEmpty());
    }
    // Checking a folder leaves nothing behind in it.
    if (pick == Pick::NewFolder)
        QVERIFY(QDir(answer).isEmpty());
}

// A refused folder grows the dialog and its frame for the warning; a good folder afterwards takes the
// warning away and both return to their size.
void TestMySettingView::goodFolderAfterARefusal() {
    const QString good = m_env.Root() + QStringLiteral("/firmware-new");
    QVERIFY(QDir().mkpath(good));
    auto* view = MakeView().release();
    qint64 freeBytes = 0;
    view->SetFolderChooser([&](QWidget*, const QString&, const QString&, QFileDialog::Options) { return good; });
    view->SetFreeSpaceQuery([&](const QString&) { return freeBytes; });
    ChildFrame frame(view, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(view->size(), QSize(468, 150));
    const int frameHeight = frame.height();
    auto* warningLabel = Find<QLabel>(*view, "warningLbl");

    view->SltSelectFile();
    QVERIFY(warningLabel->isVisible());
    QVERIFY(view->height() >= 150);
    QTRY_VERIFY(frame.geometry().contains(view->geometry().translated(frame.geometry().topLeft())));
    QCOMPARE(view->GetFolderProblem(), MySettingView::FolderProblem::NotEnoughSpace);
    QVERIFY(m_host.calls.isEmpty());

    freeBytes = kPlenty;
    view->SltSelectFile();
    QVERIFY(!warningLabel->isVisible());
    QCOMPARE(view->GetFolderProblem(), MySettingView::FolderProblem::None);
    QCOMPARE(view->size(), QSize(468, 150));
    QTRY_COMPARE(frame.height(), frameHeight);
    QCOMPARE(m_host.calls, QStringList{QStringLiteral("folder ") + good});
    QCOMPARE(Find<QLineEdit>(*view, "filePathLineEdit")->text(), good);
}

// With no stored folder the dialog starts in the user's home folder, without following links there.
void TestMySettingView::noStoredFolderStartsAtHome() {
    QVERIFY(gConfig->SetDownloadPath(QString(), true));
    auto view = MakeView();
    view->ShowDownloadPath();
    view->show();
    QCOMPARE(Find<QLineEdit>(*view, "filePathLineEdit")->text(), QString());
    QTest::mouseClick(Find<QPushButton>(*view, "SettingPath"), Qt::LeftButton);
    QCOMPARE(m_chooserCalls.size(), 1);
    QCOMPARE(m_chooserCalls.first().folder, QDir::homePath());
    QCOMPARE(QDir(m_chooserCalls.first().folder), QDir(m_env.Home()));
    QCOMPARE(m_chooserCalls.first().options,
             QFileDialog::Options(QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks));
    QVERIFY(m_host.calls.isEmpty());
}

// "Open" hands the folder in the field to the desktop's file manager.
void TestMySettingView::openShowsTheFolder() {
    UrlRecorder desktop({QStringLiteral("file")});
    auto view = MakeView();
    view->ShowDownloadPath();
    view->show();
    QTest::mouseClick(Find<QPushButton>(*view, "selectBtn"), Qt::LeftButton);
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(m_oldFolder)});
    QVERIFY(m_host.calls.isEmpty());
}

void TestMySettingView::sizes_data() {
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<double>("scale");
    QTest::newRow("1.0") << 1920 << 1.0;
    QTest::newRow("1.5") << 3840 << 1.5;
}

void TestMySettingView::sizes() {
    QFETCH(int, screenWidth);
    QFETCH(double, scale);
    SetSkinScaleForScreenWidth(screenWidth);
    const auto sized = [scale](int w, int h) { return QSize(int(w * scale), int(h * scale)); };
    auto view = MakeView();
    view->show();
    QCOMPARE(view->size(), sized(468, 150));
    QCOMPARE(Find<QLineEdit>(*view, "filePathLineEdit")->height(), int(22 * scale));
    QCOMPARE(Find<QPushButton>(*view, "SettingPath")->size(), sized(24, 22));
    QCOMPARE(Find<QPushButton>(*view, "selectBtn")->size(), sized(80, 24));
}

// A change of language gives the form's texts anew and keeps a warning on show readable.
void TestMySettingView::otherLanguage() {
    auto view = MakeView();
    view->SetFolderChooser(
        [](QWidget*, const QString&, const QString&, QFileDialog::Options) { return QStringLiteral("/proc"); });
    view->SetFreeSpaceQuery([](const QString&) { return kPlenty; });
    view->ShowDownloadPath();
    view->show();
    view->SltSelectFile();
    QVERIFY(LoadTranslator(QStringLiteral("de"), RuntimeLanguageFolder(), QStringLiteral("Mendra")));
    view->Retranslate();
    const auto german = [](const char* context, const char* text) {
        const QString translated = QCoreApplication::translate(context, text);
        [&] { QVERIFY2(translated != QLatin1String(text), text); }();
        return translated;
    };
    QCOMPARE(view->windowTitle(), german("SettingView", "Setting"));
    QCOMPARE(Find<QLabel>(*view, "fileDownloadLbl")->text(), german("SettingView", "Repair file download:"));
    QCOMPARE(Find<QPushButton>(*view, "selectBtn")->text(), german("SettingView", "Open"));
    QCOMPARE(Find<QCheckBox>(*view, "deleteFileBox")->text(),
             german("SettingView", "Automatically delete the file after completion"));
    auto* warningLabel = Find<QLabel>(*view, "warningLbl");
    QVERIFY(warningLabel->isVisible());
    QCOMPARE(warningLabel->text(), german("MySettingView", kNotWritable));
    QCOMPARE(Find<QLineEdit>(*view, "filePathLineEdit")->text(), m_oldFolder);

    // The folder dialog asks in the new language too.
    view->SetFolderChooser(
        [this](QWidget*, const QString& caption, const QString& folder, QFileDialog::Options options) {
            m_chooserCalls << ChooserCall{caption, folder, options};
            return QString();
        });
    view->SltSelectFile();
    QCOMPARE(m_chooserCalls.size(), 1);
    QCOMPARE(m_chooserCalls.first().caption, german("MySettingView", "Open Directory"));
    QVERIFY(LoadTranslator(QStringLiteral("en"), RuntimeLanguageFolder(), QStringLiteral("Mendra")));
}

void TestMySettingView::warningFitsInEveryLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("writable");
    for (const char* language : {"en", "zh", "fr", "jp", "de"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1, full").arg(language))) << language << true;
        QTest::newRow(qPrintable(QStringLiteral("%1, unwritable").arg(language))) << language << false;
    }
}

// However long the warning runs in a language, it is shown whole, between the path field and the box.
void TestMySettingView::warningFitsInEveryLanguage() {
    QFETCH(QString, language);
    QFETCH(bool, writable);
    QVERIFY(LoadTranslator(language, RuntimeLanguageFolder(), QStringLiteral("Mendra")));
    auto view = MakeView();
    view->SetFolderChooser([&](QWidget*, const QString&, const QString&, QFileDialog::Options) {
        return writable ? m_env.Home() : QStringLiteral("/proc");
    });
    view->SetFreeSpaceQuery([&](const QString&) { return writable ? qint64(0) : kPlenty; });
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    view->SltSelectFile();
    QApplication::processEvents();

    auto* warningLabel = Find<QLabel>(*view, "warningLbl");
    QVERIFY(warningLabel->isVisible());
    QVERIFY(!warningLabel->text().isEmpty());
    const QRect warning = warningLabel->geometry();
    QVERIFY2(
        warning.height() >= warningLabel->heightForWidth(warning.width()),
        qPrintable(QStringLiteral("%1 < %2").arg(warning.height()).arg(warningLabel->heightForWidth(warning.width()))));
    const QRect field = Find<QLineEdit>(*view, "filePathLineEdit")->geometry();
    auto* deleteBox = Find<QCheckBox>(*view, "deleteFileBox");
    const QRect box = deleteBox->geometry();
    QVERIFY(field.bottom() < warning.top());
    QVERIFY(warning.bottom() < box.top());
    QVERIFY(box.bottom() < view->height());
    QVERIFY(box.height() >= deleteBox->sizeHint().height());
    QCOMPARE(view->width(), 468);
    QVERIFY(LoadTranslator(QStringLiteral("en"), RuntimeLanguageFolder(), QStringLiteral("Mendra")));
}

QTEST_MAIN(TestMySettingView)
#include "moc_UrlRecorder.cpp"
#include "tst_mysettingview.moc"
