#include "device/CallbackGate.h"

#include <QtTest>

#include <atomic>
#include <thread>

namespace {

class Receiver : public QObject {
    Q_OBJECT
public:
    int handled = 0;
public slots:
    int answer(int question) {
        ++handled;
        return question * 2;
    }
};

class Sender : public QObject {
    Q_OBJECT
signals:
    int ask(int question);
};

} // namespace

// Deliveries from a foreign thread over a blocking queued connection, and the gate that lets the receiver
// go away while one of them waits for it.
class TestCallbackGate : public QObject {
    Q_OBJECT

private slots:
    void deliversTheSlotsAnswer() {
        Receiver receiver;
        Sender sender;
        connect(&sender, &Sender::ask, &receiver, &Receiver::answer, Qt::BlockingQueuedConnection);
        CallbackGate::Open(&receiver);
        std::atomic<int> result{-1};
        std::thread caller([&] {
            CallbackGate::Pass pass(&receiver);
            if (pass)
                result = emit sender.ask(21);
        });
        QTRY_COMPARE(result.load(), 42);
        caller.join();
        QVERIFY(CallbackGate::Close(&receiver, &receiver, 1000));
    }

    // The receiver's thread never runs its event loop again (it is shutting down): closing must release the
    // waiting thread without running the slot.
    void closeReleasesAWaitingDelivery() {
        Receiver receiver;
        Sender sender;
        connect(&sender, &Sender::ask, &receiver, &Receiver::answer, Qt::BlockingQueuedConnection);
        CallbackGate::Open(&receiver);
        std::atomic<bool> entered{false};
        std::atomic<bool> returned{false};
        std::thread caller([&] {
            CallbackGate::Pass pass(&receiver);
            entered = true;
            if (pass)
                emit sender.ask(1);
            returned = true;
        });
        while (!entered)
            std::this_thread::yield();
        QElapsedTimer timer;
        timer.start();
        QVERIFY(CallbackGate::Close(&receiver, &receiver, 5000));
        QVERIFY(timer.elapsed() < 2000);
        caller.join();
        QVERIFY(returned);
        QCOMPARE(receiver.handled, 0);
        QVERIFY(!CallbackGate::IsOpen(&receiver));
    }

    void nothingPassesOnceClosed() {
        int owner = 0;
        QVERIFY(!CallbackGate::Pass(&owner));
        CallbackGate::Open(&owner);
        QVERIFY(CallbackGate::Pass(&owner));
        QVERIFY(CallbackGate::Close(&owner, nullptr, 100));
        QVERIFY(!CallbackGate::Pass(&owner));
    }

    // A delivery that does not end in time is reported, not waited for forever.
    void closeIsBounded() {
        int owner = 0;
        CallbackGate::Open(&owner);
        QSemaphore release;
        std::atomic<bool> entered{false};
        std::thread caller([&] {
            CallbackGate::Pass pass(&owner);
            entered = true;
            release.acquire();
        });
        while (!entered)
            std::this_thread::yield();
        QVERIFY(!CallbackGate::Close(&owner, nullptr, 50));
        release.release();
        caller.join();
    }
};

QTEST_GUILESS_MAIN(TestCallbackGate)
#include "tst_callbackgate.moc"
