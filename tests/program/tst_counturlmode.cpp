#include "program/CountUrlMode.h"

#include "framework/QMyWeb.h"

#include <QtTest>

#include <vector>

class TestCountUrlMode : public QObject {
    Q_OBJECT

private slots:
    void action_data();
    void action();
};

void TestCountUrlMode::action_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");

    const int none = -1;
    QTest::newRow("install") << QStringList{"--count--url--", "install"} << int(QMyWeb::Install);
    QTest::newRow("uninstall") << QStringList{"--count--url--", "uninstall"} << int(QMyWeb::Uninstall);
    QTest::newRow("switch in capitals") << QStringList{"--COUNT--URL--", "install"} << int(QMyWeb::Install);
    QTest::newRow("switch in mixed case") << QStringList{"--Count--Url--", "uninstall"} << int(QMyWeb::Uninstall);
    QTest::newRow("action in capitals") << QStringList{"--count--url--", "INSTALL"} << none;
    QTest::newRow("unknown action") << QStringList{"--count--url--", "update"} << none;
    QTest::newRow("no action") << QStringList{"--count--url--"} << none;
    QTest::newRow("one argument too many") << QStringList{"--count--url--", "install", "x"} << none;
    QTest::newRow("action first") << QStringList{"install", "--count--url--"} << none;
    QTest::newRow("switch without dashes") << QStringList{"count--url", "install"} << none;
    QTest::newRow("no arguments") << QStringList{} << none;
    QTest::newRow("non-ASCII switch") << QStringList{QString::fromUtf8("--cöunt--url--"), "install"} << none;
}

void TestCountUrlMode::action() {
    QFETCH(QStringList, arguments);
    QFETCH(int, action);

    std::vector<QByteArray> storage{"mendra"};
    for (const QString& argument : arguments)
        storage.push_back(argument.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    QCOMPARE(CountUrlAction(int(storage.size()), argv.data()), action);
}

QTEST_GUILESS_MAIN(TestCountUrlMode)
#include "tst_counturlmode.moc"
