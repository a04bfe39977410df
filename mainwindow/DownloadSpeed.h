#pragma once

#include <QString>
#include <QtGlobal>

// Bytes per second since the previous sample of the cumulative byte count, or -1 when there is no
// previous sample, the count went backwards or no time has passed. One process-wide sample: only the
// GUI thread measures, one download at a time.
int MeasureDownloadRate(quint64 bytesDone);
// The rate as "1.00 MB/s", "12 KB/s" or "512 B/s"; empty when there is no rate to show.
QString FormatDownloadSpeed(quint64 bytesDone);
// The same for a rate already measured.
QString FormatDownloadRate(int rate);
