// The update dialog on a real check against odd and hostile update servers, as a user's machine meets them (a
// captive portal, a broken mirror, a server taken over): whatever the reply names, the window keeps answering
// (on "Check for update", at a change of language, at the start-up's offer and on "Skip"), the memory stays
// bounded and nothing is loaded from the reply; what a sound server sends shows as before.

#include "EventLoopWatch.h"
#include "FindWidget.h"
#include "FlowDialog.h"
#include "FlowViewHost.h"
#include "ResidentMemory.h"
#include "TimeBound.h"
#include "UpdateTestServer.h"
#include "app/EditionData.h"
#include "app/RunLog.h"
#include "dialogs/MyUpdateView.h"
#include "dialogs/ServerMarkup.h"
#include "update/UpdateFlow.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(UpdateViewState)

namespace {

// Far above what laying out and painting a page of notes costs, far below a read of an endless file.
constexpr qint64 kMaxGapMs = TimeBound(100);
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

// The text in lines of at most length characters, as a long line without blanks is shown.
QString Broken(const QString& text, int length) {
    QStringList lines;
    for (int at = 0; at < text.size(); at += length)
        lines << text.mid(at, length);
    return lines.join(QLatin1Char('\n'));
}

QByteArray Nested(const QByteArray& open, int depth, const QByteArray& inner) {
    return open.repeated(depth) + inner;
}

// Release notes of an ordinary shape and length: a heading line and 122 items, 5,853 characters in all.
QByteArray LongOrdinaryNotes() {
    QByteArray notes = "<b>What's new in 2.1.0</b><br>";
    for (int line = 1; notes.size() < 5853 - 50; ++line)
        notes += "- Fixed the case number " + QByteArray::number(line) + " that users reported last month<br>";
    notes += "Thanks to everyone who sent us a bug report!";
    return notes.leftJustified(5853, '!');
}

// What the user sees at one moment, after the page was laid out and painted.
void Settle(QWidget& view) {
    view.grab();
    QCoreApplication::processEvents();
}

// The document as it is painted at that width.
QImage Rendered(const QTextDocument& document, int width) {
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setTextWidth(width);
    QImage image(copy->size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    copy->drawContents(&painter);
    return image;
}

// How many pixels of two images of one size differ by more than a little in any channel.
int DifferingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 16 || qAbs(qGreen(p) - qGreen(q)) > 16 || qAbs(qBlue(p) - qBlue(q)) > 16)
                ++count;
        }
    }
    return count;
}

bool OpensAtTheTop(const QTextBrowser& browser) {
    return browser.verticalScrollBar()->value() == 0 && browser.textCursor().position() == 0;
}

} // namespace

class TestUpdateViewReplies : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void replies_data();
    void replies();
    void soundNotesShowAsBefore_data();
    void soundNotesShowAsBefore();

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
    QTest::addColumn<bool>("cut");             // only the beginning of shownNotes, then an ellipsis

    const UpdateViewState offer = UpdateViewState::UpdateAvailable;
    const QString available = QStringLiteral("Update available: ");
    QTest::newRow("sound: plain notes") << QByteArray("2.1.0") << QByteArray("Fixes and improvements.") << offer
                                        << available + "2.1.0"
                                        << "Fixes and improvements." << false << false;
    QTest::newRow("sound: simple formatting")
        << QByteArray("2.1.0") << QByteArray("<b>New:</b> faster checks<br>Fixes") << offer << available + "2.1.0"
        << "New: faster checks\nFixes" << true << false;
    QTest::newRow("image of an endless file")
        << QByteArray("2.1.0") << QByteArray("A<img src=\"file:///dev/zero\">B") << offer << available + "2.1.0"
        << "AB" << false << false;
    QTest::newRow("image by a bare path")
        << QByteArray("2.1.0") << QByteArray("A<img src=\"/dev/zero\">B") << offer << available + "2.1.0"
        << "AB" << false << false;
    QTest::newRow("image from the network")
        << QByteArray("2.1.0") << QByteArray("A<img src=\"http://127.0.0.1:%PORT%/picture.png\">B") << offer
        << available + "2.1.0"
        << "AB" << false << false;
    QTest::newRow("image from the program's resources")
        << QByteArray("2.1.0") << QByteArray("A<img src=\":/qt-project.org/styles/commonstyle/images/file-16.png\">B")
        << offer << available + "2.1.0"
        << "AB" << false << false;
    QTest::newRow("style sheet of an endless file")
        << QByteArray("2.1.0")
        << QByteArray("<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"file:///dev/zero\"></head>"
                      "<body>AB</body></html>")
        << offer << available + "2.1.0"
        << "AB" << false << false;
    QTest::newRow("imported style sheet")
        << QByteArray("2.1.0") << QByteArray("<style>@import url(file:///dev/zero);</style>AB") << offer
        << available + "2.1.0"
        << "AB" << false << false;
    QTest::newRow("background of an endless file")
        << QByteArray("2.1.0") << QByteArray("<table background=\"file:///dev/zero\"><tr><td>AB</td></tr></table>")
        << offer << available + "2.1.0"
        << "AB" << false << false;
    // Tables in tables took a time that doubles with every level: 15 s for these 18, minutes for 26. Their cells
    // are shown as plain blocks.
    const QByteArray cells18 = Nested("<table><tr><td>", 18, "Fixes inside.");
    QTest::newRow("tables nested 18 deep after a bold line")
        << QByteArray("2.1.0") << "<b>...</b><br>" + cells18 << offer << available + "2.1.0"
        << "...\n\nFixes inside." << true << false;
    QTest::newRow("tables nested 26 deep")
        << QByteArray("2.1.0") << "<b>...</b><br>" + Nested("<table><tr><td>", 26, "Fixes inside.") << offer
        << available + "2.1.0"
        << "...\n\nFixes inside." << true << false;
    QTest::newRow("a cell of text at each of 300 levels")
        << QByteArray("2.1.0") << Nested("<table><tr><td>x", 300, QByteArray()) << offer << available + "2.1.0"
        << Broken(QString(300, QLatin1Char('x')), 1) << false << false;
    QTest::newRow("lists nested 400 deep")
        << QByteArray("2.1.0") << Nested("<ul><li>", 400, "deep") << offer << available + "2.1.0"
        << "deep" << false << false;
    // Notes of any length an ordinary note has are shown whole.
    const QByteArray ordinary = LongOrdinaryNotes();
    QTest::newRow("a long ordinary note of 5,853 characters")
        << QByteArray("2.1.0") << ordinary << offer << available + "2.1.0"
        << QString::fromUtf8(ordinary).replace("<br>", "\n").remove("<b>").remove("</b>") << true << false;
    QByteArray plainLines;
    for (int line = 1; line <= 123; ++line)
        plainLines += "- Fixed the case number " + QByteArray::number(line) + " that users reported\n";
    QTest::newRow("a long plain note of 123 lines")
        << QByteArray("2.1.0") << plainLines.trimmed() << offer << available + "2.1.0"
        << QString::fromUtf8(plainLines.trimmed()) << false << false;
    // Of a text far longer than any release notes, the beginning is shown, in lines short enough to lay out.
    const int shown = ServerMarkup::MaxCharacters;
    const int line = ServerMarkup::MaxLineCharacters + ServerMarkup::LineBreakSlack;
    QTest::newRow("notes of 3 MB in one line")
        << QByteArray("2.1.0") << QByteArray(3000000, 'x') << offer << available + "2.1.0"
        << Broken(QString(shown, QLatin1Char('x')), line) + QChar(0x2026) << false << false;
    QTest::newRow("notes of 3 MB of markup")
        << QByteArray("2.1.0") << QByteArray("<b>x</b>").repeated(300000) << offer << available + "2.1.0"
        << Broken(QString(shown, QLatin1Char('x')), line) + QChar(0x2026) << true << false;
    QTest::newRow("notes of 3 MB of bold and plain letters in turn")
        << QByteArray("2.1.0") << QByteArray("<b>x</b>y").repeated(330000) << offer << available + "2.1.0"
        << QString("xy").repeated(line / 2) + "\n"
        << true << true;
    QTest::newRow("notes of 3 MB of short lines")
        << QByteArray("2.1.0") << QByteArray("<b>a</b><br>").repeated(250000) << offer << available + "2.1.0"
        << QString("a\n").repeated(ServerMarkup::MaxLines - 1) + "a" + QChar(0x2026) << true << false;
    QTest::newRow("notes of 3 MB of preformatted line ends")
        << QByteArray("2.1.0") << "<pre>" + QByteArray("a\n").repeated(1500000) + "</pre>" << offer
        << available + "2.1.0" << QString("a\n").repeated(ServerMarkup::MaxLines - 1) + "a" + QChar(0x2026) << false
        << false;
    QTest::newRow("notes of 3 MB in one preformatted line")
        << QByteArray("2.1.0") << "<pre>" + QByteArray(3000000, 'x') + "</pre>" << offer << available + "2.1.0"
        << Broken(QString(shown, QLatin1Char('x')), line) + QChar(0x2026) << false << false;
    QTest::newRow("notes of 3 MB of character references")
        << QByteArray("2.1.0") << "<b>a</b>" + QByteArray("&amp;").repeated(600000) << offer << available + "2.1.0"
        << "a" + QString(line - 1, QLatin1Char('&')) + "\n"
        << true << true;
    QTest::newRow("notes of 3 MB of blank paragraphs")
        << QByteArray("2.1.0") << "<b>a</b>" + QByteArray("<p> </p>").repeated(375000) << offer << available + "2.1.0"
        << QString("a\n") + QChar(0x2026) << true << false;
    QTest::newRow("markup in the version")
        << QByteArray("9.&lt;img src=\"file:///dev/zero\"&gt;&lt;b&gt;x&lt;/b&gt;") << QByteArray("Fixes") << offer
        << available + "9.<img src=\"file:///dev/zero\"><b>x</b>"
        << "Fixes" << false << false;
    QTest::newRow("version of 64 characters")
        << QByteArray("9." + QByteArray(62, '1')) << QByteArray("Fixes") << offer
        << available + "9." + QString(62, QLatin1Char('1')) << "Fixes" << false << false;
    QTest::newRow("version of 3 million characters")
        << QByteArray("9." + QByteArray(3000000, '1')) << QByteArray("Fixes") << UpdateViewState::CheckFailed
        << QString() << QString() << false << false;
}

void TestUpdateViewReplies::replies() {
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, notes);
    QFETCH(UpdateViewState, state);
    QFETCH(QString, shownVersion);
    QFETCH(QString, shownNotes);
    QFETCH(bool, bold);
    QFETCH(bool, cut);

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
    QMap<QString, qint64> gaps;

    // "Check for update".
    watch.start();
    view.SetChecking(true);
    dialog.flow.CheckForUpdate(false);
    QVERIFY(dialog.finished.wait(30000));
    Settle(view);
    watch.stop();
    gaps.insert(QStringLiteral("check"), watch.longestGapMs());
    QCOMPARE(view.GetState(), state);
    const auto* browser = Find<QTextBrowser>(view, "NewInfoBrowser");
    QVERIFY(!HasImage(*browser->document()));
    if (state == UpdateViewState::UpdateAvailable) {
        QCOMPARE(Find<QLabel>(view, "LastLabel")->text(), shownVersion);
        QCOMPARE(Find<QLabel>(view, "LastLabel")->textFormat(), Qt::PlainText);
        if (cut) {
            QVERIFY2(browser->toPlainText().startsWith(shownNotes), qPrintable(browser->toPlainText().left(200)));
            QVERIFY(browser->toPlainText().endsWith(QChar(0x2026)));
        } else {
            QCOMPARE(browser->toPlainText(), shownNotes);
        }
        QCOMPARE(HasBold(*browser->document()), bold);
        QVERIFY(OpensAtTheTop(*browser));
    } else {
        QCOMPARE(Find<QLabel>(view, "checkStateLabel")->text(), QStringLiteral("Update:xml data error. (14)"));
    }

    // A change of language lays the notes out again.
    watch.start();
    view.Retranslate();
    Settle(view);
    watch.stop();
    gaps.insert(QStringLiteral("language change"), watch.longestGapMs());

    // The start-up's offer: a dialog filled before it is first shown, from what the check found.
    watch.start();
    MyUpdateView offer;
    FlowViewHost host(dialog.flow);
    offer.SetHost(&host);
    dialog.flow.SetUpdateView(&offer);
    dialog.flow.CheckForUpdate(true);
    offer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&offer));
    Settle(offer);
    watch.stop();
    gaps.insert(QStringLiteral("start-up offer"), watch.longestGapMs());
    if (state == UpdateViewState::UpdateAvailable) {
        QCOMPARE(offer.GetState(), UpdateViewState::UpdateAvailable);
        QVERIFY2(OpensAtTheTop(*Find<QTextBrowser>(offer, "NewInfoBrowser")),
                 "the offer opens at the end of its notes");

        watch.start();
        QTest::mouseClick(Find<QPushButton>(offer, "SkipButton"), Qt::LeftButton);
        QTRY_VERIFY(!offer.isVisible());
        Settle(view);
        watch.stop();
        gaps.insert(QStringLiteral("Skip"), watch.longestGapMs());
    }

    const qint64 growthMb = ResidentMemory::PeakMb() - baseMb;
    qInfo("peak resident memory %lld MB above the %lld MB before the check", growthMb, baseMb);
    for (auto it = gaps.cbegin(); it != gaps.cend(); ++it) {
        qInfo("longest gap %lld ms at %s", it.value(), qPrintable(it.key()));
        QVERIFY2(it.value() < kMaxGapMs,
                 qPrintable(QStringLiteral("the window froze for %1 ms at %2").arg(it.value()).arg(it.key())));
    }
    QVERIFY2(growthMb < kMaxGrowthMb, qPrintable(QStringLiteral("%1 MB more memory").arg(growthMb)));
    // The update query is the only thing asked of the server.
    const QList<QJsonObject> requests = m_server.records("REQUEST").mid(requestsBefore);
    QCOMPARE(requests.size(), 1);
    QVERIFY(requests.first().value("path").toString().endsWith(QLatin1String("/update.php")));
}

void TestUpdateViewReplies::soundNotesShowAsBefore_data() {
    QTest::addColumn<QByteArray>("notes");
    QTest::newRow("bold and a line break") << QByteArray("<b>New:</b> faster checks<br>Fixes");
    QTest::newRow("paragraphs") << QByteArray("<p>First paragraph.</p><p>Second <i>italic</i> and <b>bold</b>.</p>");
    QTest::newRow("strong and em") << QByteArray("<strong>Important:</strong> <em>read this</em>");
    QTest::newRow("a list") << QByteArray("<p>Changes:</p><ul><li>One</li><li>Two <b>bold</b></li></ul>");
    QTest::newRow("nested lists") << QByteArray(
        "<ol><li>One</li><li>Two<ul><li>Inner</li><li>Inner too</li></ul></li><li>Three</li></ol>");
    QTest::newRow("two lists") << QByteArray("Intro<ul><li>A</li></ul><ol><li>B</li></ol><ol><li>C</li></ol>");
    QTest::newRow("a link") << QByteArray("See <a href=\"https://example.com/x?a=1&amp;b=2\">the page</a>.");
    QTest::newRow("blanks and line ends")
        << QByteArray("<p>Line one<br>\nLine two<br> Line three </p>\n<p>  spaced   words  </p>");
    QTest::newRow("a whole page") << QByteArray("<html><body><p>Body</p><p>More &amp; more &lt;3</p></body></html>");
    QTest::newRow("character references") << QByteArray("a &lt; b &amp;&amp; c &gt; d &nbsp; e &#233; &copy;");
    QTest::newRow("preformatted text") << QByteArray(
        "<p>Changes:</p><pre>\nFixes:\n  - one   two\n\tindented &amp; more\n\n  - <b>three</b>\n</pre><p>After</p>");
    QTest::newRow("the long ordinary note") << LongOrdinaryNotes();
}

// Notes in the markup release notes are written in look as the text box showed the server's own text.
void TestUpdateViewReplies::soundNotesShowAsBefore() {
    QFETCH(QByteArray, notes);
    UpdateReply reply;
    reply.notes = notes;
    QVERIFY(WriteReply(m_dir.filePath("reply.xml"), reply.toXml()));
    auto service = MakeService(AnswerEndpoint(m_server, QStringLiteral("reply")), "1.0");
    FlowDialog dialog(*service);
    dialog.flow.CheckForUpdate(false);
    QVERIFY(dialog.finished.wait(30000));
    QCOMPARE(dialog.view.GetState(), UpdateViewState::UpdateAvailable);

    const auto* browser = Find<QTextBrowser>(dialog.view, "NewInfoBrowser");
    QTextDocument asSent;
    asSent.setDefaultFont(browser->document()->defaultFont());
    asSent.setHtml(QString::fromUtf8(notes));
    QCOMPARE(browser->toPlainText(), asSent.toPlainText());
    const QImage shown = Rendered(*browser->document(), browser->viewport()->width());
    const QImage expected = Rendered(asSent, browser->viewport()->width());
    QCOMPARE(shown.size(), expected.size());
    const int differing = DifferingPixels(shown, expected);
    QVERIFY2(differing <= shown.width() * shown.height() / 1000, qPrintable(QString::number(differing)));
}

QTEST_MAIN(TestUpdateViewReplies)
#include "tst_updateviewreplies.moc"
