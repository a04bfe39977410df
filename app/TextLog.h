#pragma once

#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QFile;
class QTextStream;

// A line-oriented text log for people to read: each line starts with a severity tag, optionally
// ends with a time stamp, and is flushed before the call returns so a crash loses nothing.
// Lines are UTF-8 with "\n" line ends. Writing is thread-safe.
class TextLog {
public:
    // Levels index the tag table; anything else is written with a "[Level n]" tag.
    enum Level { Info = 0, Warning = 1, Error = 2, Failed = 3 };

    // A file larger than this is deleted when the log is opened, so the log never keeps growing
    // from one run to the next.
    static constexpr qint64 MaxSizeOnOpen = 1048576;

    using Clock = std::function<QDateTime()>;

    // Opens (creates) the file for appending. A log that cannot be opened drops every line
    // silently: logging must never take the program down.
    explicit TextLog(const QString& path);
    ~TextLog();

    TextLog(const TextLog&) = delete;
    TextLog& operator=(const TextLog&) = delete;

    void WriteString(int level, const QString& message, bool withTime);
    // For messages from C code; the bytes are read as UTF-8. The time stamp has milliseconds.
    void WriteChars(int level, const char* message, bool withTime);
    void WritePlainString(const QString& text);
    void WritePlainChars(const char* text);
    void WriteNewLine();
    void WriteList(const QStringList& items, bool numbered);
    void WritePairs(const QStringList& names, const QStringList& values, bool numbered);

    void Open();
    void Close();
    bool IsOpen() const;
    QString FilePath() const;

    // The source of the time stamps; tests set a fixed clock.
    void SetClock(Clock clock);

    static QString Tag(int level);

private:
    void writeTagged(int level, const QString& message, bool withTime, bool withMilliseconds);
    void writeLines(const QStringList& lines);

    mutable QMutex m_mutex;
    // Kept apart: a file opened on a descriptor forgets its name.
    const QString m_path;
    QFile* file;
    QTextStream* stream;
    QVector<QString> tags;
    Clock m_clock;
};
