#include "PatchLauncher.h"
#include "ProgramFolder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The program folder is where the executable really lies, however it was started: a helper program is
// copied into a folder and started through links to it and to that folder.
class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void startedThrough_data();
    void startedThrough();
    void launcherInTheFolder();
};

void TestProgramFolder::startedThrough_data() {
    QTest::addColumn<QString>("start"); // relative to the temporary root

    QTest::newRow("the file itself") << "lib/tool/helper";
    QTest::newRow("a link in another folder") << "bin/helper";
    QTest::newRow("a relative link") << "bin/relative";
    QTest::newRow("a linked folder") << "linked/helper";
    QTest::newRow("a link to a link") << "bin/second";
}

void TestProgramFolder::startedThrough() {
    QFETCH(QString, start);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString root = QFileInfo(temporary.path()).canonicalFilePath();
    QVERIFY(QDir().mkpath(root + "/lib/tool") && QDir().mkpath(root + "/bin"));
    QVERIFY(QFile::copy(QStringLiteral(PROGRAMFOLDERHELPER_PATH), root + "/lib/tool/helper"));
    QVERIFY(QFile::link(root + "/lib/tool/helper", root + "/bin/helper"));
    QVERIFY(QFile::link("../lib/tool/helper", root + "/bin/relative"));
    QVERIFY(QFile::link(root + "/lib/tool", root + "/linked"));
    QVERIFY(QFile::link(root + "/bin/helper", root + "/bin/second"));

    QProcess helper;
    helper.start(root + "/" + start, QStringList());
    QVERIFY(helper.waitForFinished(30000));
    QCOMPARE(helper.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(helper.readAllStandardOutput()).trimmed(), root + "/lib/tool");
}

void TestProgramFolder::launcherInTheFolder() {
    QCOMPARE(platform::patchLauncherPath("/opt/mendra"), QStringLiteral("/opt/mendra/Launch"));
    QCOMPARE(platform::patchLauncherPath("/opt/mendra/"), QStringLiteral("/opt/mendra/Launch"));
    QCOMPARE(platform::patchLauncherPath(QString()), QString());
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
