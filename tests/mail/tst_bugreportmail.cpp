#include "mail/BugReportMail.h"
#include "mail/MimeMultiPart.h"
#include "mail/SmtpClient.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kArchiveName = QStringLiteral("Tavik Mendra V1.0.0.dmp");

QByteArray ArchiveBytes() {
    QByteArray bytes("7z\xbc\xaf\x27\x1c");
    for (int i = 0; i < 200; ++i)
        bytes += static_cast<char>((i * 37) & 0xff);
    return bytes;
}

QString Base64Lines(const QByteArray& bytes) {
    const QString base64 = QString::fromLatin1(bytes.toBase64());
    QStringList lines;
    for (int i = 0; i < base64.size(); i += 76)
        lines.append(base64.mid(i, 76));
    return lines.join(QStringLiteral("\r\n"));
}

// The bug-report mail as it must render, B standing for the boundary.
QString ExpectedMail(const QString& subjectField, const QString& textEncoding, const QByteArray& textBody,
                     bool withArchive) {
    QString mail = QStringLiteral("From: bug <reports@example.org>\r\n"
                                  "To: support <support@example.com>\r\n"
                                  "Subject: ") +
                   subjectField +
                   QStringLiteral("\r\n"
                                  "MIME-Version: 1.0\r\n"
                                  "Content-Type: multipart/related; boundary=B\r\n"
                                  "Content-Transfer-Encoding: 8bit\r\n"
                                  "\r\n"
                                  "--B\r\n"
                                  "Content-Type: text/plain; charset=utf-8\r\n"
                                  "Content-Transfer-Encoding: ") +
                   textEncoding + QStringLiteral("\r\n\r\n") + QString::fromUtf8(textBody) + QStringLiteral("\r\n");
    if (withArchive)
        mail += QStringLiteral("--B\r\n"
                               "Content-Type: application/octet-stream; name=\"") +
                kArchiveName +
                QStringLiteral("\"\r\n"
                               "Content-Transfer-Encoding: base64\r\n"
                               "Content-disposition: attachment\r\n"
                               "\r\n") +
                Base64Lines(ArchiveBytes()) + QStringLiteral("\r\n");
    return mail + QStringLiteral("--B--\r\n\r\n");
}

QByteArray FoldedQuotedPrintable(const QByteArray& plain) {
    QByteArray out;
    for (int i = 0; i < plain.size(); i += 75)
        out += plain.mid(i, 75) + (i + 75 < plain.size() ? "=\r\n" : "");
    return out;
}

} // namespace

class TestBugReportMail : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void renderedMail_data();
    void renderedMail();
    void encodedBytes_data();
    void encodedBytes();

private:
    QTemporaryDir m_dir;
};

void TestBugReportMail::initTestCase() {
    QVERIFY(m_dir.isValid());
    QFile archive(m_dir.filePath(kArchiveName));
    QVERIFY(archive.open(QIODevice::WriteOnly));
    archive.write(ArchiveBytes());
}

void TestBugReportMail::renderedMail_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("withArchive");
    QTest::addColumn<bool>("safe");
    QTest::addColumn<QString>("subjectField");
    QTest::addColumn<QString>("textEncoding");
    QTest::addColumn<QByteArray>("textBody");
    QTest::addColumn<QByteArray>("wireFragment");

    QTest::newRow("plain report") << QStringLiteral("Ann Example") << QStringLiteral("ann@example.org")
                                  << QStringLiteral("The repair stopped at 60%.\nIt said error 40.") << true << true
                                  << QStringLiteral("Ann Example - ann@example.org -> Tavik Mendra( LINUX )")
                                  << QStringLiteral("8bit")
                                  << QByteArray("The repair stopped at 60%.\r\nIt said error 40.") << QByteArray();
    QTest::newRow("non-ASCII name and text")
        << QStringLiteral("J\u00fcrgen Gro\u00df") << QStringLiteral("j@example.org")
        << QStringLiteral("Gr\u00fc\u00dfe\r\nDanke") << true << true
        << QStringLiteral("=?utf-8?B?SsO8cmdlbiBHcm/DnyAtIGpAZXhhbXBsZS5vcmcgLT4gVGF2aWsgTWVuZHJh?=\r\n"
                          " =?utf-8?B?KCBMSU5VWCAp?=")
        << QStringLiteral("8bit")
        << QByteArray("Gr\xc3\xbc\xc3\x9f"
                      "e\r\nDanke")
        << QByteArray();
    QTest::newRow("lone dot") << QStringLiteral("Ann") << QStringLiteral("ann@example.org")
                              << QStringLiteral("first\n.\nlast\r.") << true << true
                              << QStringLiteral("Ann - ann@example.org -> Tavik Mendra( LINUX )")
                              << QStringLiteral("8bit") << QByteArray("first\r\n.\r\nlast\r\n.")
                              << QByteArray("\r\nfirst\r\n..\r\nlast\r\n..\r\n--");
    QTest::newRow("5000-octet line") << QStringLiteral("Ann") << QStringLiteral("ann@example.org")
                                     << QString(5000, QLatin1Char('x')) << true << true
                                     << QStringLiteral("Ann - ann@example.org -> Tavik Mendra( LINUX )")
                                     << QStringLiteral("quoted-printable")
                                     << FoldedQuotedPrintable(QByteArray(5000, 'x')) << QByteArray();
    QTest::newRow("no archive") << QStringLiteral("Ann") << QStringLiteral("ann@example.org") << QStringLiteral("text")
                                << false << true << QStringLiteral("Ann - ann@example.org -> Tavik Mendra( LINUX )")
                                << QStringLiteral("8bit") << QByteArray("text") << QByteArray();
    QTest::newRow("CR LF in the name") << QStringLiteral("Eve\r\nBcc: victim@example.net")
                                       << QStringLiteral("e@example.org") << QStringLiteral("text") << true << false
                                       << QString() << QString() << QByteArray() << QByteArray();
    QTest::newRow("LF in the address") << QStringLiteral("Eve")
                                       << QStringLiteral("e@example.org\nBcc: victim@example.net")
                                       << QStringLiteral("text") << true << false << QString() << QString()
                                       << QByteArray() << QByteArray();
    QTest::newRow("bell in the name") << QStringLiteral("Eve\a") << QStringLiteral("e@example.org")
                                      << QStringLiteral("text") << true << false << QString() << QString()
                                      << QByteArray() << QByteArray();
}

void TestBugReportMail::renderedMail() {
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, description);
    QFETCH(bool, withArchive);
    QFETCH(bool, safe);
    QFETCH(QString, subjectField);
    QFETCH(QString, textEncoding);
    QFETCH(QByteArray, textBody);
    QFETCH(QByteArray, wireFragment);

    BugReportInfo info;
    info.userName = name;
    info.userEmail = email;
    info.description = description;
    info.productName = QStringLiteral("Tavik Mendra");
    info.recipient = QStringLiteral("support@example.com");
    info.archivePath = m_dir.filePath(withArchive ? kArchiveName : QStringLiteral("missing.dmp"));
    const MailAccount account(QStringLiteral("127.0.0.1"), 465, MailSecurity::Tls,
                              QStringLiteral("reports@example.org"), QStringLiteral("secret"));
    BugReportMail mail(info, account);
    QCOMPARE(mail.IsSafe(), safe);
    if (!safe)
        return;

    const QString rendered = mail.Message().toString();
    const QString boundary = mail.Message().rootPart()->getBoundary();
    QString expected = ExpectedMail(subjectField, textEncoding, textBody, withArchive);
    expected.replace(QStringLiteral("boundary=B\r\n"), QStringLiteral("boundary=") + boundary + QStringLiteral("\r\n"));
    expected.replace(QStringLiteral("--B"), QStringLiteral("--") + boundary);
    QCOMPARE(rendered, expected);

    const QByteArray wire = SmtpClient::WireText(rendered);
    for (const QByteArray& line : wire.split('\n'))
        QVERIFY(line.size() <= 1000);
    if (!wireFragment.isEmpty())
        QVERIFY2(wire.contains(wireFragment), wire.constData());
}

void TestBugReportMail::encodedBytes_data() {
    QTest::addColumn<int>("bytes");
    for (const int bytes : {0, 1, 2, 3, 56, 57, 58, 114, 1024 * 1024 + 1})
        QTest::newRow(qPrintable(QString::number(bytes))) << bytes;
}

// The size the attachment limit is computed from is the size it takes in the mail as sent.
void TestBugReportMail::encodedBytes() {
    QFETCH(int, bytes);
    const QString emptyPath = m_dir.filePath(QStringLiteral("empty.dmp"));
    const QString path = m_dir.filePath(QStringLiteral("sized.dmp"));
    for (const QString& file : {emptyPath, path}) {
        QFile archive(file);
        QVERIFY(archive.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(archive.write(QByteArray(file == path ? bytes : 0, 'a')) >= 0);
    }
    const MailAccount account(QStringLiteral("127.0.0.1"), 465, MailSecurity::Tls,
                              QStringLiteral("reports@example.org"), QStringLiteral("secret"));
    const auto wireBytes = [&](const QString& archive) {
        BugReportInfo info;
        info.description = QStringLiteral("text");
        info.recipient = QStringLiteral("support@example.com");
        info.archivePath = archive;
        BugReportMail mail(info, account);
        return SmtpClient::WireText(mail.Message().toString()).size();
    };
    QCOMPARE(wireBytes(path) - wireBytes(emptyPath), BugReportMail::EncodedBytes(bytes));
}

QTEST_GUILESS_MAIN(TestBugReportMail)
#include "tst_bugreportmail.moc"
