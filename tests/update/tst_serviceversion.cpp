// The service's own version order and the result texts.

#include "update/ServiceVersion.h"
#include "update/UpdateResult.h"

#include <QtTest>

class TestServiceVersion : public QObject {
    Q_OBJECT
private slots:
    void compare_data();
    void compare();
    void split_data();
    void split();
    void messages_data();
    void messages();
};

void TestServiceVersion::compare_data() {
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<int>("result");
    QTest::newRow("newer") << QByteArray("2.1.0") << QByteArray("2.0.9") << 1;
    QTest::newRow("older") << QByteArray("2.0.9") << QByteArray("2.1.0") << -1;
    QTest::newRow("equal texts") << QByteArray("2.0") << QByteArray("2.0") << 0;
    QTest::newRow("numbers, not text") << QByteArray("1.0.0.10") << QByteArray("1.0.0.9") << 1;
    QTest::newRow("same numbers, other text") << QByteArray("1.0") << QByteArray("1.00") << 1;
    QTest::newRow("fewer fields is older") << QByteArray("1.2") << QByteArray("1.2.0") << -1;
    QTest::newRow("more fields is newer") << QByteArray("2.0.0") << QByteArray("2.0") << 1;
    QTest::newRow("shorter but lower") << QByteArray("2.0") << QByteArray("2.0.1") << -1;
    QTest::newRow("leading number of a field") << QByteArray("1.3b") << QByteArray("1.2") << 1;
    QTest::newRow("empty against a version") << QByteArray("") << QByteArray("0.1") << -1;
    QTest::newRow("huge field") << QByteArray("99999999999999999999") << QByteArray("1") << 1;
}

void TestServiceVersion::compare() {
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(int, result);
    QCOMPARE(CompareVersion(a, b), result);
}

void TestServiceVersion::split_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("fields");
    QTest::newRow("empty field kept") << QByteArray("1..2") << QList<QByteArray>{"1", "", "2"};
    QTest::newRow("final separator") << QByteArray("1.2.") << QList<QByteArray>{"1", "2"};
    QTest::newRow("empty text") << QByteArray("") << QList<QByteArray>{};
}

void TestServiceVersion::split() {
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, fields);
    QCOMPARE(SplitString(text, '.'), fields);
}

void TestServiceVersion::messages_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    const QString other = QStringLiteral("Other errors. Please contact our Customer Service Center. (%1)");
    QTest::newRow("-100") << -100 << "Time out in requesting background data. (-100)";
    QTest::newRow("-7") << -7 << "Internal data error. (-7)";
    QTest::newRow("-2") << -2 << "Internal data error. (-2)";
    QTest::newRow("-1") << -1
                        << "Program can't connect to the Internet. You could modify the Proxy settings in "
                           "\"Settings - Connection\". (-1)";
    QTest::newRow("11") << 11 << "Update:failed to find product record.";
    QTest::newRow("12") << 12 << "Updateable";
    QTest::newRow("13") << 13 << "Update:you are using the newest version.";
    QTest::newRow("14") << 14 << "Update:xml data error. (14)";
    QTest::newRow("transfer failed") << -1048593 << other.arg(-1048593);
    QTest::newRow("empty reply") << -69905 << other.arg(-69905);
    QTest::newRow("-8") << -8 << other.arg(-8);
}

void TestServiceVersion::messages() {
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(resultMessage(code), text);
}

QTEST_GUILESS_MAIN(TestServiceVersion)
#include "tst_serviceversion.moc"
