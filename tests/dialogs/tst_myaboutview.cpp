// The about dialog: its texts from the edition data, its sizes and icon, which links it lets the desktop
// open, and its texts in another language.

#include "FrameworkSkin.h"
#include "UrlRecorder.h"
#include "app/EditionData.h"
#include "app/Language.h"
#include "app/RunLog.h"
#include "dialogs/MyAboutView.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <memory>

namespace {

template <typename T> T* Find(const QWidget& view, const char* name) {
    T* widget = view.findChild<T*>(QLatin1String(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

QString Text(const QWidget& view, const char* name) {
    auto* label = Find<QLabel>(view, name);
    return label ? label->text() : QString();
}

QString LinkText(const QString& link) {
    return QStringLiteral("<style> a {text-decoration: none} </style> <a href=\"%1\">%1").arg(link);
}

QString RunLogText() {
    QFile file(RunLog->FilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString RuntimeLanguageFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Language");
}

// Every text of the dialog as the installed translation gives it, with the test edition's version and links.
void CompareTexts(const QWidget& view) {
    const auto form = [](const char* text) { return QCoreApplication::translate("AboutView", text); };
    QCOMPARE(view.windowTitle(), form("About"));
    QCOMPARE(Text(view, "softwareNameLbl"), form("Tavik Mendra"));
    QCOMPARE(Text(view, "currentVersionLabel"), form("Current version:"));
    QCOMPARE(Text(view, "customeSupportLbl"), form("Customer support"));
    QCOMPARE(Text(view, "officialWebsiteLbl"), form("Official website"));
    QCOMPARE(Text(view, "InfoLabel"), form("Copyright \u00a9 2016-2026 Tavik Software. All rights reserved."));
    QCOMPARE(Text(view, "currentVersionLbl"), QStringLiteral("2.3.4.5"));
    QCOMPARE(Text(view, "SupportWebLbl"), LinkText("https://support.tavik.test/help/"));
    QCOMPARE(Text(view, "officialWebLbl"), LinkText("https://www.tavik.test/"));
}

// Clicks the middle of the link's text, as a person would.
void ClickLink(QLabel* label) {
    const int x = label->contentsRect().left() + label->fontMetrics().horizontalAdvance(QStringLiteral("https://"));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(x, label->height() / 2));
}

} // namespace

class TestMyAboutView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void texts_data();
    void texts();
    void links_data();
    void links();
    void otherLanguage();

private:
    void UseEdition(const QString& support, const QString& home);

    QTemporaryDir m_dataDir;
    std::unique_ptr<MendraData> m_edition;
    MendraData* m_shipped = nullptr;
};

void TestMyAboutView::initTestCase() {
    QVERIFY(m_dataDir.isValid());
    QVERIFY(OpenRunLog(m_dataDir.path(), "1.0", "Linux"));
    QCOMPARE(InitShippedSkin(), 3);
    m_shipped = gAppData;
}

void TestMyAboutView::init() {
    SetSkinScaleForScreenWidth(1920);
    UseEdition(QStringLiteral("https://support.tavik.test/help/"), QStringLiteral("https://www.tavik.test/"));
}

void TestMyAboutView::cleanupTestCase() {
    gAppData = m_shipped;
    CloseRunLog();
}

// An edition of its own, as the edition file would give it, made the process-wide one.
void TestMyAboutView::UseEdition(const QString& support, const QString& home) {
    AppDataParams params;
    params.ResourcePath = QStringLiteral(":/missing.xml");
    params.Platform = QStringLiteral("Win");
    params.Brand = QStringLiteral("Tavik");
    params.Product = QStringLiteral("Mendra");
    params.Language = QStringLiteral("en");
    m_edition = std::make_unique<MendraData>(params);
    m_edition->Version = QStringLiteral("2.3.4.5");
    m_edition->Support = support;
    m_edition->Home = home;
    gAppData = m_edition.get();
}

void TestMyAboutView::texts_data() {
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<double>("scale");
    QTest::newRow("1.0") << 1920 << 1.0;
    QTest::newRow("1.5") << 3840 << 1.5;
}

void TestMyAboutView::texts() {
    QFETCH(int, screenWidth);
    QFETCH(double, scale);
    SetSkinScaleForScreenWidth(screenWidth);
    MyAboutView view(nullptr, Qt::FramelessWindowHint);
    view.show();

    CompareTexts(view);
    auto* info = Find<QLabel>(view, "InfoLabel");
    QVERIFY2(info->text().startsWith(QStringLiteral("Copyright \u00a9 ")), qPrintable(info->text()));
    QCOMPARE(info->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);

    const auto sized = [scale](int w, int h) { return QSize(int(w * scale), int(h * scale)); };
    QCOMPARE(view.size(), sized(468, 250));
    auto* icon = Find<QLabel>(view, "productIconLbl");
    QCOMPARE(icon->size(), sized(90, 90));
    const QPixmap picture = icon->pixmap(Qt::ReturnByValue);
    QVERIFY(!picture.isNull());
    QVERIFY(picture.width() <= int(90 * scale) && picture.height() <= int(90 * scale));
    QVERIFY(picture.width() == int(90 * scale) || picture.height() == int(90 * scale));
}

void TestMyAboutView::links_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("opens");
    QTest::newRow("https") << "https://support.tavik.test/help/" << true;
    QTest::newRow("http") << "http://support.tavik.test/help/" << true;
    QTest::newRow("with a query") << "https://support.tavik.test/help/?lang=de&topic=\"dfu\"" << true;
    QTest::newRow("local file") << "file:///etc/passwd" << false;
    QTest::newRow("script") << "javascript:alert(1)" << false;
    QTest::newRow("another program") << "ms-settings:windowsupdate" << false;
    QTest::newRow("mail") << "mailto:support@tavik.test" << false;
    QTest::newRow("no host") << "https:///help/" << false;
}

// Both links show their own address; a click opens only a web address, anything else is logged.
void TestMyAboutView::links() {
    QFETCH(QString, link);
    QFETCH(bool, opens);
    UseEdition(link, link);
    UrlRecorder desktop({"http", "https", "file", "javascript", "ms-settings", "mailto"});
    MyAboutView view(nullptr, Qt::FramelessWindowHint);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    for (const char* name : {"SupportWebLbl", "officialWebLbl"}) {
        auto* label = Find<QLabel>(view, name);
        QCOMPARE(label->text(), LinkText(link.toHtmlEscaped()));
        // The label shows the address as it is, markup characters included.
        QTextDocument shown;
        shown.setHtml(label->text());
        QCOMPARE(shown.toPlainText().trimmed(), link);

        desktop.opened.clear();
        const QString logBefore = RunLogText();
        ClickLink(label);
        const QString logged = RunLogText().mid(logBefore.size());
        if (opens) {
            QCOMPARE(desktop.opened, QList<QUrl>{QUrl(link)});
            QVERIFY(logged.isEmpty());
        } else {
            QVERIFY(desktop.opened.isEmpty());
            QVERIFY2(logged.contains(QStringLiteral("About: link not opened")), qPrintable(logged));
        }
    }
}

// A change of language gives every text anew; the edition's texts and the icon stay.
void TestMyAboutView::otherLanguage() {
    MyAboutView view(nullptr, Qt::FramelessWindowHint);
    view.show();
    QVERIFY(LoadTranslator(QStringLiteral("de"), RuntimeLanguageFolder(), QStringLiteral("Mendra")));
    view.Retranslate();
    for (const char* text : {"About", "Current version:", "Customer support", "Official website",
                             "Copyright \u00a9 2016-2026 Tavik Software. All rights reserved."})
        QVERIFY2(QCoreApplication::translate("AboutView", text) != QLatin1String(text), text);
    CompareTexts(view);
    auto* icon = Find<QLabel>(view, "productIconLbl");
    QVERIFY(!icon->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(LoadTranslator(QStringLiteral("en"), RuntimeLanguageFolder(), QStringLiteral("Mendra")));
}

QTEST_MAIN(TestMyAboutView)
#include "moc_UrlRecorder.cpp"
#include "tst_myaboutview.moc"
