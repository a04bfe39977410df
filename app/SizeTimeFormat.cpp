#include "SizeTimeFormat.h"

#include <cmath>
#include <limits>

namespace {

struct Units {
    qint64 giga;
    qint64 mega;
    qint64 kilo;
};

constexpr Units decimalUnits{1000000000LL, 1000000LL, 1000LL};
constexpr Units binaryUnits{1073741824LL, 1048576LL, 1024LL};

QString formatSize(qint64 bytes, const Units& units) {
    if (bytes <= 0)
        return QStringLiteral("0KB");
    if (bytes / units.giga >= 1)
        return QString::asprintf("%.2f GB", static_cast<double>(static_cast<float>(double(bytes) / units.giga)));
    if (bytes / units.mega >= 1)
        return QString::asprintf("%.2f MB", static_cast<double>(static_cast<float>(double(bytes) / units.mega)));
    return QString::asprintf("%lld KB", static_cast<long long>(qMax<qint64>(1, bytes / units.kilo)));
}

qint64 parseSize(const QString& text, const Units& units) {
    const struct {
        const char* unit;
        qint64 factor;
    } steps[] = {{"GB", units.giga}, {"MB", units.mega}, {"KB", units.kilo}};
    for (const auto& step : steps) {
        const int at = text.lastIndexOf(QLatin1String(step.unit));
        if (at <= 0)
            continue;
        bool ok = false;
        const double value = text.left(at).simplified().toDouble(&ok) * step.factor;
        if (!ok || std::isnan(value))
            return 0;
        // Saturate instead of overflowing the conversion for absurd values.
        if (value >= double(std::numeric_limits<qint64>::max()))
            return std::numeric_limits<qint64>::max();
        if (value <= double(std::numeric_limits<qint64>::min()))
            return std::numeric_limits<qint64>::min();
        return static_cast<qint64>(value);
    }
    return 0;
}

struct Split {
    qint64 hours;
    int minutes;
    int seconds;
    int milliseconds;
};

// Rounding to the nearest second carries into minutes and hours; the hours do not wrap.
Split splitDuration(qint64 milliseconds, bool keepMilliseconds) {
    qint64 seconds = milliseconds / 1000;
    const int rest = int(milliseconds % 1000);
    if (!keepMilliseconds && rest > 500)
        ++seconds;
    return {seconds / 3600, int(seconds / 60 % 60), int(seconds % 60), keepMilliseconds ? rest : 0};
}

qint64 readNumber(const QString& part) {
    return part.isEmpty() ? 0 : part.toLongLong(nullptr, 10);
}

} // namespace

QString FormatSizeDecimal(qint64 bytes) {
    return formatSize(bytes, decimalUnits);
}

QString FormatSizeBinary(qint64 bytes) {
    return formatSize(bytes, binaryUnits);
}

qint64 ParseSizeDecimal(const QString& text) {
    return parseSize(text, decimalUnits);
}

qint64 ParseSizeBinary(const QString& text) {
    return parseSize(text, binaryUnits);
}

QTime MillisecondsToTime(quint32 milliseconds, bool keepMilliseconds) {
    const Split s = splitDuration(milliseconds, keepMilliseconds);
    if (s.hours > 23)
        return QTime();
    return QTime(int(s.hours), s.minutes, s.seconds, s.milliseconds);
}

int TimeToMilliseconds(const QTime& time) {
    return time.isValid() ? time.msecsSinceStartOfDay() : 0;
}

QString FormatDuration(int milliseconds, bool keepMilliseconds) {
    const Split s = splitDuration(qMax(0, milliseconds), keepMilliseconds);
    if (keepMilliseconds)
        return QString::asprintf("%02lld:%02d:%02d.%03d", static_cast<long long>(s.hours), s.minutes, s.seconds,
                                 s.milliseconds);
    return QString::asprintf("%02lld:%02d:%02d", static_cast<long long>(s.hours), s.minutes, s.seconds);
}

qint64 ParseTimecode(const QString& text) {
    const int firstColon = text.indexOf(QLatin1Char(':'));
    const int lastColon = text.lastIndexOf(QLatin1Char(':'));
    const int dot = text.lastIndexOf(QLatin1Char('.'));
    qint64 hours = 0;
    qint64 minutes = 0;
    qint64 seconds = 0;
    if (firstColon >= 0) {
        hours = readNumber(text.left(firstColon));
        minutes = readNumber(text.mid(firstColon + 1, 2));
        seconds = readNumber(text.mid(lastColon + 1, 2));
    }
    const qint64 milliseconds = readNumber(text.mid(dot + 1));
    qint64 total = 0;
    if (__builtin_mul_overflow(hours, 3600, &total) || __builtin_add_overflow(total, minutes * 60 + seconds, &total) ||
        __builtin_mul_overflow(total, 1000, &total) || __builtin_add_overflow(total, milliseconds, &total))
        return 0;
    return total;
}
