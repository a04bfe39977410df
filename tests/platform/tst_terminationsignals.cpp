#include "TerminationSignals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>

namespace {

// What the process does on the signal now (the test runner has handlers of its own for some).
void (*Handler(int number))(int) {
    struct sigaction current = {};
    ::sigaction(number, nullptr, &current);
    return current.sa_handler;
}

} // namespace

class TestTerminationSignals : public QObject {
    Q_OBJECT
private slots:
    void reachesTheEventLoop_data();
    void reachesTheEventLoop();
    void oneWatcherAtATime();
};

void TestTerminationSignals::reachesTheEventLoop_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("log-out or shut-down") << int(SIGTERM) << "SIGTERM";
    QTest::newRow("Ctrl+C") << int(SIGINT) << "SIGINT";
    QTest::newRow("the terminal goes away") << int(SIGHUP) << "SIGHUP";
}

// The process lives on after the signal, and hears of it in its event loop, once per signal; without the watcher the
// signal's old handler is back.
void TestTerminationSignals::reachesTheEventLoop() {
    QFETCH(int, number);
    QFETCH(QString, name);
    const auto before = Handler(number);
    {
        platform::TerminationSignals watcher;
        QVERIFY(watcher.isWatching());
        QVERIFY(Handler(number) != before);
        QSignalSpy requests(&watcher, &platform::TerminationSignals::requested);
        QCOMPARE(::raise(number), 0);
        // Nothing of it before the event loop runs.
        QCOMPARE(requests.count(), 0);
        QVERIFY(requests.wait(5000));
        QCOMPARE(requests.takeFirst().value(0).toString(), name);
        QCOMPARE(::raise(number), 0);
        QCOMPARE(::raise(number), 0);
        QTRY_COMPARE(requests.count(), 2);
    }
    QVERIFY(Handler(number) == before);
}

void TestTerminationSignals::oneWatcherAtATime() {
    platform::TerminationSignals first;
    QVERIFY(first.isWatching());
    const auto watching = Handler(SIGTERM);
    {
        platform::TerminationSignals second;
        QVERIFY(!second.isWatching());
    }
    // The second one's end leaves the first one's handlers in place.
    QVERIFY(Handler(SIGTERM) == watching);
    QSignalSpy requests(&first, &platform::TerminationSignals::requested);
    QCOMPARE(::raise(SIGTERM), 0);
    QVERIFY(requests.wait(5000));
}

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_terminationsignals.moc"
