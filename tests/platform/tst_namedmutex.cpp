#include "NamedMutex.h"

#include <QtTest>

// The lock is seen through a second QLockFile on the same path, the way another process sees it.
class TestNamedMutex : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void heldUntilReleased();
    void namesStayInRuntimeFolder_data();
    void namesStayInRuntimeFolder();
    void staleLockTakenOver();
    void emptyName();

private:
    static bool lockedByOther(const QString& path);
    QTemporaryDir m_runtime;
};

void TestNamedMutex::initTestCase() {
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
}

bool TestNamedMutex::lockedByOther(const QString& path) {
    QLockFile other(path);
    other.setStaleLockTime(0);
    return !other.tryLock(0);
}

void TestNamedMutex::heldUntilReleased() {
    const QString name = QStringLiteral("Mendra");
    const QString path = platform::namedMutexPath(name);
    QVERIFY(path.startsWith(m_runtime.path() + '/'));

    QVERIFY(platform::createNamedMutex(name));
    QVERIFY(lockedByOther(path));
    QVERIFY(platform::createNamedMutex(name)); // a second creation in the same process is harmless
    platform::releaseNamedMutex(name);
    QVERIFY(!lockedByOther(path));
    platform::releaseNamedMutex(name); // releasing what is not held does nothing
    QVERIFY(platform::createNamedMutex(name));
    platform::releaseNamedMutex(name);
}

void TestNamedMutex::namesStayInRuntimeFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("slash") << "Global/Mendra";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("backslash and blank") << "Local\\My App";
    QTest::newRow("non-ASCII") << "メンドラ";
}

void TestNamedMutex::namesStayInRuntimeFolder() {
    QFETCH(QString, name);
    const QString path = platform::namedMutexPath(name);
    QCOMPARE(QFileInfo(path).absolutePath(), m_runtime.path());
    QVERIFY(platform::namedMutexPath(name + 'x') != path);
    QVERIFY(platform::createNamedMutex(name));
    QVERIFY(QFileInfo::exists(path));
    platform::releaseNamedMutex(name);
}

void TestNamedMutex::staleLockTakenOver() {
    const QString name = QStringLiteral("stale");
    const QString path = platform::namedMutexPath(name);
    // A lock file as a process that no longer runs leaves it.
    QProcess gone;
    gone.start(QStringLiteral("true"), QStringList());
    QVERIFY(gone.waitForStarted());
    const qint64 pid = gone.processId();
    QVERIFY(gone.waitForFinished());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(pid) + "\ntrue\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    file.close();

    QVERIFY(platform::createNamedMutex(name));
    platform::releaseNamedMutex(name);
}

void TestNamedMutex::emptyName() {
    QCOMPARE(platform::namedMutexPath(QString()), QString());
    QVERIFY(!platform::createNamedMutex(QString()));
}

QTEST_GUILESS_MAIN(TestNamedMutex)
#include "tst_namedmutex.moc"
