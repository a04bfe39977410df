#include "DesktopShell.h"

#include <QDesktopServices>
#include <QtTest>

// URL handlers registered for the test stand in for the desktop's programs.
class TestDesktopShell : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { m_opened << url; }

private slots:
    void initTestCase();
    void init() { m_opened.clear(); }
    void openPath();
    void openUrl();
    void showInFileManager();

private:
    QTemporaryDir m_dir;
    QString m_file;
    QList<QUrl> m_opened;
};

void TestDesktopShell::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_file = m_dir.filePath("report with blank.txt");
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    for (const char* scheme : {"file", "https"})
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

void TestDesktopShell::openPath() {
    QVERIFY(platform::openPath(m_file));
    QVERIFY(platform::openPath(m_dir.path()));
    QCOMPARE(m_opened, (QList<QUrl>{QUrl::fromLocalFile(m_file), QUrl::fromLocalFile(m_dir.path())}));

    m_opened.clear();
    QVERIFY(!platform::openPath(m_dir.filePath("missing")));
    QVERIFY(!platform::openPath(QString()));
    QVERIFY(m_opened.isEmpty());
}

void TestDesktopShell::openUrl() {
    const QUrl page("https://example.org/help?lang=en");
    QVERIFY(platform::openUrl(page));
    QVERIFY(!platform::openUrl(QUrl()));
    QCOMPARE(m_opened, QList<QUrl>{page});
}

void TestDesktopShell::showInFileManager() {
    // The test runs without a session bus (set in main), so no file manager can select the file.
    QVERIFY(platform::showInFileManager(m_file));
    QVERIFY(platform::showInFileManager(m_dir.path()));
    QVERIFY(!platform::showInFileManager(m_dir.filePath("missing")));
    QCOMPARE(m_opened, (QList<QUrl>{QUrl::fromLocalFile(m_dir.path()), QUrl::fromLocalFile(m_dir.path())}));
}

int main(int argc, char** argv) {
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/mendra-test-bus");
    QGuiApplication app(argc, argv);
    TestDesktopShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopshell.moc"
