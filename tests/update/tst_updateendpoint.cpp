// Where the update check asks: the edition's update server, or MENDRA_UPDATE_SERVER in its place.

#include "UpdateTestServer.h"
#include "app/EditionData.h"
#include "update/UpdateService.h"

#include <QUrl>
#include <QtTest>

class TestUpdateEndpoint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void editionAddress();
    void environmentReplacesIt();
    void setUpFromEdition();
};

void TestUpdateEndpoint::initTestCase() {
    QVERIFY(LoadEditionData());
}

void TestUpdateEndpoint::cleanup() {
    qunsetenv("MENDRA_UPDATE_SERVER");
}

// A placeholder under the reserved example domain, never a real host.
void TestUpdateEndpoint::editionAddress() {
    qunsetenv("MENDRA_UPDATE_SERVER");
    const QUrl endpoint(UpdateEndpoint());
    QCOMPARE(endpoint.scheme(), QStringLiteral("https"));
    QVERIFY2(endpoint.host().endsWith(QLatin1String(".example")), qPrintable(endpoint.host()));
    QCOMPARE(endpoint.path(), QStringLiteral("/update-product-info/update.php"));
}

void TestUpdateEndpoint::environmentReplacesIt() {
    qputenv("MENDRA_UPDATE_SERVER", "http://127.0.0.1:8080/update-product-info/update.php");
    QCOMPARE(UpdateEndpoint(), QStringLiteral("http://127.0.0.1:8080/update-product-info/update.php"));
    // Set but empty: nowhere to ask, so no check goes out.
    qputenv("MENDRA_UPDATE_SERVER", "");
    QCOMPARE(UpdateEndpoint(), QString());
    CRegImpl service;
    SetUpUpdateService(service);
    QCOMPARE(service.RunCheck(), -65537);
}

// The query carries the edition's product name, version and language.
void TestUpdateEndpoint::setUpFromEdition() {
    PythonPeer server;
    QVERIFY(StartUpdateServer(server));
    qputenv("MENDRA_UPDATE_SERVER", AnswerEndpoint(server, QStringLiteral("newest")).toUtf8());
    CRegImpl service;
    SetUpUpdateService(service);
    QCOMPARE(service.RunCheck(), 13);
    QVERIFY(server.waitForRecords("REQUEST", 1));
    const QJsonArray items = server.records("REQUEST").constFirst().value("query").toArray();
    QStringList values;
    for (const QJsonValue& item : items)
        values << item.toArray().at(1).toString();
    QCOMPARE(values, (QStringList{"getinfo", gAppData->RegName, gAppData->Version, gAppData->Language}));
}

QTEST_GUILESS_MAIN(TestUpdateEndpoint)
#include "tst_updateendpoint.moc"
