#include "InstanceGuard.h"
#include "RuntimeFolder.h"
#include "SingleInstanceApplication.h"

#include <QWidget>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// Real processes of a tiny single-instance program talk to each other, and to this test, which
// is a single-instance application itself. Every id is unique to this run, and the runtime folder
// is a temporary one, so parallel runs and a running program do not meet.
class TestSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TestSingleInstance(const QString& ownId) : m_ownId(ownId) {}

private slots:
    void cleanup();
    void secondStartHandsOverMessage_data();
    void secondStartHandsOverMessage();
    void staleLockOfKilledInstance();
    void noRunningInstanceToTakeMessage();
    void activationWindowOnMessage_data();
    void activationWindowOnMessage();
    void otherUserDoesNotSeeInstance();
    void runtimeFolderTakenFirst_data();
    void runtimeFolderTakenFirst();

private:
    QProcess* startHelper(const QString& id, const QString& message, QProcessEnvironment env = {});
    static QString uniqueId(const char* what);

    QString m_ownId;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

static const QString helper = QStringLiteral(SINGLEINSTANCEHELPER_PATH);

QString TestSingleInstance::uniqueId(const char* what) {
    static int counter = 0;
    return QStringLiteral("tst-%1-%2-%3").arg(QCoreApplication::applicationPid()).arg(++counter).arg(what);
}

QProcess* TestSingleInstance::startHelper(const QString& id, const QString& message, QProcessEnvironment env) {
    auto process = std::make_unique<QProcess>();
    if (!env.isEmpty())
        process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(helper, {id, message});
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

void TestSingleInstance::cleanup() {
    for (auto& process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
    m_processes.clear();
}

static bool waitForLine(QProcess* process, const QByteArray& line) {
    QDeadlineTimer deadline(20000);
    QByteArray seen;
    while (!deadline.hasExpired()) {
        while (process->canReadLine()) {
            seen = process->readLine().trimmed();
            if (seen == line)
                return true;
        }
        if (!process->waitForReadyRead(int(deadline.remainingTime())))
            break;
    }
    qWarning("expected %s, last line %s", line.constData(), seen.constData());
    return false;
}

void TestSingleInstance::secondStartHandsOverMessage_data() {
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString();
    QTest::newRow("text") << QStringLiteral("hello");
    QTest::newRow("non-ASCII and blanks") << QStringLiteral("Grüße aus 東京");
}

void TestSingleInstance::secondStartHandsOverMessage() {
    QFETCH(QString, message);
    const QString id = uniqueId("message");
    QProcess* first = startHelper(id, QStringLiteral("unused"));
    QVERIFY(waitForLine(first, "primary"));

    QProcess* second = startHelper(id, message);
    QVERIFY(waitForLine(second, "secondary"));
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(waitForLine(first, "received:" + message.toUtf8()));

    QProcess* third = startHelper(id, QStringLiteral("quit"));
    QVERIFY(third->waitForFinished(20000));
    QCOMPARE(third->exitCode(), 0);
    QVERIFY(first->waitForFinished(20000));
    QCOMPARE(first->exitCode(), 0);
}

void TestSingleInstance::staleLockOfKilledInstance() {
    const QString id = uniqueId("stale");
    QProcess* crashed = startHelper(id, QString());
    QVERIFY(waitForLine(crashed, "primary"));
    crashed->kill();
    QVERIFY(crashed->waitForFinished(20000));
    QVERIFY(QFileInfo::exists(platform::InstanceGuard::lockFilePath(id)));
    QVERIFY(QFileInfo::exists(platform::InstanceGuard::serverPath(id)));

    QProcess* next = startHelper(id, QString());
    QVERIFY(waitForLine(next, "primary"));
    QProcess* second = startHelper(id, QStringLiteral("after crash"));
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(waitForLine(next, "received:after crash"));
}

void TestSingleInstance::noRunningInstanceToTakeMessage() {
    const QString id = uniqueId("alone");
    platform::InstanceGuard guard(id);
    QVERIFY(!guard.isRunning());
    QVERIFY(!guard.sendMessage(QStringLiteral("to nobody"), 100));

    // A lock held by a live process that never answers: the message times out.
    const QString otherId = uniqueId("silent");
    QLockFile lock(platform::InstanceGuard::lockFilePath(otherId));
    QVERIFY(lock.tryLock(0));
    platform::InstanceGuard late(otherId);
    QVERIFY(late.isRunning());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!late.sendMessage(QStringLiteral("lost"), 300));
    QVERIFY(timer.elapsed() < 5000);
}

void TestSingleInstance::activationWindowOnMessage_data() {
    QTest::addColumn<bool>("activateOnMessage");
    QTest::newRow("activate") << true;
    QTest::newRow("only signal") << false;
}

void TestSingleInstance::activationWindowOnMessage() {
    QFETCH(bool, activateOnMessage);
    auto* app = qobject_cast<platform::SingleInstanceApplication*>(qApp);
    QVERIFY(app);
    QVERIFY(!app->isRunning());

    QWidget window;
    window.resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(Qt::WindowMinimized);
    app->setActivationWindow(&window, activateOnMessage);
    QCOMPARE(app->activationWindow(), &window);

    QSignalSpy received(app, &platform::SingleInstanceApplication::messageReceived);
    QProcess* second = startHelper(m_ownId, QStringLiteral("wake up"));
    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 20000);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("wake up"));
    QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 20000);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(bool(window.windowState() & Qt::WindowMinimized), !activateOnMessage);
    if (activateOnMessage)
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    app->setActivationWindow(nullptr);
}

void TestSingleInstance::otherUserDoesNotSeeInstance() {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() != 0 || setpriv.isEmpty())
        QSKIP("needs root and setpriv to start a process as another user");
    const QStringList asNobody{"--reuid=65534", "--regid=65534", "--clear-groups"};
    if (QProcess::execute(setpriv, asNobody + QStringList{"true"}) != 0)
        QSKIP("this machine does not let root switch users");

    const QString id = uniqueId("users");
    QProcess* mine = startHelper(id, QString());
    QVERIFY(waitForLine(mine, "primary"));

    // The other user gets a runtime folder of their own, as a login would give them.
    QTemporaryDir otherRuntime;
    QVERIFY(otherRuntime.isValid());
    QVERIFY(::chown(QFile::encodeName(otherRuntime.path()).constData(), 65534, 65534) == 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime.path());
    env.insert(QStringLiteral("HOME"), otherRuntime.path());

    auto other = std::make_unique<QProcess>();
    other->setProcessEnvironment(env);
    other->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    other->start(setpriv, asNobody + QStringList{helper, id, QString()});
    QProcess* otherProcess = other.get();
    m_processes.push_back(std::move(other));
    QVERIFY2(waitForLine(otherProcess, "primary"), "the other user's start must not see this user's instance");
}

void TestSingleInstance::runtimeFolderTakenFirst_data() {
    QTest::addColumn<QString>("planted"); // what is at the runtime folder's names before the first start
    QTest::addColumn<QString>("used");    // the name the instances then share
    QTest::newRow("nothing there") << "none"
                                   << "mendra-runtime-0";
    QTest::newRow("folders of another account") << "folders"
                                                << "mendra-runtime-0-1";
    QTest::newRow("another account's links to a folder of this user") << "links"
                                                                      << "mendra-runtime-0-1";
    QTest::newRow("a folder of this user left open") << "open"
                                                     << "mendra-runtime-0";
    QTest::newRow("a folder of this user others may write into") << "writable"
                                                                 << "mendra-runtime-0-1";
    QTest::newRow("every name taken by another account") << "all folders"
                                                         << "home/.cache/mendra-runtime";
}

// Without XDG_RUNTIME_DIR (as under sudo) the lock and the socket live in a folder of the temporary folder.
// Another account that makes or links its names first cannot switch the single-instance check off: its
// folders and links are passed over, never changed, for a fresh private folder that every instance finds.
void TestSingleInstance::runtimeFolderTakenFirst() {
    QFETCH(QString, planted);
    QFETCH(QString, used);
    if (::geteuid() != 0)
        QSKIP("needs root to make files of another account");
    constexpr uid_t other = 65534;
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QByteArray tmpPath = QFile::encodeName(tmp.path());
    QVERIFY(::chmod(tmpPath.constData(), 01777) == 0); // as /tmp is
    const QString mine = tmp.filePath(QStringLiteral("mine"));
    QVERIFY(QDir().mkpath(mine));
    QVERIFY(::chmod(QFile::encodeName(mine).constData(), 0755) == 0);
    // The name Qt's own fallback takes, and the program's.
    QStringList names{QStringLiteral("runtime-root"), QStringLiteral("mendra-runtime-0")};
    if (planted == "all folders") {
        for (int n = 1; n < 64; ++n)
            names << QStringLiteral("mendra-runtime-0-%1").arg(n);
    }
    const QString home = tmp.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home));
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(tmp.filePath(name));
        if (planted.endsWith("folders")) {
            QVERIFY(::mkdir(path.constData(), 0777) == 0 && ::chmod(path.constData(), 0777) == 0);
            QVERIFY(::chown(path.constData(), other, other) == 0);
        } else if (planted == "links") {
            QVERIFY(::symlink(QFile::encodeName(mine).constData(), path.constData()) == 0);
            QVERIFY(::lchown(path.constData(), other, other) == 0);
        } else if (planted == "open" || planted == "writable") {
            const mode_t mode = planted == "open" ? 0755 : 0777;
            QVERIFY(::mkdir(path.constData(), mode) == 0 && ::chmod(path.constData(), mode) == 0);
        }
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("TMPDIR"), tmp.path());
    env.insert(QStringLiteral("HOME"), home);
    const QString id = uniqueId("taken");
    QProcess* first = startHelper(id, QString(), env);
    QVERIFY(waitForLine(first, "primary"));
    QProcess* second = startHelper(id, QStringLiteral("found"), env);
    QVERIFY2(waitForLine(second, "secondary"), "the second start must find the first");
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(waitForLine(first, "received:found"));

    // What the other account made is as it was, and so is the folder its links lead to.
    for (const QString& name : names) {
        const QFileInfo info(tmp.filePath(name));
        if (planted.endsWith("folders")) {
            QCOMPARE(info.ownerId(), other);
            QCOMPARE(info.permissions() & QFile::WriteOther, QFile::WriteOther);
        } else if (planted == "links") {
            QVERIFY(info.isSymLink());
        } else if (planted == "writable") {
            QCOMPARE(info.permissions() & QFile::WriteOther, QFile::WriteOther);
        }
    }
    QCOMPARE(QFileInfo(mine).permissions() & QFile::ReadOther, QFile::ReadOther);

    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray temporary = qgetenv("TMPDIR");
    const QByteArray ownHome = qgetenv("HOME");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", tmpPath);
    qputenv("HOME", QFile::encodeName(home));
    const QString folder = platform::userRuntimeFolder();
    qputenv("XDG_RUNTIME_DIR", runtime);
    temporary.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", temporary);
    ownHome.isNull() ? qunsetenv("HOME") : qputenv("HOME", ownHome);
    QCOMPARE(folder, tmp.filePath(used));
    struct stat status;
    QVERIFY(::lstat(QFile::encodeName(folder).constData(), &status) == 0);
    QVERIFY(S_ISDIR(status.st_mode));
    QCOMPARE(status.st_uid, ::geteuid());
    QCOMPARE(status.st_mode & 0777, mode_t(0700));
}

int main(int argc, char** argv) {
    QTemporaryDir runtime;
    if (!runtime.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString id = QStringLiteral("tst-singleinstance-%1").arg(::getpid());
    platform::SingleInstanceApplication app(id, argc, argv);
    TestSingleInstance test(id);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
