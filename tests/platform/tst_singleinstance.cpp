#include "InstanceGuard.h"
#include "SingleInstanceApplication.h"

#include <QWidget>
#include <QtTest>

#include <memory>
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
