#include "FileFilters.h"
#include "SizeTimeFormat.h"
#include "TextUtils.h"

#include <QTemporaryDir>
#include <QtTest>

#include <limits>

class TestTextUtils : public QObject {
    Q_OBJECT

private slots:
    void isValidEmail_data();
    void isValidEmail();
    void isAllDigits_data();
    void isAllDigits();

    void formatSize_data();
    void formatSize();
    void parseSize_data();
    void parseSize();

    void durations_data();
    void durations();
    void timeToMilliseconds();
    void parseTimecode_data();
    void parseTimecode();

    void fileFilters();
    void loadImageAnyFormat();
};

void TestTextUtils::isValidEmail_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("ordinary") << "user@example.com" << true;
    QTest::newRow("shortest accepted") << "ab@c.de" << true;
    QTest::newRow("dots in both parts") << "first.last@mail.example.co.uk" << true;
    QTest::newRow("five-letter ending") << "user@example.abcde" << true;
    QTest::newRow("non-ASCII letters") << QString::fromUtf8("j\xc3\xb6rg@ex\xc3\xa4mple.de") << true;
    QTest::newRow("two @ in a row") << "user@@example.com" << true;
    QTest::newRow("trailing blank") << "user@example.com " << true;

    QTest::newRow("empty") << "" << false;
    QTest::newRow("one-character local part") << "a@example.com" << false;
    QTest::newRow("one-character ending") << "user@example.c" << false;
    QTest::newRow("six-character ending") << "user@example.abcdef" << false;
    QTest::newRow("starts with a dot") << ".user@example.com" << false;
    QTest::newRow("dot right before @") << "user.@example.com" << false;
    QTest::newRow("dot right after @") << "user@.example.com" << false;
    QTest::newRow("no @") << "user.example.com" << false;
    QTest::newRow("no dot after @") << "user@examplecom" << false;

    // Each of these would otherwise pass the pattern and then break a mail header open.
    QTest::newRow("CR LF and a header") << "user@example.com\r\nBcc: victim@example.org" << false;
    QTest::newRow("LF alone") << "user@example.com\nX-Extra: a.org" << false;
    QTest::newRow("CR alone") << "user@example.com\rX: a.org" << false;
    QTest::newRow("trailing LF") << "user@example.com\n" << false;
    QTest::newRow("tab") << "us\ter@example.com" << false;
    QTest::newRow("NUL") << QString::fromLatin1("user\0x@example.com", 18) << false;
    QTest::newRow("DEL") << "user\x7f@example.com" << false;
    QTest::newRow("next line (U+0085)") << QString("user%1@example.com").arg(QChar(0x85)) << false;
    QTest::newRow("line separator (U+2028)") << QString("user@example.com%1Bcc: a.org").arg(QChar(0x2028)) << false;
    QTest::newRow("paragraph separator (U+2029)") << QString("user@ex%1ample.com").arg(QChar(0x2029)) << false;
}

void TestTextUtils::isValidEmail() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidEmail(text), valid);
}

void TestTextUtils::isAllDigits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("empty") << "" << false;
    QTest::newRow("digits") << "0123456789" << true;
    QTest::newRow("letter") << "12a" << false;
    QTest::newRow("blank") << " 12" << false;
    QTest::newRow("sign") << "-12" << false;
    QTest::newRow("superscript two (Latin-1)") << QString(QChar(0xB2)) << false;
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\xd9\xa1\xd9\xa2") << false;
}

void TestTextUtils::isAllDigits() {
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(IsAllDigits(text), expected);
}

void TestTextUtils::formatSize_data() {
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("binary");

    QTest::newRow("zero") << qint64(0) << "0KB"
                          << "0KB";
    QTest::newRow("negative") << qint64(-5) << "0KB"
                              << "0KB";
    QTest::newRow("one byte") << qint64(1) << "1 KB"
                              << "1 KB";
    QTest::newRow("999") << qint64(999) << "1 KB"
                         << "1 KB";
    QTest::newRow("1000") << qint64(1000) << "1 KB"
                          << "1 KB";
    QTest::newRow("1024") << qint64(1024) << "1 KB"
                          << "1 KB";
    QTest::newRow("just below a decimal MB") << qint64(999999) << "999 KB"
                                             << "976 KB";
    QTest::newRow("1,500,000") << qint64(1500000) << "1.50 MB"
                               << "1.43 MB";
    QTest::newRow("1 MiB") << qint64(1048576) << "1.05 MB"
                           << "1.00 MB";
    QTest::newRow("1e9") << qint64(1000000000) << "1.00 GB"
                         << "953.67 MB";
    QTest::newRow("1 GiB") << qint64(1073741824) << "1.07 GB"
                           << "1.00 GB";
    QTest::newRow("5 TB") << qint64(5000000000000) << "5000.00 GB"
                          << "4656.61 GB";
}

void TestTextUtils::formatSize() {
    QFETCH(qint64, bytes);
    QFETCH(QString, decimal);
    QFETCH(QString, binary);
    QCOMPARE(FormatSizeDecimal(bytes), decimal);
    QCOMPARE(FormatSizeBinary(bytes), binary);
}

void TestTextUtils::parseSize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("decimal");
    QTest::addColumn<qint64>("binary");

    QTest::newRow("GB") << "1.5 GB" << qint64(1500000000) << qint64(1610612736);
    QTest::newRow("MB") << "20 MB" << qint64(20000000) << qint64(20971520);
    QTest::newRow("KB with fraction") << "1.5 KB" << qint64(1500) << qint64(1536);
    QTest::newRow("formatted size reads back") << "1.50 MB" << qint64(1500000) << qint64(1572864);
    QTest::newRow("extra white space") << "  2.5 \t MB" << qint64(2500000) << qint64(2621440);
    QTest::newRow("no blank before the unit") << "3KB" << qint64(3000) << qint64(3072);
    QTest::newRow("unit only") << "GB" << qint64(0) << qint64(0);
    QTest::newRow("no unit") << "12" << qint64(0) << qint64(0);
    QTest::newRow("not a number") << "abc MB" << qint64(0) << qint64(0);
    QTest::newRow("lower-case unit") << "1 gb" << qint64(0) << qint64(0);
    QTest::newRow("too large saturates") << "1e300 GB" << std::numeric_limits<qint64>::max()
                                         << std::numeric_limits<qint64>::max();
}

void TestTextUtils::parseSize() {
    QFETCH(QString, text);
    QFETCH(qint64, decimal);
    QFETCH(qint64, binary);
    QCOMPARE(ParseSizeDecimal(text), decimal);
    QCOMPARE(ParseSizeBinary(text), binary);
}

void TestTextUtils::durations_data() {
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("time");

    QTest::newRow("zero") << 0 << false << "00:00:00" << QTime(0, 0);
    QTest::newRow("500 ms stays down") << 500 << false << "00:00:00" << QTime(0, 0);
    QTest::newRow("501 ms rounds up") << 501 << false << "00:00:01" << QTime(0, 0, 1);
    QTest::newRow("rounding carries into minutes") << 59999 << false << "00:01:00" << QTime(0, 1);
    QTest::newRow("rounding carries into hours") << 3599600 << false << "01:00:00" << QTime(1, 0);
    QTest::newRow("milliseconds kept, no rounding") << 3599600 << true << "00:59:59.600" << QTime(0, 59, 59, 600);
    QTest::newRow("all fields") << 3723456 << true << "01:02:03.456" << QTime(1, 2, 3, 456);
    QTest::newRow("last second of a day") << 86399400 << false << "23:59:59" << QTime(23, 59, 59);
    QTest::newRow("rounds past a day") << 86399600 << false << "24:00:00" << QTime();
    QTest::newRow("hours do not wrap") << 360000000 << false << "100:00:00" << QTime();
    QTest::newRow("negative counts as zero") << -1500 << true << "00:00:00.000" << QTime();
}

void TestTextUtils::durations() {
    QFETCH(int, ms);
    QFETCH(bool, keep);
    QFETCH(QString, text);
    QFETCH(QTime, time);

    QCOMPARE(FormatDuration(ms, keep), text);
    if (ms >= 0)
        QCOMPARE(MillisecondsToTime(quint32(ms), keep), time);
}

void TestTextUtils::timeToMilliseconds() {
    QCOMPARE(TimeToMilliseconds(QTime(1, 2, 3, 456)), 3723456);
    QCOMPARE(TimeToMilliseconds(QTime(23, 59, 59, 999)), 86399999);
    QCOMPARE(TimeToMilliseconds(QTime()), 0);
}

void TestTextUtils::parseTimecode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("ms");

    QTest::newRow("full timecode") << "01:02:03.456" << qint64(3723456);
    QTest::newRow("one-digit hours") << "1:02:03.456" << qint64(3723456);
    QTest::newRow("hours beyond a day") << "100:00:00.000" << qint64(360000000);
    QTest::newRow("no milliseconds") << "01:02:03" << qint64(3723000);
    QTest::newRow("milliseconds only") << "500" << qint64(500);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("not numbers") << "xx:yy:zz.ww" << qint64(0);
    QTest::newRow("overflowing hours") << "9223372036854775807:00:00.0" << qint64(0);
}

void TestTextUtils::parseTimecode() {
    QFETCH(QString, text);
    QFETCH(qint64, ms);
    QCOMPARE(ParseTimecode(text), ms);
}

void TestTextUtils::fileFilters() {
    QCOMPARE(ImageFileFilter(false), QString("*.png;*.jpg;*.jpeg;*.bmp;*.heic"));
    QCOMPARE(ImageFileFilter(true), QString("png;jpg;jpeg;bmp;heic"));
    QCOMPARE(AllImageFileFilter(true), QString("png;jpg;jpeg;bmp;heic;tiff;tif;gif;jfif;ico;emf;wmf"));
    QCOMPARE(DiscImageFileFilter(true), QString("iso;ISO"));

    const QString media = MediaFileFilter(false);
    QVERIFY(media.startsWith("*.h265;") && media.endsWith(";*.m4r;*.ape"));
    QVERIFY(media.contains(";*.wtv;*.aac;")); // video list, then audio list
    const QString bareMedia = MediaFileFilter(true);
    QVERIFY(!bareMedia.contains('*'));
    QCOMPARE(bareMedia.split(';').size(), media.split(';').size());
    QVERIFY(bareMedia.split(';').contains("dvr-ms"));
}

void TestTextUtils::loadImageAnyFormat() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage source(4, 3, QImage::Format_ARGB32);
    source.fill(Qt::red);
    // The name says nothing about the format; the content decides.
    const QString misnamed = dir.filePath("picture.dat");
    QVERIFY(source.save(misnamed, "PNG"));
    const QImage loaded = LoadImageAnyFormat(misnamed);
    QCOMPARE(loaded.size(), QSize(4, 3));
    QCOMPARE(loaded.pixelColor(0, 0), QColor(Qt::red));

    QFile garbage(dir.filePath("garbage.png"));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("this is not an image");
    garbage.close();
    QVERIFY(LoadImageAnyFormat(garbage.fileName()).isNull());
    QVERIFY(LoadImageAnyFormat(dir.filePath("missing.png")).isNull());
}

QTEST_GUILESS_MAIN(TestTextUtils)
#include "tst_textutils.moc"
