#include "TextLog.h"

#include "platform/PrivateFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <unistd.h>

namespace {
const QVector<QString>& tagTable() {
    static const QVector<QString> table = {QStringLiteral("[Info]"), QStringLiteral("[Waring]"),
                                           QStringLiteral("[Error]"), QStringLiteral("[Failed]")};
    return table;
}
} // namespace

TextLog::TextLog(const QString& path)
    : m_path(path), file(new QFile(path)), stream(new QTextStream), tags(tagTable()),
      m_clock([] { return QDateTime::currentDateTime(); }) {
    const QFileInfo info(path);
    if (info.exists() && info.isFile() && info.size() > MaxSizeOnOpen)
        QFile::remove(path);
    Open();
}

TextLog::~TextLog() {
    Close();
    delete stream;
    delete file;
}

void TextLog::Open() {
    QMutexLocker lock(&m_mutex);
    if (file->isOpen())
        return;
    // The log is its user's alone (it names their folders and devices): made 0600, whatever the umask.
    const int fd = platform::openPrivateFile(m_path, true);
    if (fd >= 0 &&
        !file->open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text, QFileDevice::AutoCloseHandle))
        ::close(fd);
    stream->setDevice(file->isOpen() ? file : nullptr);
    // The log is read on other systems and packed into mails: always UTF-8, whatever the locale.
    // Set after setDevice(), which puts the locale's codec back.
    stream->setCodec("UTF-8");
}

void TextLog::Close() {
    QMutexLocker lock(&m_mutex);
    if (stream->device())
        stream->flush();
    stream->setDevice(nullptr);
    file->close();
}

bool TextLog::IsOpen() const {
    QMutexLocker lock(&m_mutex);
    return file->isOpen();
}

QString TextLog::FilePath() const {
    return m_path;
}

void TextLog::SetClock(Clock clock) {
    QMutexLocker lock(&m_mutex);
    m_clock = clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); });
}

QString TextLog::Tag(int level) {
    const QVector<QString>& table = tagTable();
    if (level >= 0 && level < table.size())
        return table.at(level);
    return QStringLiteral("[Level %1]").arg(level);
}

void TextLog::WriteString(int level, const QString& message, bool withTime) {
    writeTagged(level, message, withTime, false);
}

void TextLog::WriteChars(int level, const char* message, bool withTime) {
    writeTagged(level, QString::fromUtf8(message), withTime, true);
}

void TextLog::writeTagged(int level, const QString& message, bool withTime, bool withMilliseconds) {
    QMutexLocker lock(&m_mutex);
    if (!stream->device())
        return;
    const QString tag = level >= 0 && level < tags.size() ? tags.at(level) : Tag(level);
    *stream << tag << message;
    if (withTime) {
        const QDateTime now = m_clock();
        *stream << " <date time=" << now.toString(QStringLiteral("M-d-yyyy  h:m:s"));
        // Qt's "z" pads 45 ms to "045" since 5.14; the log has always written plain numbers.
        if (withMilliseconds)
            *stream << ':' << now.time().msec();
        *stream << '>';
    }
    *stream << '\n';
    stream->flush();
}

void TextLog::writeLines(const QStringList& lines) {
    QMutexLocker lock(&m_mutex);
    if (!stream->device())
        return;
    for (const QString& line : lines)
        *stream << line << '\n';
    stream->flush();
}

void TextLog::WritePlainString(const QString& text) {
    writeLines({text});
}

void TextLog::WritePlainChars(const char* text) {
    writeLines({QString::fromUtf8(text)});
}

void TextLog::WriteNewLine() {
    writeLines({QString()});
}

void TextLog::WriteList(const QStringList& items, bool numbered) {
    QStringList lines;
    lines.reserve(items.size());
    for (int i = 0; i < items.size(); ++i)
        lines.append(numbered ? QStringLiteral("(%1) ").arg(i) + items.at(i) : items.at(i));
    writeLines(lines);
}

void TextLog::WritePairs(const QStringList& names, const QStringList& values, bool numbered) {
    QStringList lines;
    if (names.size() != values.size())
        lines.append(QStringLiteral("[*Warning]OutputMaps() vecName.resiz() != vecValue.resize(), size will equal "
                                    "smaller."));
    const int count = qMin(names.size(), values.size());
    for (int i = 0; i < count; ++i) {
        const QString pair = names.at(i) + QStringLiteral(" = ") + values.at(i);
        lines.append(numbered ? QStringLiteral("(%1) ").arg(i) + pair : pair);
    }
    writeLines(lines);
}
