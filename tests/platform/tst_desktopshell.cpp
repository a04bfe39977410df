#include "DesktopShell.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QtTest>

// Stands in for a file manager that selects files for other programs.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public slots:
    void ShowItems(const QStringList& uris, const QString&) { shown << uris; }
};

// URL handlers registered for the test stand in for the desktop's programs; the session bus is a
// private one that main() starts.
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
    void selectsFileThroughFileManager();

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
    // No file manager on the bus can select the file: its folder is opened.
    QVERIFY(platform::showInFileManager(m_file));
    QVERIFY(platform::showInFileManager(m_dir.path()));
    QVERIFY(!platform::showInFileManager(m_dir.filePath("missing")));
    QCOMPARE(m_opened, (QList<QUrl>{QUrl::fromLocalFile(m_dir.path()), QUrl::fromLocalFile(m_dir.path())}));
}

void TestDesktopShell::selectsFileThroughFileManager() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        QSKIP("no private session bus (dbus-daemon missing)");
    FakeFileManager fileManager;
    QVERIFY(bus.registerObject("/org/freedesktop/FileManager1", &fileManager, QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService("org.freedesktop.FileManager1"));

    QVERIFY(platform::showInFileManager(m_file));
    QTRY_COMPARE(fileManager.shown, QStringList{QUrl::fromLocalFile(m_file).toString()});
    QVERIFY(m_opened.isEmpty());

    bus.unregisterService("org.freedesktop.FileManager1");
    bus.unregisterObject("/org/freedesktop/FileManager1");
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    // A bus of our own, so that no real file manager is asked; without dbus-daemon, none at all.
    // Started after the application object, which may abort without a display.
    QProcess bus;
    bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    QByteArray address = "unix:path=/nonexistent/mendra-test-bus";
    if (bus.waitForStarted() && bus.waitForReadyRead(10000))
        address = bus.readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);

    TestDesktopShell test;
    const int result = QTest::qExec(&test, argc, argv);
    bus.kill();
    bus.waitForFinished();
    return result;
}

#include "tst_desktopshell.moc"
