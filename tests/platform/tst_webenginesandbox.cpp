#include "WebEngineSandbox.h"

#include <QtTest>

#include <unistd.h>

class TestWebEngineSandbox : public QObject {
    Q_OBJECT
private slots:
    void switchedOffOnlyForRoot();
    void explicitSettingKept();
};

void TestWebEngineSandbox::switchedOffOnlyForRoot() {
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    platform::prepareWebEngineSandbox();
    QCOMPARE(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"), ::geteuid() == 0);
}

void TestWebEngineSandbox::explicitSettingKept() {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("0"));
    platform::prepareWebEngineSandbox();
    QCOMPARE(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), QByteArray("0"));
}

QTEST_GUILESS_MAIN(TestWebEngineSandbox)
#include "tst_webenginesandbox.moc"
