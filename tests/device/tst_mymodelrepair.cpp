#include "ModelTestEnv.h"

#include "app/RunLog.h"
#include "device/CItemDataBase.h"
#include "device/MyModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>

#include <cstring>

namespace {

MRRestoreCallbackData Finished(int step, int code, const char* description) {
    MRRestoreCallbackData data;
    std::memset(&data, 0, sizeof data);
    data.step = step;
    data.status = MRStatusFinished;
    data.result.code = code;
    data.result.description = description;
    return data;
}

MRRestoreCallbackData Progress(int step, int status, quint64 done, quint64 total) {
    MRRestoreCallbackData data;
    std::memset(&data, 0, sizeof data);
    data.step = step;
    data.status = status;
    data.progress.done = done;
    data.progress.total = total;
    return data;
}

} // namespace

// The two runs of a repair on the stand-in device library: every report, every fault, the device they act
// on, and shut-down in the middle of a run.
class TestMyModelRepair : public QObject {
    Q_OBJECT

private:
    ModelTestEnv env;
    FakeModelHost& host() { return *env.host; }

    // One device, listed, with a model on it.
    bool startWithDevice(int restoreMs = 300, int reenumerateMs = -1) {
        if (!env.load(ModelTestEnv::device(1, "iPhone"), restoreMs, 150, reenumerateMs))
            return false;
        env.start();
        return QTest::qWaitFor([&] { return host().models.entries.size() == 1; }, 5000);
    }

    bool firstRun(bool standard) {
        env.model->StartRepair(standard);
        return QTest::qWaitFor([&] { return host().has("ShowReadyToFix"); }, 20000);
    }

    // "Fix Now": the window marks the second run right after starting it.
    void startSecondRun(bool standard) {
        host().calls.clear();
        env.model->StartRepair(standard);
        env.model->SetSkipReadyPage(true);
    }

    // The library has nothing left to deliver and the model has handled the end of the run.
    bool runEnded() {
        return QTest::qWaitFor([&] { return env.control->WaitIdle(0) == 0 && !env.model->IsRunActive(); }, 20000);
    }

private slots:
    void initTestCase() { QVERIFY(env.setUp()); }
    void cleanupTestCase() { env.tearDown(); }
    void cleanup() { env.stop(); }

    // The option word decides whether the user's data survives: 0 standard keeps it, 1 advanced erases. A
    // device that re-enumerates leaves the bus on entering recovery mode and comes back under a new handle;
    // the repair goes on with it as if it had only changed its mode.
    void bothRuns_data() {
        QTest::addColumn<bool>("standard");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("erased");
        QTest::addColumn<bool>("reenumerate");
        QTest::newRow("standard keeps data") << true << int(MROptionStandard) << 0 << false;
        QTest::newRow("advanced erases") << false << int(MROptionAdvanced) << 1 << false;
        QTest::newRow("standard, the device re-enumerates") << true << int(MROptionStandard) << 0 << true;
        QTest::newRow("advanced, the device re-enumerates") << false << int(MROptionAdvanced) << 1 << true;
    }
    void bothRuns() {
        QFETCH(bool, standard);
        QFETCH(int, option);
        QFETCH(int, erased);
        QFETCH(bool, reenumerate);
        QVERIFY(startWithDevice(300, reenumerate ? 200 : -1));
        const MRDeviceRef firstHandle = env.state(1).handle;
        QVERIFY(firstRun(standard));
        const QStringList first = host().calls;
        QVERIFY(first.contains("ShowDownloadAnimation"));
        QVERIFY(first.contains("SetDownloading(1)"));
        QVERIFY(first.indexOf("ShowFirmwareState(Downloading)") < first.indexOf("ShowFirmwareState(Downloaded)"));
        QVERIFY(first.indexOf("ShowFirmwareState(Downloaded)") < first.indexOf("ShowFirmwareState(Verifying)"));
        QVERIFY(first.indexOf("ShowFirmwareState(Verifying)") < first.indexOf("ShowFirmwareState(Verified)"));
        QVERIFY(first.indexOf("ShowFirmwareState(Verified)") < first.indexOf("ShowReadyToFix"));
        QVERIFY(first.contains("ShowRepairProgress(SecondaryVerification,0)"));
        QVERIFY(host().filter("SetFirmwarePath(").first().endsWith("DemoFirmware_17.0_Restore.ipsw)"));
        QVERIFY(env.model->IsRepairRunning());
        QVERIFY(env.model->IsFirmwareStageRunning());
        QCOMPARE(env.model->GetOptionWord(), option);
        QCOMPARE(env.model->GetWorkDeviceIdText(), QStringLiteral("1"));

        // Started at once, while the first run is still returning from the library.
        startSecondRun(standard);
        QTRY_VERIFY_WITH_TIMEOUT(host().has("ShowRepairSucceeded"), 20000);
        const QStringList second = host().calls;
        for (const char* step : {"ShowRepairProgress(SecondaryVerification,0)", "ShowRepairProgress(Unzipping,0)",
                                 "ShowRepairProgress(EnteringRecovery,0)", "ShowRepairProgress(Repairing,0)"})
            QVERIFY2(second.contains(step), step);
        QVERIFY(second.indexOf("ShowRepairProgress(Repairing,0)") <
                second.indexOf("ShowRepairProgress(Complete,1000)"));
        QVERIFY(second.indexOf("ShowRepairProgress(Complete,1000)") < second.indexOf("ShowRepairSucceeded"));
        QVERIFY(!second.contains("ShowReadyToFix"));
        QVERIFY(!second.contains("ShowRepairFailed"));
        // Whatever the device did on the way, nothing was told that it was lost before the result.
        const int lost = second.indexOf("OnDeviceDetected(-1)");
        QVERIFY2(lost < 0 || lost > second.indexOf("ShowRepairSucceeded"), qPrintable(second.join(' ')));
        QVERIFY(runEnded());
        QVERIFY(!env.model->IsFirmwareStageRunning());
        QVERIFY(!env.model->IsWaitingForWorkDevice());
        QTRY_COMPARE(host().models.texts(), QStringList{"iPhone"});
        QCOMPARE(host().models.currentDevice(), env.state(1).handle);
        QCOMPARE(env.state(1).handle != firstHandle, reenumerate);

        const MRSimDeviceState device = env.state(1);
        QCOMPARE(device.restoreCount, 1);
        QCOMPARE(device.lastOption, option);
        QCOMPARE(device.erased, erased);
        QCOMPARE(env.model->GetOptionWord(), option);
    }

    // "Fix Now" reaches the model while the first run has not yet returned from the library: the second run
    // starts once it has, instead of being lost.
    void secondRunAskedForWhileTheFirstEnds() {
        QVERIFY(startWithDevice());
        host().onReadyToFix = [this] {
            host().onReadyToFix = nullptr;
            QVERIFY(env.model->IsRunActive());
            env.model->StartRepair(true);
            env.model->SetSkipReadyPage(true);
        };
        env.model->StartRepair(true);
        QTRY_VERIFY_WITH_TIMEOUT(host().has("ShowRepairSucceeded"), 20000);
        QVERIFY(runEnded());
        QCOMPARE(host().count("ShowReadyToFix"), 1);
        QCOMPARE(env.state(1).restoreCount, 1);
    }

    // A package chosen by the user: the model keeps the library's local selection and sets no download path.
    // The ready page names the package's own version, and the package is unpacked below the download folder
    // as a downloaded one is, not in the temporary folder.
    void localPackageRun() {
        QVERIFY(startWithDevice());
        const MRDeviceRef device = env.state(1).handle;
        const QString package =
            QDir(qEnvironmentVariable("MENDRA_RUNTIME_DIR")).filePath("DemoFirmware_17.0_Restore.ipsw");
        host().online = false;
        host().firstDownload = false;
        host().systemVersionText = QStringLiteral("an earlier run's version");
        env.model->SetLocalFirmware(device, package.toUtf8());
        env.model->SetWorkDeviceIdText(QStringLiteral("1"));
        QVERIFY(firstRun(true));
        QVERIFY(host().filter("SetFirmwarePath(").isEmpty());
        // The list's entry reads "17.0" here; the package calls itself "17.0 (21A329)".
        QCOMPARE(host().systemVersionText, QStringLiteral("17.0 (21A329)"));
        // Its end stopped the job as the user's stop would: the device is now the last-used one.
        std::unique_ptr<CItemDataBase> item(env.model->MakeDeviceItem());
        QCOMPARE(item->GetPresent(), DevicePresence::Selected);
        QCOMPARE(item->GetDevice(), device);
        QStringList unpackedIn;
        host().onRepairProgress = [&unpackedIn](RepairStep step, float value) {
            if (step == RepairStep::Unzipping && value > 0 && unpackedIn.isEmpty())
                unpackedIn = QDir(gConfig->GetDownloadPath())
                                 .entryList(QStringList{QStringLiteral(".unpack-*")}, QDir::Dirs | QDir::Hidden);
        };
        startSecondRun(true);
        QTRY_VERIFY_WITH_TIMEOUT(host().has("ShowRepairSucceeded"), 20000);
        host().onRepairProgress = nullptr;
        QCOMPARE(env.state(1).restoreCount, 1);
        QCOMPARE(unpackedIn.size(), 1);
        QCOMPARE(host().systemVersionText, QStringLiteral("17.0 (21A329)"));
    }

    // Every fault ends in a visible failure and leaves nothing marked as running. Until the device is touched (the
    // second run's verification and unpack) a failure is the package's: the firmware check page shows it, with
    // "Download again", instead of the repair's failure page; an unpack's has no hint.
    void faults_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("inSecondRun");
        QTest::addColumn<bool>("noFinalReport");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        const QStringList repairFailed{"ShowRepairFailed"};
        const QStringList onCheckPage{"ReturnToFirmwareCheck", "EnableRetryDownload(1)", "ShowVerifyFailedPicture",
                                      "ShowFirmwareError(40)", "ShowFirmwareState(VerifyFailed)"};
        const QStringList noHint{"ShowRepairFailed", "ShowFirmwareHint(TryOtherVersions)",
                                 "ShowFirmwareHint(KeepConnected)"};
        QTest::newRow("download error") << int(MRStepDownload) << false << false
                                        << QStringList{"ShowDownloadFailedPicture", "EnableRetryDownload(1)",
                                                       "ShowFirmwareError(40)", "ShowFirmwareState(DownloadFailed)",
                                                       "ShowFirmwareHint(KeepConnected)"}
                                        << repairFailed;
        QTest::newRow("verify error") << int(MRStepVerify) << false << false
                                      << QStringList{"ShowVerifyFailedPicture", "ShowFirmwareError(40)",
                                                     "ShowFirmwareState(VerifyFailed)",
                                                     "ShowFirmwareHint(TryOtherVersions)"}
                                      << repairFailed;
        QTest::newRow("second verification error")
            << int(MRStepVerify) << true << false << onCheckPage + QStringList{"ShowFirmwareHint(TryOtherVersions)"}
            << repairFailed;
        QTest::newRow("unzip error") << int(MRStepUnzip) << true << false << onCheckPage << noHint;
        QTest::newRow("enter recovery error")
            << int(MRStepEnterRecovery) << true << false << repairFailed << QStringList{"ReturnToFirmwareCheck"};
        QTest::newRow("restore error") << int(MRStepRestore) << true << false << repairFailed
                                       << QStringList{"ReturnToFirmwareCheck"};
        QTest::newRow("download without final report")
            << int(MRStepDownload) << false << true
            << QStringList{"ShowDownloadFailedPicture", "EnableRetryDownload(1)", "ShowFirmwareState(DownloadFailed)"}
            << repairFailed;
        QTest::newRow("verify without final report")
            << int(MRStepVerify) << false << true
            << QStringList{"ShowVerifyFailedPicture", "ShowFirmwareState(VerifyFailed)"} << repairFailed;
        QTest::newRow("unzip without final report") << int(MRStepUnzip) << true << true << onCheckPage << noHint;
        QTest::newRow("restore without final report")
            << int(MRStepRestore) << true << true << repairFailed << QStringList{"ReturnToFirmwareCheck"};
    }
    void faults() {
        QFETCH(int, step);
        QFETCH(bool, inSecondRun);
        QFETCH(bool, noFinalReport);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        QVERIFY(startWithDevice());
        MRSimFault fault{step, 50, 40, "Lost contact", 0, noFinalReport ? 1 : 0, 0};
        if (inSecondRun)
            QVERIFY(firstRun(true));
        QCOMPARE(env.control->InjectFault(1, &fault), 0);
        if (inSecondRun)
            startSecondRun(true);
        else
            env.model->StartRepair(true);

        QTRY_VERIFY_WITH_TIMEOUT(host().has(expected.last()), 20000);
        QVERIFY(runEnded());
        for (const QString& call : expected)
            QVERIFY2(host().has(call), qPrintable(call));
        for (const QString& call : absent + QStringList{"ShowRepairSucceeded", "ShowReadyToFix"})
            QVERIFY2(!host().has(call), qPrintable(call));
        QCOMPARE(host().count(expected.last()), 1);
        // The check page shows the library's own description.
        if (!noFinalReport && (!inSecondRun || expected.contains("ReturnToFirmwareCheck")))
            QCOMPARE(host().firmwareDescription, QStringLiteral("Lost contact"));
        QVERIFY(!env.model->IsRepairRunning());
        QVERIFY(!env.model->IsFirmwareStageRunning());
        QCOMPARE(env.state(1).restoreCount, 0);
        QCOMPARE(env.state(1).jobRunning, 0);
    }

    // Unpacking works on the package alone, so the run stays in its firmware stage, which Back may still stop;
    // from entering recovery mode on the device is touched and the window must refuse to leave the run.
    void repairStepsAndTheFirmwareStage_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("firmwareStage");
        QTest::newRow("unzip starts") << int(MRStepUnzip) << int(MRStatusStarted) << true;
        QTest::newRow("unzip progresses") << int(MRStepUnzip) << int(MRStatusProgress) << true;
        QTest::newRow("unzip ends") << int(MRStepUnzip) << int(MRStatusFinished) << true;
        QTest::newRow("entering recovery mode starts") << int(MRStepEnterRecovery) << int(MRStatusStarted) << false;
        QTest::newRow("entering recovery mode ends") << int(MRStepEnterRecovery) << int(MRStatusFinished) << false;
        QTest::newRow("restore starts") << int(MRStepRestore) << int(MRStatusStarted) << false;
    }
    void repairStepsAndTheFirmwareStage() {
        QFETCH(int, step);
        QFETCH(int, status);
        QFETCH(bool, firmwareStage);
        QVERIFY(startWithDevice());
        MRRestoreCallbackData verify = Progress(MRStepVerify, MRStatusStarted, 0, 0);
        QCOMPARE(env.model->DoModelRestoreCallback(&verify, env.model.get()), 0);
        QVERIFY(env.model->IsFirmwareStageRunning());
        // The steps come in order: a later step's report follows the unpack's.
        if (step > MRStepUnzip) {
            MRRestoreCallbackData unzipped = Finished(MRStepUnzip, 0, "");
            QCOMPARE(env.model->DoModelRestoreCallback(&unzipped, env.model.get()), 0);
        }
        MRRestoreCallbackData data = status == MRStatusFinished ? Finished(step, 0, "") : Progress(step, status, 1, 2);
        QCOMPARE(env.model->DoModelRestoreCallback(&data, env.model.get()), 0);
        QVERIFY(env.model->IsRepairRunning());
        QCOMPARE(env.model->IsFirmwareStageRunning(), firmwareStage);
    }

    // The device changes mode during the repair; the lists must not be rewritten meanwhile.
    void changesIgnoredWhileEnteringRecovery() {
        QVERIFY(startWithDevice());
        MRRestoreCallbackData enter = Progress(MRStepEnterRecovery, MRStatusStarted, 0, 0);
        QCOMPARE(env.model->DoModelRestoreCallback(&enter, env.model.get()), 0);
        QCOMPARE(env.control->SetMode(1, MRModeRecovery), 0);
        QTRY_COMPARE(env.control->WaitIdle(0), 0);
        QCOMPARE(host().models.texts(), QStringList{"iPhone"});

        MRRestoreCallbackData restore = Progress(MRStepRestore, MRStatusStarted, 0, 0);
        QCOMPARE(env.model->DoModelRestoreCallback(&restore, env.model.get()), 0);
        QCOMPARE(env.control->SetMode(1, MRModeNormal), 0);
        QCOMPARE(env.control->SetMode(1, MRModeRecovery), 0);
        QTRY_COMPARE(host().models.texts(), QStringList{"iPhone [Recovery]"});

        // A failed entry into recovery mode lets changes through again as well.
        MRRestoreCallbackData failed = Finished(MRStepEnterRecovery, 13, "Refused");
        QCOMPARE(env.model->DoModelRestoreCallback(&failed, env.model.get()), -1);
        QCOMPARE(env.control->SetMode(1, MRModeNormal), 0);
        QTRY_COMPARE(host().models.texts(), QStringList{"iPhone"});
    }

    // Single reports handled on their own: what reaches the window and what the library is answered.
    void reports_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("status");
        QTest::addColumn<qulonglong>("done");
        QTest::addColumn<qulonglong>("total");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("secondRun");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("answer");
        QTest::newRow("download progress")
            << int(MRStepDownload) << int(MRStatusProgress) << 512ull << 1024ull << 0 << false
            << QStringList{"ShowFirmwareProgress(500)", "ShowDownloadSpeed"} << 0;
        QTest::newRow("unknown total") << int(MRStepDownload) << int(MRStatusProgress) << 512ull << 0ull << 0 << false
                                       << QStringList{"ShowFirmwareProgress(0)", "ShowDownloadSpeed"} << 0;
        QTest::newRow("verify progress") << int(MRStepVerify) << int(MRStatusProgress) << 1ull << 4ull << 0 << false
                                         << QStringList{"ShowFirmwareProgress(250)",
                                                        "ShowRepairProgress(SecondaryVerification,250)"}
                                         << 0;
        QTest::newRow("restore progress") << int(MRStepRestore) << int(MRStatusProgress) << 3ull << 4ull << 0 << true
                                          << QStringList{"ShowRepairProgress(Repairing,750)"} << 0;
        QTest::newRow("second verification passes") << int(MRStepVerify) << int(MRStatusFinished) << 0ull << 0ull << 0
                                                    << true << QStringList{"ShowFirmwareState(Verified)"} << 0;
        // A package that is gone by "Fix Now" is downloaded again behind the fix page, which shows it.
        QTest::newRow("second-run download progress")
            << int(MRStepDownload) << int(MRStatusProgress) << 512ull << 1024ull << 0 << true
            << QStringList{"ShowFirmwareProgress(500)", "ShowDownloadSpeed", "ShowRepairProgress(Downloading,500)"}
            << 0;
        const QStringList downloadFailedOnCheckPage{
            "ShowFirmwareState(Downloaded)", "ReturnToFirmwareCheck", "EnableRetryDownload(1)",
            "ShowDownloadFailedPicture",     "ShowFirmwareError(5)",  "ShowFirmwareState(DownloadFailed)"};
        QTest::newRow("second-run download error")
            << int(MRStepDownload) << int(MRStatusFinished) << 0ull << 0ull << 5 << true
            << downloadFailedOnCheckPage + QStringList{"ShowFirmwareHint(KeepConnected)"} << -1;
        // A download that fails on this computer's disk gets no word about the connection.
        QTest::newRow("download fails on the local disk")
            << int(MRStepDownload) << int(MRStatusFinished) << 0ull << 0ull << int(MRErrorWrite) << false
            << QStringList{"ShowFirmwareState(Downloaded)", "EnableRetryDownload(1)", "ShowDownloadFailedPicture",
                           "ShowFirmwareError(8)", "ShowFirmwareState(DownloadFailed)"}
            << -1;
        QTest::newRow("download folder not writable")
            << int(MRStepDownload) << int(MRStatusFinished) << 0ull << 0ull << int(MRErrorFolder) << false
            << QStringList{"ShowFirmwareState(Downloaded)", "EnableRetryDownload(1)", "ShowDownloadFailedPicture",
                           "ShowFirmwareError(4)", "ShowFirmwareState(DownloadFailed)"}
            << -1;
        QTest::newRow("second-run download fails on the local disk")
            << int(MRStepDownload) << int(MRStatusFinished) << 0ull << 0ull << int(MRErrorWrite) << true
            << QStringList{"ShowFirmwareState(Downloaded)", "ReturnToFirmwareCheck",
                           "EnableRetryDownload(1)",        "ShowDownloadFailedPicture",
                           "ShowFirmwareError(8)",          "ShowFirmwareState(DownloadFailed)"}
            << -1;
        QTest::newRow("step beyond restore")
            << int(MRStepRestore + 1) << int(MRStatusFinished) << 0ull << 0ull << 0 << false << QStringList{} << 0;
        QTest::newRow("unknown status") << int(MRStepUnzip) << int(MRStatusProgress + 1) << 0ull << 0ull << 0 << false
                                        << QStringList{} << 0;
    }
    void reports() {
        QFETCH(int, step);
        QFETCH(int, status);
        QFETCH(qulonglong, done);
        QFETCH(qulonglong, total);
        QFETCH(int, code);
        QFETCH(bool, secondRun);
        QFETCH(QStringList, expected);
        QFETCH(int, answer);
        QVERIFY(startWithDevice());
        env.model->SetSkipReadyPage(secondRun);
        host().calls.clear();
        MRRestoreCallbackData data =
            status == MRStatusFinished ? Finished(step, code, "Lost contact") : Progress(step, status, done, total);
        QCOMPARE(env.model->DoModelRestoreCallback(&data, env.model.get()), answer);
        QCOMPARE(host().calls, expected);
        if (step <= MRStepRestore)
            QCOMPARE(host().currentStep, step);
        if (secondRun && status == MRStatusFinished) {
            // Only the first run's verification ends at the ready page.
            QVERIFY(!host().has("ShowReadyToFix"));
            QCOMPARE(env.state(1).jobRunning, 0);
        }
    }

    // The end of every step leaves one line in the run log, an error line with the library's code and text.
    void reportsAreLogged_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("secondRun");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("line");
        QTest::newRow("download") << int(MRStepDownload) << 0 << false << int(TextLog::Info) << "Download finished... ";
        QTest::newRow("download error") << int(MRStepDownload) << 7 << false << int(TextLog::Error)
                                        << "Download finished...error code:7, description:Lost contact";
        QTest::newRow("verify") << int(MRStepVerify) << 0 << true << int(TextLog::Info) << "Verified finished... ";
        QTest::newRow("verify error") << int(MRStepVerify) << 8 << false << int(TextLog::Error)
                                      << "Verified finished...error code:8, description:Lost contact";
        QTest::newRow("unzip") << int(MRStepUnzip) << 0 << true << int(TextLog::Info) << "Unzip finished... ";
        QTest::newRow("unzip error") << int(MRStepUnzip) << 9 << true << int(TextLog::Error)
                                     << "Unzip finished...error code:9, description:Lost contact";
        QTest::newRow("enter recovery") << int(MRStepEnterRecovery) << 0 << true << int(TextLog::Info)
                                        << "Enter recoery mode finished... ";
        QTest::newRow("enter recovery error")
            << int(MRStepEnterRecovery) << 10 << true << int(TextLog::Error)
            << "Enter recoery mode finished...error code:10, description:Lost contact";
        QTest::newRow("restore") << int(MRStepRestore) << 0 << true << int(TextLog::Info) << "Restore succeed... ";
        QTest::newRow("restore error") << int(MRStepRestore) << -3 << true << int(TextLog::Error)
                                       << "Repair finished...error code:-3, description:Lost contact";
    }
    void reportsAreLogged() {
        QFETCH(int, step);
        QFETCH(int, code);
        QFETCH(bool, secondRun);
        QFETCH(int, level);
        QFETCH(QString, line);
        QTemporaryDir dataDir;
        QVERIFY(OpenRunLog(dataDir.path(), QStringLiteral("1.0"), QStringLiteral("Linux")));
        QVERIFY(startWithDevice());
        env.model->SetSkipReadyPage(secondRun);
        MRRestoreCallbackData data = Finished(step, code, "Lost contact");
        env.model->DoModelRestoreCallback(&data, env.model.get());
        CloseRunLog();

        QFile file(RunLogPath(dataDir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        QVERIFY2(lines.last().startsWith(TextLog::Tag(level) + line + QStringLiteral(" <date time=")),
                 qPrintable(lines.last()));
    }

    // A second device plugged in mid-repair becomes the selected one; the repair still belongs to the first.
    void secondDeviceIsNeitherRestoredNorStopped() {
        QVERIFY(
            env.load(ModelTestEnv::device(1, "iPhone") + "," + ModelTestEnv::device(2, "iPad", MRModeNormal, false)));
        env.start();
        QTRY_COMPARE(host().models.entries.size(), 1);
        QVERIFY(firstRun(true));
        QCOMPARE(env.control->Plug(2), 0);
        QTRY_COMPARE(host().models.entries.size(), 2);
        QCOMPARE(host().models.currentDevice(), env.state(2).handle);

        startSecondRun(true);
        QTRY_VERIFY_WITH_TIMEOUT(host().has("ShowRepairSucceeded"), 20000);
        QVERIFY(runEnded());
        QCOMPARE(env.state(1).restoreCount, 1);
        QCOMPARE(env.state(2).restoreCount, 0);
        QCOMPARE(env.model->GetRepairDevice(), env.state(1).handle);
    }

    void stopActsOnTheRepairDevice() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone") + "," + ModelTestEnv::device(2, "iPad", MRModeNormal, false),
                         20000));
        env.start();
        QTRY_COMPARE(host().models.entries.size(), 1);
        QVERIFY(firstRun(true));
        QCOMPARE(env.control->Plug(2), 0);
        QTRY_COMPARE(host().models.entries.size(), 2);
        startSecondRun(true);
        QTRY_VERIFY_WITH_TIMEOUT(host().has("ShowRepairProgress(Repairing,0)"), 20000);
        QCOMPARE(env.state(1).jobRunning, 1);
        env.model->StopCurrentDevice();
        QVERIFY(runEnded());
        QCOMPARE(env.state(1).jobRunning, 0);
        QCOMPARE(env.state(1).restoreCount, 0);
        // Stopped on purpose: neither a result page nor a late report.
        QVERIFY(!host().has("ShowRepairSucceeded"));
        QVERIFY(!host().has("ShowRepairFailed"));
    }

    // A report that arrives after the run was cancelled must not open the ready page.
    void reportAfterStopIsDropped() {
        // The package's server takes the request and never answers, so the download is still running when the
        // run is stopped, however busy the machine.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        QTemporaryDir catalogue;
        QVERIFY(catalogue.isValid());
        QFile entry(catalogue.filePath(QStringLiteral("firmware.json")));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        const QJsonObject package{
            {"version", "17.0 (21A329)"},
            {"url", QStringLiteral("http://127.0.0.1:%1/DemoFirmware_17.0_Restore.ipsw").arg(silent.serverPort())},
            {"sha1", "6b3e0b711534d1da15f4cd36ad722d5e4bfce8f6"},
            {"size", 2593337}};
        entry.write(QJsonDocument(QJsonObject{{"iPhone12,1", QJsonArray{package}}}).toJson());
        entry.close();
        env.firmwareFile = entry.fileName();
        QVERIFY(startWithDevice());
        env.model->StartRepair(true);
        QTRY_VERIFY(host().has("ShowFirmwareState(Downloading)"));
        env.model->StopCurrentDevice();
        MRRestoreCallbackData verified = Finished(MRStepVerify, 0, "");
        QCOMPARE(env.model->DoModelRestoreCallback(&verified, env.model.get()), -1);
        QVERIFY(runEnded());
        QVERIFY(!host().has("ShowReadyToFix"));
        QVERIFY(!host().has("ShowFirmwareState(DownloadFailed)"));
    }

    // The repair device left before "Fix Now": the run fails at once instead of waiting for nothing.
    void runWithoutItsDeviceFails() {
        QVERIFY(startWithDevice());
        QVERIFY(firstRun(true));
        QCOMPARE(env.control->Unplug(1), 0);
        QTRY_VERIFY(host().models.entries.isEmpty());
        startSecondRun(true);
        QTRY_VERIFY(host().has("ShowRepairFailed"));
        QVERIFY(!env.model->IsRepairRunning());
    }

    // The work device leaves mid-restore and does not come back. While it may still come back the lists lose it
    // but nothing else is told and its job waits; then the departure is final as it is without a wait, and the
    // job is stopped. The wait ends when its time is up, or at once when the run is stopped from outside.
    void workDeviceGoneForGood_data() {
        QTest::addColumn<int>("graceMs");
        QTest::addColumn<bool>("stopMeanwhile");
        QTest::newRow("the grace time runs out") << 1000 << false;
        QTest::newRow("the run is stopped meanwhile") << 600000 << true;
    }
    void workDeviceGoneForGood() {
        QFETCH(int, graceMs);
        QFETCH(bool, stopMeanwhile);
        QVERIFY(startWithDevice(30000));
        env.model->SetReconnectGraceMs(graceMs);
        QVERIFY(firstRun(true));
        startSecondRun(true);
        QTRY_VERIFY_WITH_TIMEOUT(host().has("ShowRepairProgress(Repairing,0)"), 20000);
        QCOMPARE(env.control->Unplug(1), 0);
        QTRY_VERIFY(host().devices.entries.isEmpty());
        QVERIFY(host().models.entries.isEmpty());
        QVERIFY(env.model->IsWaitingForWorkDevice());
        QVERIFY(!host().has("OnDeviceDetected(-1)"));
        QVERIFY(!host().has("ShowConnectionState(-1)"));
        QCOMPARE(env.state(1).jobRunning, 1);

        if (stopMeanwhile)
            env.model->StopCurrentDevice();
        QTRY_VERIFY_WITH_TIMEOUT(host().has("OnDeviceDetected(-1)"), 10000);
        QVERIFY(!env.model->IsWaitingForWorkDevice());
        QVERIFY(host().has("ShowConnectionState(-1)"));
        QVERIFY(!host().workDevicePresent);
        QVERIFY(runEnded());
        QCOMPARE(env.state(1).jobRunning, 0);
        QCOMPARE(env.state(1).restoreCount, 0);
        QVERIFY(!host().has("ShowRepairSucceeded"));
        QVERIFY(!host().has("ShowRepairFailed"));
    }

    // Another device plugged in while the work device is away is listed and selected, but it is not the
    // repair's device: the wait goes on, and when it ends the work device counts as lost.
    void otherDeviceDoesNotTakeOverTheRepair() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone") + "," + ModelTestEnv::device(2, "iPad", MRModeNormal, false),
                         30000));
        env.start();
        QTRY_COMPARE(host().models.entries.size(), 1);
        env.model->SetReconnectGraceMs(3000);
        QVERIFY(firstRun(true));
        startSecondRun(true);
        QTRY_VERIFY_WITH_TIMEOUT(host().has("ShowRepairProgress(Repairing,0)"), 20000);
        const MRDeviceRef repairing = env.model->GetRepairDevice();
        QCOMPARE(env.control->Unplug(1), 0);
        QCOMPARE(env.control->Plug(2), 0);
        QTRY_COMPARE(host().models.texts(), QStringList{"iPad"});
        QCOMPARE(host().models.currentDevice(), env.state(2).handle);
        QVERIFY(env.model->IsWaitingForWorkDevice());
        QCOMPARE(env.model->GetRepairDevice(), repairing);

        QTRY_VERIFY_WITH_TIMEOUT(host().has("OnDeviceDetected(-1)"), 10000);
        QVERIFY(!host().workDevicePresent);
        QVERIFY(runEnded());
        QCOMPARE(env.state(1).jobRunning, 0);
        QCOMPARE(env.state(2).jobRunning, 0);
        QCOMPARE(env.state(2).restoreCount, 0);
        QVERIFY(!host().has("ShowRepairSucceeded"));
    }

    void shutDownDuringARun() {
        QVERIFY(startWithDevice(30000));
        QVERIFY(firstRun(false));
        startSecondRun(false);
        QTRY_VERIFY_WITH_TIMEOUT(host().has("ShowRepairProgress(Repairing,0)"), 20000);
        QElapsedTimer timer;
        timer.start();
        env.model.reset();
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(env.control->WaitIdle(3000), 0);
        QCOMPARE(env.state(1).restoreCount, 0);
        QVERIFY(!host().has("ShowRepairSucceeded"));
    }
};

QTEST_GUILESS_MAIN(TestMyModelRepair)
#include "tst_mymodelrepair.moc"
