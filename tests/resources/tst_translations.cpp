// The shipped translation files: every language is complete, no translation breaks the markup that the code
// fills in or renders, and what lrelease compiled is what the files say.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message {
    QString context;
    QString source;
    QString comment;
    QString type; // empty when finished; "unfinished", "vanished" or "obsolete"
    bool numerus = false;
    QStringList translations; // one, or one per numerus form
};

struct TsFile {
    QString language;
    QList<Message> messages;
    QString error;
};

// The program's language codes with the language each file must declare (lupdate and Qt's plural rules read it).
const char* const kTranslatedLanguages[][2] = {{"zh", "zh_CN"}, {"fr", "fr"}, {"jp", "ja"}, {"de", "de"}};

QString TranslationFolder() {
    return qEnvironmentVariable("MENDRA_SOURCE_DIR") + QStringLiteral("/resources/translations");
}

QString CompiledFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Language");
}

Message ReadMessage(QXmlStreamReader& xml, const QString& context) {
    Message message;
    message.context = context;
    message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (message.numerus) {
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("numerusform"))
                        message.translations << xml.readElementText();
                    else
                        xml.skipCurrentElement();
                }
            } else {
                message.translations << xml.readElementText();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return message;
}

TsFile ReadTs(const QByteArray& content) {
    TsFile file;
    QXmlStreamReader xml(content);
    if (xml.readNextStartElement() && xml.name() == QLatin1String("TS")) {
        file.language = xml.attributes().value(QLatin1String("language")).toString();
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("context")) {
                xml.skipCurrentElement();
                continue;
            }
            QString context;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("name"))
                    context = xml.readElementText();
                else if (xml.name() == QLatin1String("message"))
                    file.messages << ReadMessage(xml, context);
                else
                    xml.skipCurrentElement();
            }
        }
    } else if (!xml.hasError()) {
        file.error = QStringLiteral("no TS element");
    }
    if (xml.hasError())
        file.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return file;
}

TsFile ReadTsFile(const QString& code) {
    QFile file(TranslationFolder() + QStringLiteral("/Mendra_%1.ts").arg(code));
    if (!file.open(QIODevice::ReadOnly)) {
        TsFile missing;
        missing.error = file.fileName() + QStringLiteral(": ") + file.errorString();
        return missing;
    }
    return ReadTs(file.readAll());
}

// Entries that lupdate keeps for texts no code uses any more; lrelease leaves them out.
bool IsLive(const Message& message) {
    return message.type != QLatin1String("vanished") && message.type != QLatin1String("obsolete");
}

QString Describe(const Message& message) {
    QString source = message.source;
    source.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    if (source.size() > 70)
        source = source.left(67) + QStringLiteral("...");
    return QStringLiteral("[%1] \"%2\"").arg(message.context, source);
}

QStringList SortedMatches(const QRegularExpression& pattern, const QString& text, int group) {
    QStringList found;
    auto matches = pattern.globalMatch(text);
    while (matches.hasNext())
        found << matches.next().captured(group);
    found.sort();
    return found;
}

// %1 to %99, their localized form %L1, and the plural count %n: QString::arg and tr() fill them in.
QStringList Placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("%L?(?:[1-9][0-9]?|n)"));
    return SortedMatches(pattern, text, 0);
}

// Tag names with their slash ("a", "/a", "br", "!DOCTYPE"); attributes may be written differently.
QStringList Tags(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("<\\s*(/?\\s*[A-Za-z!][A-Za-z0-9]*)"));
    QStringList tags = SortedMatches(pattern, text, 1);
    for (QString& tag : tags)
        tag.remove(QLatin1Char(' '));
    return tags;
}

// "&S" marks a mnemonic; "&&" is a literal ampersand and "&amp;"-style entities belong to rich text.
bool HasAccelerator(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("(?<!&)&(?!&)(?!#?[A-Za-z0-9]+;)\\w"));
    return pattern.match(text).hasMatch();
}

QStringList MarkupProblems(const QString& source, const QString& translation) {
    QStringList problems;
    if (Placeholders(source) != Placeholders(translation))
        problems << QStringLiteral("placeholders (%1) became (%2)")
                        .arg(Placeholders(source).join(QLatin1Char(' ')),
                             Placeholders(translation).join(QLatin1Char(' ')));
    if (Tags(source) != Tags(translation))
        problems << QStringLiteral("tags (%1) became (%2)")
                        .arg(Tags(source).join(QLatin1Char(' ')), Tags(translation).join(QLatin1Char(' ')));
    if (source.count(QLatin1Char('\n')) != translation.count(QLatin1Char('\n')))
        problems << QStringLiteral("%1 line breaks became %2")
                        .arg(source.count(QLatin1Char('\n')))
                        .arg(translation.count(QLatin1Char('\n')));
    if (HasAccelerator(source) != HasAccelerator(translation))
        problems << (HasAccelerator(source) ? QStringLiteral("the accelerator is lost")
                                            : QStringLiteral("an accelerator was added"));
    return problems;
}

// Every live entry finished, with no empty form, and keeping its source's markup.
QStringList TranslationProblems(const TsFile& file) {
    QStringList problems;
    for (const Message& message : file.messages) {
        if (!IsLive(message))
            continue;
        if (message.type == QLatin1String("unfinished"))
            problems << Describe(message) + QStringLiteral(": unfinished");
        if (message.translations.isEmpty())
            problems << Describe(message) + QStringLiteral(": no translation");
        for (const QString& translation : message.translations) {
            if (translation.trimmed().isEmpty())
                problems << Describe(message) + QStringLiteral(": empty translation");
            else
                for (const QString& problem : MarkupProblems(message.source, translation))
                    problems << Describe(message) + QStringLiteral(": ") + problem;
        }
    }
    return problems;
}

QSet<QString> LiveKeys(const TsFile& file) {
    QSet<QString> keys;
    for (const Message& message : file.messages)
        if (IsLive(message))
            keys << message.context + QChar(0) + message.source + QChar(0) + message.comment;
    return keys;
}

QByteArray TsFixture(const QByteArray& messages) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
           "<TS version=\"2.1\" language=\"de\" sourcelanguage=\"en\">\n<context>\n    <name>Fixture</name>\n" +
           messages + "</context>\n</TS>\n";
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void markupCheck_data();
    void markupCheck();
    void completenessCheck_data();
    void completenessCheck();
    void shippedTranslations_data();
    void shippedTranslations();
    void englishKeepsTheSourceTexts();
    void everyLanguageHasTheSameTexts();
    void compiledTranslations_data();
    void compiledTranslations();
};

void TestTranslations::markupCheck_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<bool>("sound");

    QTest::newRow("placeholders in another order") << "%1 of %2"
                                                   << "%2 von %1" << true;
    QTest::newRow("placeholder dropped") << "%1: %2%..."
                                         << "%1 ..." << false;
    QTest::newRow("placeholder added") << "Done"
                                       << "Fertig %1" << false;
    QTest::newRow("placeholder renumbered") << "%1 (Build %4)"
                                            << "%1 (Build %3)" << false;
    QTest::newRow("two-digit placeholder is not its first digit") << "%12"
                                                                  << "%1" << false;
    QTest::newRow("plural count dropped") << "%n files"
                                          << "Dateien" << false;
    QTest::newRow("localized form is another placeholder") << "%L1 MB"
                                                           << "%1 MB" << false;
    QTest::newRow("a percent sign after a placeholder") << "%2%..."
                                                        << "%2 %..." << true;
    QTest::newRow("tag dropped") << "<b>Note</b> text"
                                 << "Hinweis Text" << false;
    QTest::newRow("tag changed") << "<a href=\"x\">%1</a>"
                                 << "<b>%1</b>" << false;
    QTest::newRow("attributes written differently") << "<a href=\"x\">link</a>"
                                                    << "<a  href='x'>Verweis</a>" << true;
    QTest::newRow("closing tag lost") << "<p>%1</p>"
                                      << "<p>%1" << false;
    QTest::newRow("line break dropped") << "Fixing.\nDo not quit."
                                        << "Reparatur. Nicht beenden." << false;
    QTest::newRow("line break added") << "Fixing."
                                      << "Reparatur\nläuft." << false;
    QTest::newRow("accelerator lost") << "&Save"
                                      << "Speichern" << false;
    QTest::newRow("accelerator moved") << "&Save"
                                       << "S&peichern" << true;
    QTest::newRow("a literal ampersand is no accelerator") << "Save && quit"
                                                           << "Speichern und beenden" << true;
    QTest::newRow("an entity is no accelerator") << "a &amp; b"
                                                 << "a und b" << true;
}

void TestTranslations::markupCheck() {
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QFETCH(bool, sound);
    const QStringList problems = MarkupProblems(source, translation);
    QVERIFY2(problems.isEmpty() == sound, qPrintable(problems.join(QLatin1String("; "))));
}

void TestTranslations::completenessCheck_data() {
    QTest::addColumn<QByteArray>("messages");
    QTest::addColumn<QStringList>("problems");

    QTest::newRow("finished") << QByteArray("<message><source>Yes</source><translation>Ja</translation></message>")
                              << QStringList();
    QTest::newRow("unfinished, even with a text")
        << QByteArray("<message><source>Yes</source><translation type=\"unfinished\">Ja</translation></message>")
        << QStringList{"[Fixture] \"Yes\": unfinished"};
    QTest::newRow("new entry from lupdate")
        << QByteArray("<message><source>Yes</source><translation type=\"unfinished\"></translation></message>")
        << QStringList{"[Fixture] \"Yes\": unfinished", "[Fixture] \"Yes\": empty translation"};
    QTest::newRow("blank translation") << QByteArray(
                                              "<message><source>Yes</source><translation> </translation></message>")
                                       << QStringList{"[Fixture] \"Yes\": empty translation"};
    QTest::newRow("no translation element")
        << QByteArray("<message><source>Yes</source></message>") << QStringList{"[Fixture] \"Yes\": no translation"};
    QTest::newRow("texts no code uses are left alone")
        << QByteArray("<message><source>Old</source><translation type=\"vanished\"></translation></message>"
                      "<message><source>Older</source><translation type=\"obsolete\">x %9</translation></message>")
        << QStringList();
    QTest::newRow("plural form missing")
        << QByteArray("<message numerus=\"yes\"><source>%n files</source><translation>"
                      "<numerusform>%n Datei</numerusform><numerusform></numerusform></translation></message>")
        << QStringList{"[Fixture] \"%n files\": empty translation"};
    QTest::newRow("plural form without its count")
        << QByteArray("<message numerus=\"yes\"><source>%n files</source><translation>"
                      "<numerusform>eine Datei</numerusform><numerusform>%n Dateien</numerusform></translation>"
                      "</message>")
        << QStringList{"[Fixture] \"%n files\": placeholders (%n) became ()"};
    QTest::newRow("escaped markup is compared as text")
        << QByteArray("<message><source>&lt;b&gt;%1&lt;/b&gt;</source><translation>%1</translation></message>")
        << QStringList{"[Fixture] \"<b>%1</b>\": tags (/b b) became ()"};
}

void TestTranslations::completenessCheck() {
    QFETCH(QByteArray, messages);
    QFETCH(QStringList, problems);
    const TsFile file = ReadTs(TsFixture(messages));
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QCOMPARE(TranslationProblems(file), problems);
}

void TestTranslations::shippedTranslations_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("language");
    for (const auto& language : kTranslatedLanguages)
        QTest::newRow(language[0]) << QString::fromLatin1(language[0]) << QString::fromLatin1(language[1]);
}

void TestTranslations::shippedTranslations() {
    QFETCH(QString, code);
    QFETCH(QString, language);
    const TsFile file = ReadTsFile(code);
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QCOMPARE(file.language, language);
    QVERIFY(!file.messages.isEmpty());
    const QStringList problems = TranslationProblems(file);
    QVERIFY2(problems.isEmpty(), qPrintable(QLatin1Char('\n') + problems.join(QLatin1Char('\n'))));
}

// The English file only registers the language: a text there would replace the source the code shows.
void TestTranslations::englishKeepsTheSourceTexts() {
    const TsFile file = ReadTsFile(QStringLiteral("en"));
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QStringList problems;
    for (const Message& message : file.messages)
        for (const QString& translation : message.translations)
            if (IsLive(message) && !message.numerus && !translation.isEmpty() && translation != message.source)
                problems << Describe(message) + QStringLiteral(" reads \"%1\"").arg(translation);
    QVERIFY2(problems.isEmpty(), qPrintable(QLatin1Char('\n') + problems.join(QLatin1Char('\n'))));
}

void TestTranslations::everyLanguageHasTheSameTexts() {
    QStringList codes{QStringLiteral("en")};
    for (const auto& language : kTranslatedLanguages)
        codes << QString::fromLatin1(language[0]);

    QHash<QString, QSet<QString>> keys;
    QSet<QString> all;
    for (const QString& code : codes) {
        const TsFile file = ReadTsFile(code);
        QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
        keys[code] = LiveKeys(file);
        all += keys[code];
    }
    QStringList problems;
    for (const QString& code : codes) {
        for (const QString& key : all - keys[code]) {
            const QStringList parts = key.split(QChar(0));
            Message missing;
            missing.context = parts.value(0);
            missing.source = parts.value(1);
            problems << code + QStringLiteral(" lacks ") + Describe(missing);
        }
    }
    problems.sort();
    QVERIFY2(problems.isEmpty(), qPrintable(QLatin1Char('\n') + problems.join(QLatin1Char('\n'))));
}

void TestTranslations::compiledTranslations_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("en") << "en";
    for (const auto& language : kTranslatedLanguages)
        QTest::newRow(language[0]) << QString::fromLatin1(language[0]);
}

// Catches a file lrelease cannot compile and a stale .qm that no longer matches its .ts.
void TestTranslations::compiledTranslations() {
    QFETCH(QString, code);
    const TsFile file = ReadTsFile(code);
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));

    QTranslator translator;
    QVERIFY2(translator.load(QStringLiteral("Mendra_") + code, CompiledFolder()),
             qPrintable(CompiledFolder() + QStringLiteral("/Mendra_") + code + QStringLiteral(".qm")));
    QVERIFY(!translator.isEmpty());

    QStringList problems;
    for (const Message& message : file.messages) {
        if (!IsLive(message) || message.translations.isEmpty() || message.translations.first().isEmpty())
            continue;
        const QByteArray context = message.context.toUtf8();
        const QByteArray source = message.source.toUtf8();
        const QByteArray comment = message.comment.toUtf8();
        const QString compiled = translator.translate(context.constData(), source.constData(),
                                                      comment.isEmpty() ? nullptr : comment.constData(), 1);
        if (!message.translations.contains(compiled))
            problems << Describe(message) + QStringLiteral(" compiled as \"%1\"").arg(compiled);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(QLatin1Char('\n') + problems.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslations)

#include "tst_translations.moc"
