// The update dialog on a real check against odd and hostile update servers, as a user's machine meets them (a
// captive portal, a broken mirror, a server taken over): whatever the reply names, the window keeps answering,
// the memory stays bounded and nothing is loaded from the reply; what a sound server sends shows as before.

#include "EventLoopWatch.h"
#include "FindWidget.h"
#include "FlowDialog.h"
#include "ResidentMemory.h"
#include "UpdateTestServer.h"
#include "app/EditionData.h"
#include "app/RunLog.h"
#include "dialogs/MyUpdateView.h"
#include "dialogs/ServerTextDocument.h"
#include "update/UpdateFlow.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

Q_DECLARE_METATYPE(UpdateViewState)

namespace {

// Far above what laying out and painting a page of notes costs, far below a read of an endless file.
constexpr qint64 kMaxGapMs = 100;
constexpr qint64 kMaxGrowthMb = 64;

bool HasImage(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                return true;
        }
    }
    return false;
}

bool HasBold(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().fontWeight() >= QFont::Bold)
                return true;
        }
    }
    return false;
}

} // namespace

class TestUpdateViewReplies : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void replies_data();
    void replies();

private:
    PythonPeer m_server;
    QTemporaryDir m_dir;
};

void TestUpdateViewReplies::initTestCase() {
    QVERIFY(LoadEditionData());
    gAppData->Version = QStringLiteral("1.0");
    QVERIFY(m_dir.isValid());
    QVERIFY(OpenRunLog(m_dir.path(), "1.0", "Linux"));
    QVERIFY(StartUpdateServer(m_server, {"--reply-file", m_dir.filePath("reply.xml")}));
}

void TestUpdateViewReplies::replies_data() {
    QTest::addColumn<QByteArray>("version"); // as it stands in the XML
    QTest::addColumn<QByteArray>("notes");   // %PORT% stands for the test server's port
    QTest::addColumn<UpdateViewState>("state");
    QTest::addColumn<QString>("shownVersion"); // LastLabel, in the offer
    QTest::addColumn<QString>("shownNotes");   // the notes' plain text, in the offer
    QTest::addColumn<bool>("bold");            // the notes keep their bold words

    const UpdateViewState offer = UpdateViewState::UpdateAvailable;
    const QString available = QStringLiteral("Update available: ");
    QTest::newRow("sound: plain notes") << QByteArray("2.1.0") << QByteArray("Fixes and improvements.") << offer
                                        << available + "2.1.0"
                                        << "Fixes and improvements." << false;
    QTest::newRow("sound: simple formatting")
        << QByteArray("2.1.0") << QByteArray("<b>New:</b> faster checks<br>Fixes") << offer << available + "2.1.0"
        << "New: faster checks\nFixes" << true;
    QTest::newRow("image of an endless file")
        << QByteArray("2.1.0") << QByteArray("A<img src=\"file:///dev/zero\">B") << offer << available + "2.1.0"
        << "AB" << false;
    QTest::newRow("image by a bare path")
        << QByteArray("2.1.0") << QByteArray("A<img src=\"/dev/zero\">B") << offer << available + "2.1.0"
        << "AB" << false;
    QTest::newRow("image from the network")
        << QByteArray("2.1.0") << QByteArray("A<img src=\"http://127.0.0.1:%PORT%/picture.png\">B") << offer
        << available + "2.1.0"
        << "AB" << false;
    QTest::newRow("image from the program's resources")
        << QByteArray("2.1.0") << QByteArray("A<img src=\":/qt-project.org/styles/commonstyle/images/file-16.png\">B")
        << offer << available + "2.1.0"
        << "AB" << false;
    QTest::newRow("style sheet of an endless file")
        << QByteArray("2.1.0")
        << QByteArray("<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"file:///dev/zero\"></head>"
                      "<body>AB</body></html>")
        << offer << available + "2.1.0"
        << "AB" << false;
    QTest::newRow("imported style sheet")
        << QByteArray("2.1.0") << QByteArray("<style>@import url(file:///dev/zero);</style>AB") << offer
        << available + "2.1.0"
        << "AB" << false;
    QTest::newRow("background of an endless file")
        << QByteArray("2.1.0") << QByteArray("<table background=\"file:///dev/zero\"><tr><td>AB</td></tr></table>")
        << offer << available + "2.1.0"
        << "\nAB\n"
        << false;
    // Of a text that would take minutes to lay out, the beginning is shown.
    const int shown = ServerTextDocument::MaxCharacters;
    QTest::newRow("notes of 3 MB in one line")
        << QByteArray("2.1.0") << QByteArray(3000000, 'x') << offer << available + "2.1.0"
        << QString(shown, QLatin1Char('x')) + QChar(0x2026) << false;
    QTest::newRow("notes of 3 MB of markup")
        << QByteArray("2.1.0") << QByteArray("<b>x</b>").repeated(300000) << offer << available + "2.1.0"
        << QString(shown / 8, QLatin1Char('x')) + QChar(0x2026) << true;
    QTest::newRow("markup in the version")
        << QByteArray("9.&lt;img src=\"file:///dev/zero\"&gt;&lt;b&gt;x&lt;/b&gt;") << QByteArray("Fixes") << offer
        << available + "9.<img src=\"file:///dev/zero\"><b>x</b>"
        << "Fixes" << false;
    QTest::newRow("version of 64 characters") << QByteArray("9." + QByteArray(62, '1')) << QByteArray("Fixes") << offer
                                              << available + "9." + QString(62, QLatin1Char('1')) << "Fixes" << false;
    QTest::newRow("version of 3 million characters")
        << QByteArray("9." + QByteArray(3000000, '1')) << QByteArray("Fixes") << UpdateViewState::CheckFailed
        << QString() << QString() << false;
}

void TestUpdateViewReplies::replies() {
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, notes);
    QFETCH(UpdateViewState, state);
    QFETCH(QString, shownVersion);
    QFETCH(QString, shownNotes);
    QFETCH(bool, bold);

    UpdateReply reply;
    reply.version = version;
    reply.notes = QByteArray(notes).replace("%PORT%", QByteArray::number(QUrl(m_server.url("/")).port()));
    QVERIFY(WriteReply(m_dir.filePath("reply.xml"), reply.toXml()));
    const int requestsBefore = m_server.records("REQUEST").size();

    auto service = MakeService(AnswerEndpoint(m_server, QStringLiteral("reply")), "1.0");
    FlowDialog dialog(*service);
    MyUpdateView& view = dialog.view;
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const qint64 baseMb = ResidentMemory::CurrentMb();
    ResidentMemory::ResetPeak();
    EventLoopWatch watch;
    watch.start();
    view.SetChecking(true);
    dialog.flow.CheckForUpdate(false);
    QVERIFY(dialog.finished.wait(30000));
    // What the user then sees: the page laid out and painted.
    view.grab();
    QCoreApplication::processEvents();
    watch.stop();
    const qint64 gapMs = watch.longestGapMs();
    const qint64 growthMb = ResidentMemory::PeakMb() - baseMb;
    qInfo("longest gap %lld ms, peak resident memory %lld MB above the %lld MB before the check", gapMs, growthMb,
          baseMb);

    QCOMPARE(view.GetState(), state);
    QVERIFY2(gapMs < kMaxGapMs, qPrintable(QStringLiteral("the window froze for %1 ms").arg(gapMs)));
    QVERIFY2(growthMb < kMaxGrowthMb, qPrintable(QStringLiteral("%1 MB more memory").arg(growthMb)));
    const auto* browser = Find<QTextBrowser>(view, "NewInfoBrowser");
    QVERIFY(!HasImage(*browser->document()));
    if (state == UpdateViewState::UpdateAvailable) {
        QCOMPARE(Find<QLabel>(view, "LastLabel")->text(), shownVersion);
        QCOMPARE(Find<QLabel>(view, "LastLabel")->textFormat(), Qt::PlainText);
        QCOMPARE(browser->toPlainText(), shownNotes);
        QCOMPARE(HasBold(*browser->document()), bold);
    } else {
        QCOMPARE(Find<QLabel>(view, "checkStateLabel")->text(), QStringLiteral("Update:xml data error. (14)"));
    }
    // The update query is the only thing asked of the server.
    const QList<QJsonObject> requests = m_server.records("REQUEST").mid(requestsBefore);
    QCOMPARE(requests.size(), 1);
    QVERIFY(requests.first().value("path").toString().endsWith(QLatin1String("/update.php")));
}

QTEST_MAIN(TestUpdateViewReplies)
#include "tst_updateviewreplies.moc"
