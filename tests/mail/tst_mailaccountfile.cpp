#include "mail/MailAccountFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(MailAccountFile::Status)
Q_DECLARE_METATYPE(MailSecurity)

class TestMailAccountFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pathFromEnvironmentOrInstallation();
    void missingNamedFileIsNotSetUp();
    void reads_data();
    void reads();

private:
    QString Write(const QByteArray& content);

    QTemporaryDir m_dir;
    QByteArray m_savedVariable;
    bool m_hadVariable = false;
};

void TestMailAccountFile::init() {
    m_hadVariable = qEnvironmentVariableIsSet("MENDRA_MAIL_CONFIG");
    m_savedVariable = qgetenv("MENDRA_MAIL_CONFIG");
}

void TestMailAccountFile::cleanup() {
    if (m_hadVariable)
        qputenv("MENDRA_MAIL_CONFIG", m_savedVariable);
    else
        qunsetenv("MENDRA_MAIL_CONFIG");
}

QString TestMailAccountFile::Write(const QByteArray& content) {
    const QString path = m_dir.filePath(QStringLiteral("mail.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(content);
    return path;
}

void TestMailAccountFile::pathFromEnvironmentOrInstallation() {
    qunsetenv("MENDRA_MAIL_CONFIG");
    QCOMPARE(MailAccountFile::Path(), QStringLiteral("/etc/mendra/mail.ini"));
    qputenv("MENDRA_MAIL_CONFIG", "/srv/deploy/mendra mail.ini");
    QCOMPARE(MailAccountFile::Path(), QStringLiteral("/srv/deploy/mendra mail.ini"));
}

// A file named by the variable that is not there means "not set up", never "use the installation's file".
void TestMailAccountFile::missingNamedFileIsNotSetUp() {
    qputenv("MENDRA_MAIL_CONFIG", m_dir.filePath(QStringLiteral("absent.ini")).toLocal8Bit());
    const MailAccountFile file = MailAccountFile::Read();
    QCOMPARE(file.GetStatus(), MailAccountFile::Status::NotSetUp);
    QVERIFY(!file.IsReady());
    QVERIFY(!file.Account().IsSetUp());
}

void TestMailAccountFile::reads_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<MailAccountFile::Status>("status");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<MailSecurity>("security");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    using S = MailAccountFile::Status;
    const QString h = QStringLiteral("smtp.example.org");
    const QString u = QStringLiteral("reports@example.org");
    QTest::newRow("complete") << QByteArray("[mail]\nhost = smtp.example.org\nport = 2465\nsecurity = tls\n"
                                            "user = reports@example.org\npassword = s3cret\n")
                              << S::Ready << h << 2465 << MailSecurity::Tls << u << QStringLiteral("s3cret");
    QTest::newRow("STARTTLS, default port, CRLF, comments, other sections")
        << QByteArray("; deployment file\r\n[proxy]\r\nhost = proxy.example.org\r\n\r\n[Mail]\r\n# the server\r\n"
                      "HOST=smtp.example.org\r\nsecurity=STARTTLS\r\nuser=reports@example.org\r\npassword=\r\n")
        << S::Ready << h << 587 << MailSecurity::StartTls << u << QString();
    QTest::newRow("plain, default port") << QByteArray(
                                                "[mail]\nhost=127.0.0.1\nsecurity=plain\nuser=reports@example.org\n")
                                         << S::Ready << QStringLiteral("127.0.0.1") << 25 << MailSecurity::Plain << u
                                         << QString();
    QTest::newRow("no security means TLS") << QByteArray("[mail]\nhost=smtp.example.org\nuser=reports@example.org\n")
                                           << S::Ready << h << 465 << MailSecurity::Tls << u << QString();
    QTest::newRow("password with every sign")
        << QByteArray("[mail]\nhost=smtp.example.org\nuser=reports@example.org\npassword = a=b;c,d#e\"f\\g%h \n")
        << S::Ready << h << 465 << MailSecurity::Tls << u << QStringLiteral("a=b;c,d#e\"f\\g%h");
    QTest::newRow("quoted password keeps its blanks")
        << QByteArray("[mail]\nhost=smtp.example.org\nuser=reports@example.org\npassword=\" p w \"\n") << S::Ready << h
        << 465 << MailSecurity::Tls << u << QStringLiteral(" p w ");
    QTest::newRow("UTF-8 with BOM") << QByteArray(
                                           "\xef\xbb\xbf[mail]\nhost=smtp.example.org\nuser=reports@example.org\n"
                                           "password=p\xc3\xa4ss\n")
                                    << S::Ready << h << 465 << MailSecurity::Tls << u << QStringLiteral("p\u00e4ss");
    QTest::newRow("empty file") << QByteArray() << S::NotSetUp << QString() << 0 << MailSecurity::Tls << QString()
                                << QString();
    QTest::newRow("host only in another section")
        << QByteArray("[other]\nhost=smtp.example.org\nuser=reports@example.org\n") << S::NotSetUp << QString() << 0
        << MailSecurity::Tls << QString() << QString();
    QTest::newRow("unknown security") << QByteArray(
                                             "[mail]\nhost=smtp.example.org\nsecurity=ssl3\nuser=reports@example.org\n")
                                      << S::Invalid << QString() << 0 << MailSecurity::Tls << QString() << QString();
    QTest::newRow("port not a number") << QByteArray(
                                              "[mail]\nhost=smtp.example.org\nport=smtp\nuser=reports@example.org\n")
                                       << S::Invalid << QString() << 0 << MailSecurity::Tls << QString() << QString();
    QTest::newRow("port too large") << QByteArray(
                                           "[mail]\nhost=smtp.example.org\nport=70000\nuser=reports@example.org\n")
                                    << S::Invalid << QString() << 0 << MailSecurity::Tls << QString() << QString();
    QTest::newRow("user not an address") << QByteArray("[mail]\nhost=smtp.example.org\nuser=reports\n") << S::Invalid
                                         << QString() << 0 << MailSecurity::Tls << QString() << QString();
    QTest::newRow("no user") << QByteArray("[mail]\nhost=smtp.example.org\n") << S::Invalid << QString() << 0
                             << MailSecurity::Tls << QString() << QString();
    QTest::newRow("blank in the host") << QByteArray("[mail]\nhost=smtp example.org\nuser=reports@example.org\n")
                                       << S::Invalid << QString() << 0 << MailSecurity::Tls << QString() << QString();
}

void TestMailAccountFile::reads() {
    QFETCH(QByteArray, content);
    QFETCH(MailAccountFile::Status, status);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(MailSecurity, security);
    QFETCH(QString, user);
    QFETCH(QString, password);
    const QString path = Write(content);
    QVERIFY(!path.isEmpty());
    qputenv("MENDRA_MAIL_CONFIG", path.toLocal8Bit());
    const MailAccountFile file = MailAccountFile::Read();
    QCOMPARE(file.GetStatus(), status);
    QCOMPARE(file.IsReady(), status == MailAccountFile::Status::Ready);
    QCOMPARE(file.Problem().isEmpty(), status == MailAccountFile::Status::Ready);
    if (status != MailAccountFile::Status::Ready) {
        QVERIFY(!file.Account().IsSetUp());
        QVERIFY(!file.Problem().contains(QLatin1String("s3cret")));
        return;
    }
    QCOMPARE(file.Account().host, host);
    QCOMPARE(file.Account().port, port);
    QCOMPARE(file.Account().security, security);
    QCOMPARE(file.Account().user, user);
    QCOMPARE(file.Account().password, password);
}

QTEST_GUILESS_MAIN(TestMailAccountFile)
#include "tst_mailaccountfile.moc"
