#include "SystemUtilities.h"

#include <QDesktopServices>
#include <QtTest>

#include "RecordedArguments.h"

// The elevated start goes (as root, directly) to a stub script that records its arguments.
class TestSystemUtilities : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { m_opened << url; }

private slots:
    void initTestCase();
    void runElevated_data();
    void runElevated();
    void runElevatedAndWait();
    void diskFreeBytes();
    void openWithShell();

private:
    QStringList recorded() const;
    QTemporaryDir m_dir;
    QString m_stub;
    QString m_record;
    QList<QUrl> m_opened;
};

void TestSystemUtilities::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_stub = m_dir.filePath("stub");
    QFile stub(m_stub);
    QVERIFY(stub.open(QIODevice::WriteOnly));
    stub.write("#!/bin/sh\n"
               "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$MENDRA_ARGS_RECORD.part\"\n"
               "mv \"$MENDRA_ARGS_RECORD.part\" \"$MENDRA_ARGS_RECORD\"\n"
               "exit 7\n");
    stub.close();
    QVERIFY(stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_record = m_dir.filePath("record");
    qputenv("MENDRA_ARGS_RECORD", m_record.toLocal8Bit());
    QDesktopServices::setUrlHandler("file", this, "open");
}

QStringList TestSystemUtilities::recorded() const {
    return readRecordedArguments(m_record);
}

void TestSystemUtilities::runElevated_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("two") << QStringList{"a", "b"};
    QTest::newRow("blank and quote") << QStringList{"/tmp/my file", "say \"hi\""};
}

void TestSystemUtilities::runElevated() {
    QFETCH(QStringList, arguments);
    QFile::remove(m_record);
    QVERIFY(RunElevated(m_stub, arguments, platform::ElevatedRunner(QString(), true)));
    QTRY_VERIFY(QFile::exists(m_record));
    QCOMPARE(recorded(), arguments + QStringList({"/adminoption", "1"}));
}

void TestSystemUtilities::runElevatedAndWait() {
    QFile::remove(m_record);
    QCOMPARE(RunElevatedAndWait(m_stub, {"x y"}, platform::ElevatedRunner(QString(), true)), 7);
    QCOMPARE(recorded(), QStringList{"x y"});
    QVERIFY(!RunElevated(m_dir.filePath("missing"), {}, platform::ElevatedRunner(QString(), true)));
}

void TestSystemUtilities::diskFreeBytes() {
    QVERIFY(GetDiskFreeBytes(m_dir.path()) >= 0);
    QVERIFY(GetDiskTotalBytes(m_dir.path()) > 0);
    QCOMPARE(GetDiskFreeBytes(QString()), qint64(-1));
    QCOMPARE(GetDiskFreeBytes(m_dir.filePath("missing")), qint64(-1));
}

void TestSystemUtilities::openWithShell() {
    m_opened.clear();
    QVERIFY(!OpenWithShell(m_dir.filePath("missing")));
    QVERIFY(!OpenWithShell(QString()));
    QVERIFY(m_opened.isEmpty());
    QVERIFY(OpenWithShell(m_stub));
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(m_stub)});
}

QTEST_MAIN(TestSystemUtilities)
#include "tst_systemutilities.moc"
