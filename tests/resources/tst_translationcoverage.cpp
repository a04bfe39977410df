// Every text the program's code hands to the translation system has a finished entry in the shipped
// translation files: lupdate, run on the sources into a copy of each file, finds nothing new to translate.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// The folders whose texts the program shows, beside the program's own files at the top (tests, tools
// and build trees stay out).
const char* const kProgramFolders[] = {"platform",   "app",    "device", "framework", "mainwindow",
                                       "components", "update", "mail",   "dialogs",   "program"};

// "[context] source" of every entry lupdate left unfinished.
QStringList Unfinished(const QByteArray& ts) {
    QStringList found;
    QXmlStreamReader xml(ts);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") &&
                 xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished"))
            found
                << QStringLiteral("[%1] \"%2\"").arg(context, source.replace(QLatin1Char('\n'), QLatin1String("\\n")));
    }
    return found;
}

} // namespace

class TestTranslationCoverage : public QObject {
    Q_OBJECT
private slots:
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
};

void TestTranslationCoverage::everyTextIsTranslated_data() {
    QTest::addColumn<QString>("code");
    for (const char* code : {"zh", "fr", "jp", "de"})
        QTest::newRow(code) << code;
}

void TestTranslationCoverage::everyTextIsTranslated() {
    QFETCH(QString, code);
    const QString lupdate =
        QStandardPaths::findExecutable(QStringLiteral("lupdate"), {QStringLiteral("/usr/lib/qt5/bin")});
    if (lupdate.isEmpty())
        QSKIP("lupdate is not installed");
    const QDir source(qEnvironmentVariable("MENDRA_SOURCE_DIR"));
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString copy = scratch.filePath(QStringLiteral("Mendra_%1.ts").arg(code));
    QVERIFY(QFile::copy(source.filePath(QStringLiteral("resources/translations/Mendra_%1.ts").arg(code)), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QStringList arguments{QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-recursive")};
    for (const char* folder : kProgramFolders) {
        if (source.exists(QLatin1String(folder)))
            arguments << source.filePath(QLatin1String(folder));
    }
    for (const QString& file : source.entryList({QStringLiteral("*.cpp")}, QDir::Files))
        arguments << source.filePath(file);
    arguments << QStringLiteral("-ts") << copy;
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(lupdate, arguments);
    QVERIFY(run.waitForFinished(60000));
    QVERIFY2(run.exitCode() == 0, run.readAll().constData());

    QFile updated(copy);
    QVERIFY(updated.open(QIODevice::ReadOnly));
    const QStringList missing = Unfinished(updated.readAll());
    QVERIFY2(missing.isEmpty(), qPrintable(QLatin1Char('\n') + missing.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslationCoverage)
#include "tst_translationcoverage.moc"
