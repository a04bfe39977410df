#include "CDownloader.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

#include "EventLoopWatch.h"
#include "PythonHttpServer.h"
#include "ResidentMemory.h"
#include "TestCa.h"
#include "TimeBound.h"
#include "app/XmlLimits.h"

namespace {
// Small enough to keep the cases quick, large enough to arrive in many reads.
constexpr int kLimit = 1024 * 1024;
} // namespace

// Downloads from Python's http.server on 127.0.0.1, over plain HTTP and over TLS with a CA of the test's
// own, into a fresh folder per case.
class TestCDownloader : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void download_data();
    void download();
    void partialNameWhileArriving();
    void steadyTrickleIsNotCutOff();
    void stallEndsAfterTheTimeout();
    void existingFileIsReplaced();
    void failsBeforeAnyRequest_data();
    void failsBeforeAnyRequest();
    void bodyLimit_data();
    void bodyLimit();
    void headerLimit_data();
    void headerLimit();
    void throughAProxy_data();
    void throughAProxy();

private:
    QByteArray Content(const QString& name) const;
    QStringList TargetEntries() const;
    // The address of path: on the plain server, or on the TLS one when path begins with "{https}"; further on,
    // "{http}" and "{https}" stand for the servers' addresses, percent-encoded for a query.
    QString Address(QString path) const;
    // Runs one download to its end; the number of signalFinished() it gave.
    int Run(CDownloader& downloader, const QString& url);

    QTemporaryDir m_served;
    TestCa m_ca;
    std::unique_ptr<PythonHttpServer> m_http;
    std::unique_ptr<PythonHttpServer> m_https;
    std::unique_ptr<QTemporaryDir> m_target;
};

void TestCDownloader::initTestCase() {
    QVERIFY(m_served.isValid());
    QVERIFY2(m_ca.isValid(), qPrintable(m_ca.errorText()));
    const QList<QPair<QString, QByteArray>> files{
        {"rules.xml", "<update switch=\"on\"/>\n"},
        {"other.bin", "another file\n"},
        {"big.bin", QByteArray(256 * 1024, 'b')},
        {"limit.bin", QByteArray(kLimit, 'l')},            // as large as the limit allows
        {"over.bin", QByteArray(kLimit + 1, 'o')},         // a byte more
        {"max.bin", QByteArray(XmlLimits::MaxBytes, 'm')}, // as large as the default allows
        {"a\n[Info]forged.xml", "<update/>\n"},            // names that would break a line of a log
        {"tab\there.xml", "<update/>\n"},
        {"turn\u202eed.xml", "<update/>\n"},
    };
    for (const auto& file : files) {
        QFile out(m_served.filePath(file.first));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file.second);
    }
    const TestCa::ServerCertificate certificate = m_ca.issueServerCertificate();
    QVERIFY2(certificate.isValid(), qPrintable(m_ca.errorText()));
    m_http = std::make_unique<PythonHttpServer>(m_served.path());
    m_https = std::make_unique<PythonHttpServer>(m_served.path(), certificate.certificatePath, certificate.keyPath);
    QVERIFY(m_http->start());
    QVERIFY(m_https->start());
}

void TestCDownloader::init() {
    m_target = std::make_unique<QTemporaryDir>();
    QVERIFY(m_target->isValid());
    qunsetenv("MENDRA_EXTRA_CA");
}

QByteArray TestCDownloader::Content(const QString& name) const {
    QFile file(m_served.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList TestCDownloader::TargetEntries() const {
    return QDir(m_target->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QString TestCDownloader::Address(QString path) const {
    const QLatin1String http("{http}");
    const QLatin1String https("{https}");
    const PythonHttpServer* server = m_http.get();
    if (path.startsWith(https + QLatin1Char('/'))) {
        server = m_https.get();
        path.remove(0, https.size());
    }
    path.replace(http, QUrl::toPercentEncoding(m_http->url(QString()).toString()));
    path.replace(https, QUrl::toPercentEncoding(m_https->url(QString()).toString()));
    return server->url(path).toString();
}

int TestCDownloader::Run(CDownloader& downloader, const QString& url) {
    QSignalSpy finished(&downloader, &CDownloader::signalFinished);
    downloader.download(url, m_target->path());
    if (finished.isEmpty())
        finished.wait(60000);
    return finished.count();
}

void TestCDownloader::download_data() {
    QTest::addColumn<QString>("path"); // see Address()
    QTest::addColumn<bool>("trustTestCa");
    QTest::addColumn<QString>("savedAs"); // empty: the download fails
    QTest::addColumn<QString>("content"); // the served file it must equal

    auto redirect = [](const QString& to) {
        return "/redirect?to=" + QString::fromLatin1(QUrl::toPercentEncoding(to, "{}"));
    };

    QTest::newRow("plain file") << "/rules.xml" << false << "rules.xml"
                                << "rules.xml";
    QTest::newRow("9 redirects") << "/hops/9/rules.xml" << false << "rules.xml"
                                 << "rules.xml";
    QTest::newRow("10 redirects") << "/hops/10/rules.xml" << false << "rules.xml"
                                  << "rules.xml";
    QTest::newRow("11 redirects") << "/hops/11/rules.xml" << false << ""
                                  << "";
    QTest::newRow("redirect to another name") << redirect("/other.bin") << false << "other.bin"
                                              << "other.bin";
    QTest::newRow("relative redirect") << redirect("other.bin") << false << "other.bin"
                                       << "other.bin";
    QTest::newRow("redirect to https, test CA trusted") << redirect("{https}/rules.xml") << true << "rules.xml"
                                                        << "rules.xml";
    QTest::newRow("redirect to https, test CA unknown") << redirect("{https}/rules.xml") << false << ""
                                                        << "";
    QTest::newRow("http to http elsewhere") << redirect("{http}/other.bin") << false << "other.bin"
                                            << "other.bin";
    QTest::newRow("https to https") << "{https}" + redirect("{https}/other.bin") << true << "other.bin"
                                    << "other.bin";
    QTest::newRow("https down to http") << "{https}" + redirect("{http}/rules.xml") << true << ""
                                        << "";
    QTest::newRow("redirect to file://") << redirect("file:///etc/hostname") << false << ""
                                         << "";
    QTest::newRow("redirect to ftp://") << redirect("ftp://127.0.0.1/rules.xml") << false << ""
                                        << "";
    QTest::newRow("redirect to data:") << redirect("data:,hello") << false << ""
                                       << "";
    QTest::newRow("redirect to a folder") << redirect("/") << false << ""
                                          << "";
    QTest::newRow("redirect without a target") << "/status/302" << false << ""
                                               << "";
    QTest::newRow("404 from a route") << "/status/404" << false << ""
                                      << "";
    QTest::newRow("404 for a missing file") << "/missing.bin" << false << ""
                                            << "";
    QTest::newRow("500") << "/status/500" << false << ""
                         << "";
    // A name with a control character is refused before anything is asked for or written.
    QTest::newRow("name with a line break") << "/a%0A%5BInfo%5Dforged.xml" << false << ""
                                            << "";
    QTest::newRow("redirect to a name with a line break") << redirect("/a%0A%5BInfo%5Dforged.xml") << false << ""
                                                          << "";
    QTest::newRow("name with a tab") << "/tab%09here.xml" << false << ""
                                     << "";
    QTest::newRow("name with a direction mark") << "/turn%E2%80%AEed.xml" << false << ""
                                                << "";
}

void TestCDownloader::download() {
    QFETCH(QString, path);
    QFETCH(bool, trustTestCa);
    QFETCH(QString, savedAs);
    QFETCH(QString, content);
    if (trustTestCa)
        qputenv("MENDRA_EXTRA_CA", m_ca.caCertificatePath().toUtf8());

    CDownloader downloader;
    QCOMPARE(Run(downloader, Address(path)), 1);
    if (savedAs.isEmpty()) {
        QCOMPARE(downloader.errorCode(), 1);
        QCOMPARE(downloader.downloadedFiles(), QStringList());
        // Neither the partial file nor anything under a final name.
        QCOMPARE(TargetEntries(), QStringList());
        return;
    }
    QCOMPARE(downloader.errorCode(), 0);
    const QString saved = QDir::toNativeSeparators(m_target->filePath(savedAs));
    QCOMPARE(downloader.downloadedFiles(), QStringList{saved});
    QCOMPARE(TargetEntries(), QStringList{savedAs});
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Content(content));
}

void TestCDownloader::partialNameWhileArriving() {
    CDownloader downloader;
    QStringList seen;
    connect(&downloader, &CDownloader::signalProgress, this, [&](qlonglong read, qlonglong total) {
        if (read > 0 && read < total && seen.isEmpty())
            seen = TargetEntries();
    });
    QCOMPARE(Run(downloader, m_http->url("/drip/100/big.bin").toString()), 1);
    QCOMPARE(seen, QStringList{"big.bin.tmp"});
    QCOMPARE(downloader.errorCode(), 0);
    QCOMPARE(TargetEntries(), QStringList{"big.bin"});
}

void TestCDownloader::steadyTrickleIsNotCutOff() {
    // Eight blocks 250 ms apart take longer than the limit in all, but no gap comes near it.
    CDownloader downloader;
    downloader.setTimeout(1500);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(Run(downloader, m_http->url("/drip/250/big.bin").toString()), 1);
    QVERIFY2(clock.elapsed() > 1500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(downloader.errorCode(), 0);
    QCOMPARE(TargetEntries(), QStringList{"big.bin"});
}

void TestCDownloader::stallEndsAfterTheTimeout() {
    CDownloader downloader;
    QCOMPARE(downloader.timeout(), qint64(30000));
    downloader.setTimeout(400);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(Run(downloader, m_http->url("/stall/big.bin").toString()), 1);
    // Timers may fire up to 5 % early.
    QVERIFY2(clock.elapsed() >= 380 && clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(downloader.errorCode(), 1);
    QCOMPARE(TargetEntries(), QStringList());
}

void TestCDownloader::existingFileIsReplaced() {
    QFile old(m_target->filePath("rules.xml"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older download that is much longer than the new one");
    old.close();
    CDownloader downloader;
    QCOMPARE(Run(downloader, m_http->url("/rules.xml").toString()), 1);
    QCOMPARE(downloader.errorCode(), 0);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), Content("rules.xml"));
}

void TestCDownloader::failsBeforeAnyRequest_data() {
    QTest::addColumn<QString>("url"); // "{http}" stands for the plain server's address
    QTest::addColumn<bool>("folderIsAFile");

    QTest::newRow("no file name") << "{http}/" << false;
    QTest::newRow("name is ..") << "{http}/%2E%2E" << false;
    QTest::newRow("name holds a backslash") << "{http}/..%5Cevil" << false;
    QTest::newRow("file url") << "file:///etc/hostname" << false;
    QTest::newRow("empty url") << "" << false;
    QTest::newRow("folder cannot be made") << "{http}/rules.xml" << true;
}

void TestCDownloader::failsBeforeAnyRequest() {
    QFETCH(QString, url);
    QFETCH(bool, folderIsAFile);
    url.replace(QLatin1String("{http}"), QStringLiteral("http://127.0.0.1:%1").arg(m_http->port()));
    QString folder = m_target->path();
    if (folderIsAFile) {
        QFile blocker(m_target->filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        folder = blocker.fileName() + "/sub";
    }
    const QStringList entriesBefore = TargetEntries();
    const int requestsBefore = m_http->requestsSoFar().size();

    CDownloader downloader;
    QSignalSpy finished(&downloader, &CDownloader::signalFinished);
    downloader.download(url, folder);
    // Already over when download() returns.
    QCOMPARE(finished.count(), 1);
    QCOMPARE(downloader.errorCode(), 1);
    QCOMPARE(TargetEntries(), entriesBefore);
    QCOMPARE(m_http->requestsSoFar().size(), requestsBefore);
    QCOMPARE(finished.count(), 1);
}

void TestCDownloader::bodyLimit_data() {
    QTest::addColumn<QString>("path");         // see Address()
    QTest::addColumn<qint64>("maxBytes");      // -1: the downloader's default
    QTest::addColumn<QString>("savedAs");      // empty: the download fails
    QTest::addColumn<bool>("refusedOnLength"); // fails before a byte of the body arrives

    const QString endless = QStringLiteral("/endless/endless.bin");
    const QString announced = QStringLiteral("/announce/%1").arg(kLimit + 1);
    const qint64 limit = kLimit;

    QTest::newRow("announced over the limit") << announced << limit << "" << true;
    QTest::newRow("announced 50 MB") << "/announce/50000000" << limit << "" << true;
    QTest::newRow("announced over the limit, TLS") << "{https}" + announced << limit << "" << true;
    QTest::newRow("endless body") << endless << limit << "" << false;
    QTest::newRow("endless body, TLS") << "{https}" + endless << limit << "" << false;
    QTest::newRow("exactly at the limit") << "/limit.bin" << limit << "limit.bin" << false;
    QTest::newRow("exactly at the limit, TLS") << "{https}/limit.bin" << limit << "limit.bin" << false;
    QTest::newRow("exactly at the limit, no length") << "/unsized/limit.bin" << limit << "limit.bin" << false;
    QTest::newRow("one byte over") << "/over.bin" << limit << "" << true;
    QTest::newRow("one byte over, no length") << "/unsized/over.bin" << limit << "" << false;
    QTest::newRow("redirect, then endless") << "/redirect?to=" + endless << limit << "" << false;
    QTest::newRow("redirect to https, then endless") << "/redirect?to={https}" + endless << limit << "" << false;
    // Each reply counts its own body: a redirect that used up the limit leaves the whole limit to the file.
    QTest::newRow("redirect with a body at the limit")
        << QStringLiteral("/redirect?to=/limit.bin&pad=%1").arg(kLimit) << limit << "limit.bin" << false;
    QTest::newRow("redirect with a body over the limit")
        << QStringLiteral("/redirect?to=/rules.xml&pad=%1").arg(kLimit + 1) << limit << "" << true;
    // The default is what the rules reader accepts.
    QTest::newRow("default, exactly at it") << "/unsized/max.bin" << qint64(-1) << "max.bin" << false;
    QTest::newRow("default, announced one over")
        << QStringLiteral("/announce/%1").arg(XmlLimits::MaxBytes + 1) << qint64(-1) << "" << true;
}

void TestCDownloader::bodyLimit() {
    QFETCH(QString, path);
    QFETCH(qint64, maxBytes);
    QFETCH(QString, savedAs);
    QFETCH(bool, refusedOnLength);
    qputenv("MENDRA_EXTRA_CA", m_ca.caCertificatePath().toUtf8());

    CDownloader downloader;
    // Far longer than any of these takes: an announced length that is not acted on ends in the timeout.
    downloader.setTimeout(20000);
    if (maxBytes >= 0)
        downloader.setMaxBytes(maxBytes);
    qlonglong bodyBytesSeen = 0;
    connect(&downloader, &CDownloader::signalProgress, this,
            [&](qlonglong read, qlonglong) { bodyBytesSeen = qMax(bodyBytesSeen, read); });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(Run(downloader, Address(path)), 1);
    if (!savedAs.isEmpty()) {
        QCOMPARE(downloader.errorCode(), 0);
        QCOMPARE(TargetEntries(), QStringList{savedAs});
        QFile file(m_target->filePath(savedAs));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), Content(savedAs));
        return;
    }
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(downloader.errorCode(), 1);
    QCOMPARE(downloader.downloadedFiles(), QStringList());
    QCOMPARE(TargetEntries(), QStringList());
    if (refusedOnLength) {
        QCOMPARE(bodyBytesSeen, qlonglong(0));
    } else {
        // What the network layer took in past the limit stays within its read buffer.
        QVERIFY2(bodyBytesSeen <= downloader.maxBytes() + CDownloader::ReadBufferBytes,
                 qPrintable(QString::number(bodyBytesSeen)));
    }
    // The refused server is not left writing into a connection nobody reads.
    QTRY_COMPARE(m_http->openConnections() + m_https->openConnections(), 0);
}

void TestCDownloader::headerLimit_data() {
    QTest::addColumn<QString>("path");    // see Address()
    QTest::addColumn<int>("timeoutMs");   // the downloader's
    QTest::addColumn<QString>("savedAs"); // empty: the download fails
    QTest::addColumn<QString>("why");     // how errorText() begins

    const QString bound = QStringLiteral("response header larger than 65536 bytes");
    QTest::newRow("header lines without end") << "/endless-header/0/x" << 5000 << "" << bound;
    QTest::newRow("header lines without end, TLS") << "{https}/endless-header/0/x" << 5000 << "" << bound;
    QTest::newRow("one header line without end") << "/endless-header-line/x" << 5000 << ""
                                                 << "response header line longer than 102400 bytes";
    // Too slow for the bound: the time-out ends the transfer itself, and its connection with it.
    QTest::newRow("header lines trickling past the time-out") << "/endless-header/50/x" << 1000 << ""
                                                              << "no data for 1000 ms";
    QTest::newRow("header of 60 000 bytes") << "/header-size/60000/rules.xml" << 5000 << "rules.xml"
                                            << "";
    QTest::newRow("header of 70 000 bytes") << "/header-size/70000/rules.xml" << 5000 << "" << bound;
}

void TestCDownloader::headerLimit() {
    QFETCH(QString, path);
    QFETCH(int, timeoutMs);
    QFETCH(QString, savedAs);
    QFETCH(QString, why);
    qputenv("MENDRA_EXTRA_CA", m_ca.caCertificatePath().toUtf8());

    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::PeakMb();
    EventLoopWatch watch;
    QElapsedTimer clock;
    clock.start();
    watch.start();
    int finished = 0;
    qint64 endedAfter = 0;
    qint64 goneIn = 0;
    int errorCode = -1;
    QString errorText;
    {
        CDownloader downloader;
        downloader.setTimeout(timeoutMs);
        finished = Run(downloader, Address(path));
        endedAfter = clock.elapsed();
        errorCode = downloader.errorCode();
        errorText = downloader.errorText();
        clock.restart();
    }
    goneIn = clock.elapsed();
    watch.stop();
    const qint64 grown = ResidentMemory::PeakMb() - before;
    qInfo("ended after %lld ms (%s), downloader gone in %lld ms, longest gap %lld ms, peak +%lld MB", endedAfter,
          qPrintable(errorText), goneIn, watch.longestGapMs(), grown);
    QCOMPARE(finished, 1);
    QVERIFY2(watch.longestGapMs() < TimeBound(100), qPrintable(QString::number(watch.longestGapMs())));
    QVERIFY2(goneIn < TimeBound(100), qPrintable(QString::number(goneIn)));
    QVERIFY2(grown < 32, qPrintable(QString::number(grown)));
    if (!savedAs.isEmpty()) {
        QCOMPARE(errorCode, 0);
        QCOMPARE(TargetEntries(), QStringList{savedAs});
        return;
    }
    QCOMPARE(errorCode, 1);
    QVERIFY2(errorText.startsWith(why), qPrintable(errorText));
    QCOMPARE(TargetEntries(), QStringList());
    QVERIFY2(endedAfter < timeoutMs + 2000, qPrintable(QString::number(endedAfter)));
    // Nothing goes on reading from the server once the download gave up.
    QTRY_COMPARE_WITH_TIMEOUT(m_http->openConnections() + m_https->openConnections(), 0, 3000);
}

void TestCDownloader::throughAProxy_data() {
    QTest::addColumn<int>("type"); // QNetworkProxy::ProxyType
    QTest::addColumn<bool>("proxied");

    QTest::newRow("HTTP proxy") << int(QNetworkProxy::HttpProxy) << true;
    QTest::newRow("caching proxy") << int(QNetworkProxy::HttpCachingProxy) << true;
    QTest::newRow("no proxy, whatever the environment names") << int(QNetworkProxy::NoProxy) << false;
}

// The proxy of the settings, as the network layer of Qt used it: plain requests forwarded by their whole address,
// and no proxy at all when the settings say so, even with one in the environment.
void TestCDownloader::throughAProxy() {
    QFETCH(int, type);
    QFETCH(bool, proxied);
    PythonPeer proxy;
    QVERIFY(proxy.start(QStringLiteral("recording_proxy.py")));
    const QByteArray environment = qgetenv("http_proxy");
    qputenv("http_proxy", proxy.url("/").toUtf8());

    CDownloader downloader;
    downloader.setProxy(QNetworkProxy(QNetworkProxy::ProxyType(type), "127.0.0.1", proxy.port()));
    const QString url = m_http->url("/rules.xml").toString();
    QCOMPARE(Run(downloader, url), 1);
    qputenv("http_proxy", environment);
    QCOMPARE(downloader.errorCode(), 0);
    QCOMPARE(TargetEntries(), QStringList{"rules.xml"});
    const QList<QJsonObject> passed = proxy.records("PROXIED");
    QCOMPARE(passed.size(), proxied ? 1 : 0);
    if (proxied)
        QCOMPARE(passed.first().value("url").toString(), url);
}

QTEST_GUILESS_MAIN(TestCDownloader)
#include "tst_cdownloader.moc"
