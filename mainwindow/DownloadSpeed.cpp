#include "DownloadSpeed.h"

#include <chrono>

namespace {
quint64 lastTick = 0;
quint64 lastBytes = 0;

quint64 SystemTickMilliseconds() {
    using namespace std::chrono;
    return static_cast<quint64>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

DownloadRateClock& Clock() {
    static DownloadRateClock clock = SystemTickMilliseconds;
    return clock;
}
} // namespace

void SetDownloadRateClock(DownloadRateClock clock) {
    Clock() = clock ? std::move(clock) : DownloadRateClock(SystemTickMilliseconds);
    lastTick = 0;
    lastBytes = 0;
}

int MeasureDownloadRate(quint64 bytesDone) {
    const quint64 now = Clock()();
    int rate = -1;
    if (lastTick != 0 && bytesDone >= lastBytes) {
        // The tick count is read as 32 bits wide, so a wrap between two samples still gives the right span.
        const quint32 elapsed = static_cast<quint32>(now - lastTick);
        if (elapsed != 0)
            rate = static_cast<int>((bytesDone - lastBytes) * 1000 / elapsed);
    }
    lastTick = now;
    lastBytes = bytesDone;
    return rate;
}

QString FormatDownloadRate(int rate) {
    if (rate > 1048576)
        return QString::asprintf("%0.2f MB/s", static_cast<float>(rate) / 1048576.0);
    if (rate > 1024)
        return QString::asprintf("%0.0f KB/s", static_cast<float>(rate) / 1024.0);
    if (rate > 0)
        return QString::asprintf("%d B/s", rate);
    return QString();
}

QString FormatDownloadSpeed(quint64 bytesDone) {
    return FormatDownloadRate(MeasureDownloadRate(bytesDone));
}
