#pragma once

// The in-process side of the component install tests: the fixture (ComponentFixture.h), the edition
// data, settings and run log in a private data folder, and the state every test function starts from.

#include "ComponentFixture.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"
#include "components/CAbstractComponentInstall.h"
#include "components/COS.h"
#include "platform/ElevatedRunner.h"
#include "platform/PackageInstaller.h"

#include <QTemporaryDir>
#include <QtTest>

class ComponentTestEnv {
public:
    // For initTestCase.
    void Start() {
        QVERIFY(m_data.isValid());
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        qputenv("HOME", m_data.path().toUtf8());
        QString why;
        QVERIFY2(m_fixture.Prepare(&why), qPrintable(why));
        QVERIFY(LoadEditionData());
        platform::setPackageInstallProgram(qEnvironmentVariable("MENDRA_RUNTIME_DIR") +
                                           QStringLiteral("/mendra-install-package"));
        gConfig = new MyConfig();
        QVERIFY(OpenRunLog(gConfig->GetDataDir(), gAppData->Version, gAppData->Platform));
    }

    // For cleanupTestCase.
    void Stop() {
        CloseRunLog();
        delete gConfig;
        gConfig = nullptr;
        FreeEditionData();
    }

    // For init: the daemon absent, the package on the server, an installer that succeeds at once without a
    // word or a question, the helper only when not root, the usual time-outs, no settings entry. Checks
    // first that the installer a test may start is the stand-in.
    void Reset() {
        CAbstractComponentInstall::setDefaultStallTimeout(30000);
        CAbstractComponentInstall::setDefaultOverallTimeout(120000);
        platform::ElevatedRunner::setAlwaysThroughHelper(false);
        m_fixture.ClearCalls();
        m_fixture.SetInstallerStatus(0);
        m_fixture.SetInstallerDelay(0);
        m_fixture.SetInstallerOutput(QByteArray());
        m_fixture.SetInstallerAsks(false);
        m_fixture.SetHelperStatus(0);
        m_fixture.ReleaseInstaller();
        gConfig->WriteValue(COS::SettingsKey(), QString(), true);
        QVERIFY(m_fixture.Apply(m_fixture.AbsentRoot(), m_fixture.WriteList("usbmuxd_amd64.deb")));
    }

    // For cleanup: nothing was started through the user's PATH.
    void Finish() { QCOMPARE(m_fixture.DecoyStarts(), QStringList()); }

    ComponentFixture& Fixture() { return m_fixture; }

private:
    QTemporaryDir m_data;
    ComponentFixture m_fixture;
};
