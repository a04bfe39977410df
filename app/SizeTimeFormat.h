#pragma once

#include <QString>
#include <QTime>

// Byte counts for people: "1.50 MB", "3 KB" (a positive count never shows as 0 KB), "0KB" for none.
// Decimal uses powers of 1000, binary powers of 1024.
QString FormatSizeDecimal(qint64 bytes);
QString FormatSizeBinary(qint64 bytes);

// Reads "1.5 GB", "20 MB", "3 KB" back into bytes; 0 for text without a unit or number.
qint64 ParseSizeDecimal(const QString& text);
qint64 ParseSizeBinary(const QString& text);

// Without keepMilliseconds the time is rounded to the second (above 500 ms rounds up). Durations
// beyond 23 hours give an invalid time.
QTime MillisecondsToTime(quint32 milliseconds, bool keepMilliseconds);
int TimeToMilliseconds(const QTime& time);

// "hh:mm:ss" (rounded) or "hh:mm:ss.zzz"; hours do not wrap. A negative duration counts as 0.
QString FormatDuration(int milliseconds, bool keepMilliseconds);

// "h:mm:ss.zzz" -> milliseconds. Text without ":" is read as milliseconds only; 0 when the value
// does not fit.
qint64 ParseTimecode(const QString& text);
