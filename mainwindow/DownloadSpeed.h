#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Bytes per second since the previous sample of the cumulative byte count, or -1 when there is no
// previous sample, the count went backwards or no time has passed. One process-wide sample: only the
// GUI thread measures, one download at a time.
int MeasureDownloadRate(quint64 bytesDone);
// The rate as "1.00 MB/s", "12 KB/s" or "512 B/s"; empty when there is no rate to show.
QString FormatDownloadSpeed(quint64 bytesDone);
// The same for a rate already measured.
QString FormatDownloadRate(int rate);

// The tick source of the measurement in milliseconds (the system's monotonic clock unless replaced;
// an empty function puts it back). Replacing it forgets the last sample: ticks of two clocks do not compare.
using DownloadRateClock = std::function<quint64()>;
void SetDownloadRateClock(DownloadRateClock clock);
