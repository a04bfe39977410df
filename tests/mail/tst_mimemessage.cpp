#include "mail/EmailAddress.h"
#include "mail/HeaderText.h"
#include "mail/MimeAttachment.h"
#include "mail/MimeContentFormatter.h"
#include "mail/MimeMessage.h"
#include "mail/MimeMultiPart.h"
#include "mail/MimeText.h"
#include "mail/QuotedPrintable.h"

#include "TestMail.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// The header block of a rendered message: its lines up to the first empty one.
QStringList HeaderLines(const QString& rendered) {
    return rendered.left(rendered.indexOf(QStringLiteral("\r\n\r\n"))).split(QStringLiteral("\r\n"));
}

// Decodes a list of "=?utf-8?B?...?=" or "=?utf-8?Q?...?=" words back to text, checking that each word is
// whole UTF-8 on its own.
QString DecodeWords(const QStringList& words, bool* wholeCharacters) {
    QString text;
    *wholeCharacters = true;
    for (const QString& word : words) {
        const QByteArray inner = word.mid(10, word.size() - 12).toLatin1();
        QByteArray bytes;
        if (word.startsWith(QLatin1String("=?utf-8?B?"))) {
            bytes = QByteArray::fromBase64(inner);
        } else {
            for (int i = 0; i < inner.size(); ++i) {
                if (inner.at(i) == '_')
                    bytes += ' ';
                else if (inner.at(i) == '=')
                    bytes += QByteArray::fromHex(inner.mid(++i, 2)), ++i;
                else
                    bytes += inner.at(i);
            }
        }
        if (QString::fromUtf8(bytes).toUtf8() != bytes ||
            QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter))
            *wholeCharacters = false;
        text += QString::fromUtf8(bytes);
    }
    return text;
}

} // namespace

class TestMimeMessage : public QObject {
    Q_OBJECT
private slots:
    void base64IsFoldedAt76();
    void quotedPrintableEncode_data();
    void quotedPrintableEncode();
    void quotedPrintableFolding_data();
    void quotedPrintableFolding();
    void attachmentOfMissingFileIsEmpty();
    void addressLines_data();
    void addressLines();
    void manyRecipientsAreFolded();
    void headerWords_data();
    void headerWords();
    void unsafeHeaderTexts_data();
    void unsafeHeaderTexts();
    void textLineEndsAndLongLines_data();
    void textLineEndsAndLongLines();
    void boundaryIsRandom();
    void boundaryNeverInContent();
};

void TestMimeMessage::base64IsFoldedAt76() {
    QByteArray bytes;
    for (int i = 0; i < 100; ++i)
        bytes += static_cast<char>(i * 7);
    MimeAttachment part(bytes, QStringLiteral("f.bin"));
    const QString base64 = QString::fromLatin1(bytes.toBase64());
    QCOMPARE(base64.size(), 136);
    QCOMPARE(part.toString(), QStringLiteral("Content-Type: application/octet-stream; name=\"f.bin\"\r\n"
                                             "Content-Transfer-Encoding: base64\r\n"
                                             "Content-disposition: attachment\r\n"
                                             "\r\n") +
                                  base64.left(76) + QStringLiteral("\r\n") + base64.mid(76) + QStringLiteral("\r\n"));
}

void TestMimeMessage::quotedPrintableEncode_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("escapes") << QByteArray("a=b c\r\n") << QStringLiteral("a=3Db c=0D=0A");
    QTest::newRow("high bytes and tab") << QByteArray("\xc3\xa4\t~") << QStringLiteral("=C3=A4=09~");
    // A blank that would end the last line is escaped, or a transport could drop it.
    QTest::newRow("blank at the end") << QByteArray("a ") << QStringLiteral("a=20");
}

void TestMimeMessage::quotedPrintableEncode() {
    QFETCH(QByteArray, input);
    QFETCH(QString, encoded);
    QCOMPARE(QuotedPrintable::encode(input), encoded);
}

void TestMimeMessage::quotedPrintableFolding_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    const QString x73(73, QLatin1Char('x'));
    QTest::newRow("long run") << QString(80, QLatin1Char('x'))
                              << QString(75, QLatin1Char('x')) + QStringLiteral("=\r\n") + QString(5, QLatin1Char('x'));
    QTest::newRow("escape at column 74 moves") << x73 + QStringLiteral("=41") << x73 + QStringLiteral("=\r\n=41");
    QTest::newRow("escape at column 73 stays")
        << x73.mid(1) + QStringLiteral("=41yy") << x73.mid(1) + QStringLiteral("=41=\r\nyy");
}

void TestMimeMessage::quotedPrintableFolding() {
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(MimeContentFormatter(76).format(text, true), folded);
}

void TestMimeMessage::attachmentOfMissingFileIsEmpty() {
    MimeAttachment part(new QFile(QStringLiteral("/nonexistent/folder/logs.dmp")));
    QCOMPARE(part.toString(), QStringLiteral("Content-Type: application/octet-stream; name=\"logs.dmp\"\r\n"
                                             "Content-Transfer-Encoding: base64\r\n"
                                             "Content-disposition: attachment\r\n"
                                             "\r\n"
                                             "\r\n"));
}

void TestMimeMessage::addressLines_data() {
    QTest::addColumn<QString>("senderName");
    QTest::addColumn<QStringList>("toNames");
    QTest::addColumn<int>("headerEncoding");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QStringList>("expectedHeader");
    QTest::newRow("sender without name") << QString() << QStringList{QStringLiteral("a")} << 1 << QStringLiteral("s")
                                         << QStringList{QStringLiteral("From: <s@example.org>"),
                                                        QStringLiteral("To: a <t0@example.org>"),
                                                        QStringLiteral("Subject: s"),
                                                        QStringLiteral("MIME-Version: 1.0")};
    QTest::newRow("two recipients") << QStringLiteral("bug") << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                                    << 1 << QStringLiteral("s")
                                    << QStringList{QStringLiteral("From: bug <s@example.org>"),
                                                   QStringLiteral("To: a <t0@example.org>, b <t1@example.org>"),
                                                   QStringLiteral("Subject: s"), QStringLiteral("MIME-Version: 1.0")};
    QTest::newRow("base64 header words") << QString() << QStringList{QString()} << 2 << QStringLiteral("ab")
                                         << QStringList{QStringLiteral("From: <s@example.org>"),
                                                        QStringLiteral("To: <t0@example.org>"),
                                                        QStringLiteral("Subject: =?utf-8?B?YWI=?="),
                                                        QStringLiteral("MIME-Version: 1.0")};
    QTest::newRow("non-ASCII encoded by default")
        << QStringLiteral("J\u00fcrgen") << QStringList{QStringLiteral("Ann")} << 1 << QStringLiteral("Gr\u00fc\u00dfe")
        << QStringList{QStringLiteral("From: =?utf-8?B?SsO8cmdlbg==?= <s@example.org>"),
                       QStringLiteral("To: Ann <t0@example.org>"), QStringLiteral("Subject: =?utf-8?B?R3LDvMOfZQ==?="),
                       QStringLiteral("MIME-Version: 1.0")};
    QTest::newRow("special characters in a name")
        << QStringLiteral("Doe, John") << QStringList{QStringLiteral("a")} << 1 << QStringLiteral("x: y")
        << QStringList{QStringLiteral("From: =?utf-8?B?RG9lLCBKb2hu?= <s@example.org>"),
                       QStringLiteral("To: a <t0@example.org>"), QStringLiteral("Subject: x: y"),
                       QStringLiteral("MIME-Version: 1.0")};
}

void TestMimeMessage::addressLines() {
    QFETCH(QString, senderName);
    QFETCH(QStringList, toNames);
    QFETCH(int, headerEncoding);
    QFETCH(QString, subject);
    QFETCH(QStringList, expectedHeader);
    EmailAddress sender(QStringLiteral("s@example.org"), senderName);
    QList<EmailAddress*> to;
    for (int i = 0; i < toNames.size(); ++i)
        to.append(new EmailAddress(QStringLiteral("t%1@example.org").arg(i), toNames.at(i), &sender));
    MimeText text(QStringLiteral("hello"));
    MimeMessage message(false);
    message.setSender(&sender);
    for (EmailAddress* address : to)
        message.addRecipient(address);
    message.setSubject(subject);
    message.setHeaderEncoding(headerEncoding);
    message.setRootPart(&text);
    const QString rendered = message.toString();
    QCOMPARE(HeaderLines(rendered).mid(0, 4), expectedHeader);
    QVERIFY(rendered.endsWith(QStringLiteral("MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n"
                                             "Content-Transfer-Encoding: 8bit\r\n\r\nhello\r\n")));
}

void TestMimeMessage::manyRecipientsAreFolded() {
    EmailAddress sender(QStringLiteral("s@example.org"));
    MimeMessage message;
    message.setSender(&sender);
    QList<EmailAddress*> recipients;
    for (int i = 0; i < 40; ++i) {
        recipients.append(new EmailAddress(QStringLiteral("recipient.number.%1@support.example.org").arg(i),
                                           QStringLiteral("Support Desk %1").arg(i), &sender));
        message.addCc(recipients.last());
        message.addTo(recipients.last());
    }
    const QStringList lines = HeaderLines(message.toString());
    int continuations = 0;
    for (const QString& line : lines) {
        QVERIFY2(line.size() <= 78, qPrintable(line));
        if (line.startsWith(QLatin1Char(' ')))
            ++continuations;
        else
            QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z-]+:")).match(line).hasMatch(), qPrintable(line));
    }
    QVERIFY(continuations >= 2 * 39);
    QVERIFY(message.toString().contains(
        QStringLiteral(",\r\n Support Desk 1 <recipient.number.1@support.example.org>,\r\n Support Desk 2 <")));
}

void TestMimeMessage::headerWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<bool>("phrase");
    QTest::addColumn<bool>("plain");
    QTest::newRow("ASCII subject stays") << QStringLiteral("Ann - a@b.org -> Tavik Mendra( LINUX )") << 1 << false
                                         << true;
    QTest::newRow("ASCII name stays") << QStringLiteral("support") << 1 << true << true;
    QTest::newRow("non-ASCII") << QStringLiteral("\u00c5sa \u00d8berg") << 1 << true << false;
    QTest::newRow("CR LF") << QStringLiteral("Eve\r\nBcc: x@evil.example") << 1 << false << false;
    QTest::newRow("looks encoded") << QStringLiteral("=?utf-8?B?YWI=?=") << 1 << false << false;
    QTest::newRow("comma in a name") << QStringLiteral("Doe, John") << 1 << true << false;
    QTest::newRow("comma in a subject") << QStringLiteral("Doe, John") << 1 << false << true;
    QTest::newRow("long ASCII") << QString(3000, QLatin1Char('a')) << 1 << false << false;
    QTest::newRow("long non-ASCII") << QString(300, QChar(0x00e4)) << 1 << false << false;
    QTest::newRow("emoji at word ends") << QStringLiteral("a") +
                                               QString::fromUtf8(QByteArray("\xf0\x9f\x91\x8b").repeated(60))
                                        << 1 << false << false;
    QTest::newRow("Q words") << QStringLiteral("a b:c?_=\u00e4") + QString(100, QLatin1Char('z')) << 3 << true << false;
    QTest::newRow("B words forced") << QStringLiteral("ab") << 2 << false << false;
}

void TestMimeMessage::headerWords() {
    QFETCH(QString, text);
    QFETCH(int, encoding);
    QFETCH(bool, phrase);
    QFETCH(bool, plain);
    const QStringList words = HeaderText::Words(text, encoding, phrase);
    if (plain) {
        QCOMPARE(words, QStringList{text});
        return;
    }
    const QRegularExpression word(QStringLiteral("^=\\?utf-8\\?[BQ]\\?[A-Za-z0-9+/=!*_-]*\\?=$"));
    for (const QString& w : words) {
        QVERIFY2(w.size() <= 75, qPrintable(w));
        QVERIFY2(word.match(w).hasMatch(), qPrintable(w));
    }
    bool whole = false;
    QCOMPARE(DecodeWords(words, &whole), text);
    QVERIFY(whole);
}

void TestMimeMessage::unsafeHeaderTexts_data() {
    QTest::addColumn<QString>("senderAddress");
    QTest::addColumn<QString>("senderName");
    QTest::addColumn<QString>("recipientAddress");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<bool>("safe");
    const QString a = QStringLiteral("a@example.org");
    QTest::newRow("all plain") << a << QStringLiteral("bug") << a << QStringLiteral("s") << true;
    QTest::newRow("non-ASCII name and subject")
        << a << QStringLiteral("\u00e4") << a << QStringLiteral("\u00fc") << true;
    QTest::newRow("CR LF in the sender address") << QStringLiteral("a@example.org>\r\nRCPT TO:<x@evil.example")
                                                 << QString() << a << QStringLiteral("s") << false;
    QTest::newRow("LF in the recipient") << a << QString() << QStringLiteral("b@example.org\n") << QStringLiteral("s")
                                         << false;
    QTest::newRow("blank in an address") << a << QString() << QStringLiteral("b c@example.org") << QStringLiteral("s")
                                         << false;
    QTest::newRow("angle bracket in an address")
        << a << QString() << QStringLiteral("b>@example.org") << QStringLiteral("s") << false;
    QTest::newRow("non-ASCII address") << a << QString() << QStringLiteral("j\u00fcrgen@example.org")
                                       << QStringLiteral("s") << false;
    QTest::newRow("no at sign") << a << QString() << QStringLiteral("example.org") << QStringLiteral("s") << false;
    QTest::newRow("CR in the name") << a << QStringLiteral("bug\rX-Evil: 1") << a << QStringLiteral("s") << false;
    QTest::newRow("tab in the name") << a << QStringLiteral("b\tug") << a << QStringLiteral("s") << false;
    QTest::newRow("LF in the subject") << a << QString() << a << QStringLiteral("s\nBcc: x@evil.example") << false;
    QTest::newRow("NUL in the subject") << a << QString() << a << QStringLiteral("s") + QChar(0) << false;
    QTest::newRow("line separator in the subject") << a << QString() << a << QStringLiteral("s\u2028t") << false;
    QTest::newRow("DEL in the subject") << a << QString() << a << QStringLiteral("s\x7f") << false;
}

void TestMimeMessage::unsafeHeaderTexts() {
    QFETCH(QString, senderAddress);
    QFETCH(QString, senderName);
    QFETCH(QString, recipientAddress);
    QFETCH(QString, subject);
    QFETCH(bool, safe);
    ShortMail mail(senderAddress, senderName, recipientAddress, subject, QStringLiteral("hello"));
    QCOMPARE(mail.message.isSafe(), safe);
    // Even a message that is never sent renders no header line it was not meant to have.
    const QStringList lines = HeaderLines(mail.message.toString());
    QCOMPARE(lines.size(), 6);
    QVERIFY(lines.at(0).startsWith(QLatin1String("From:")));
    QVERIFY(lines.at(1).startsWith(QLatin1String("To:")));
    QVERIFY(lines.at(2).startsWith(QLatin1String("Subject:")));
    for (const QString& line : lines)
        QVERIFY2(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')), qPrintable(line));
}

void TestMimeMessage::textLineEndsAndLongLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("transferEncoding");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("mixed line ends") << QStringLiteral("a\nb\rc\r\nd\n\n") << QStringLiteral("8bit")
                                     << QByteArray("a\r\nb\r\nc\r\nd\r\n\r\n");
    QTest::newRow("UTF-8") << QStringLiteral("Gr\u00fc\u00dfe \U0001F44B") << QStringLiteral("8bit")
                           << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                         "e \xf0\x9f\x91\x8b");
    QTest::newRow("998 octets") << QString(998, QLatin1Char('x')) << QStringLiteral("8bit") << QByteArray(998, 'x');
    QTest::newRow("999 octets") << QString(999, QLatin1Char('x')) << QStringLiteral("quoted-printable") << QByteArray();
    QTest::newRow("998 octets after a dot")
        << QStringLiteral(".") + QString(997, QLatin1Char('x')) << QStringLiteral("quoted-printable") << QByteArray();
    QTest::newRow("500 two-octet letters")
        << QString(500, QChar(0x00e4)) << QStringLiteral("quoted-printable") << QByteArray();
    QTest::newRow("5000 octets") << QStringLiteral("head\n") + QString(5000, QLatin1Char('y')) +
                                        QStringLiteral("\n.\ntail")
                                 << QStringLiteral("quoted-printable") << QByteArray();
    QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << QStringLiteral("quoted-printable")
                         << QByteArray();
}

void TestMimeMessage::textLineEndsAndLongLines() {
    QFETCH(QString, text);
    QFETCH(QString, transferEncoding);
    QFETCH(QByteArray, body);
    MimeText part(text);
    const QString rendered = part.toString();
    const QString head = QStringLiteral("Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: ") +
                         transferEncoding + QStringLiteral("\r\n\r\n");
    QVERIFY2(rendered.startsWith(head), qPrintable(rendered.left(200)));
    const QByteArray content = rendered.mid(head.size()).toUtf8();
    QVERIFY(content.endsWith("\r\n"));
    if (!body.isEmpty()) {
        QCOMPARE(content, body + "\r\n");
        return;
    }
    // Quoted-printable: short lines of printable ASCII that decode to the text with "\r\n" line ends.
    QByteArray decoded;
    for (const QByteArray& line : content.left(content.size() - 2).split('\n')) {
        const QByteArray bare = line.endsWith('\r') ? line.left(line.size() - 1) : line;
        QVERIFY2(bare.size() <= 76, bare.constData());
        for (const char c : bare)
            QVERIFY(c >= 32 && c <= 126);
        const bool soft = bare.endsWith('=');
        const QByteArray data = soft ? bare.left(bare.size() - 1) : bare;
        for (int i = 0; i < data.size(); ++i) {
            if (data.at(i) == '=') {
                decoded += QByteArray::fromHex(data.mid(i + 1, 2));
                i += 2;
            } else {
                decoded += data.at(i);
            }
        }
    }
    QString expected = text;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    expected.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QCOMPARE(decoded, expected.toUtf8());
}

void TestMimeMessage::boundaryIsRandom() {
    QSet<QString> boundaries;
    for (int i = 0; i < 64; ++i) {
        MimeMultiPart part;
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(part.getBoundary()).hasMatch());
        boundaries.insert(part.getBoundary());
    }
    QCOMPARE(boundaries.size(), 64);
}

void TestMimeMessage::boundaryNeverInContent() {
    MimeMultiPart multipart(MimeMultiPart::Mixed);
    multipart.setBoundary(QStringLiteral("0123456789abcdef0123456789abcdef"));
    MimeText text(QStringLiteral("a line\n--0123456789abcdef0123456789abcdef\nanother"));
    multipart.addPart(&text);
    const QString rendered = multipart.toString();
    QVERIFY(multipart.getBoundary() != QLatin1String("0123456789abcdef0123456789abcdef"));
    const QString delimiter = QStringLiteral("--") + multipart.getBoundary();
    QCOMPARE(rendered.count(delimiter), 2); // the opening line and the closing one
    QVERIFY(rendered.contains(QStringLiteral("; boundary=") + multipart.getBoundary() + QStringLiteral("\r\n")));
    QVERIFY(rendered.endsWith(delimiter + QStringLiteral("--\r\n\r\n")));
}

QTEST_GUILESS_MAIN(TestMimeMessage)
#include "tst_mimemessage.moc"
