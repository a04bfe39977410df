#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QString>

// "Normal", "Recovery" or "DFU" for the device modes 0 to 2; empty for any other value.
QString DeviceModeName(int mode);

// How a device is listed: its bare name in normal mode, "name [mode]" in recovery and DFU mode. A mode
// outside the table (a device that has just left reports -1) lists the bare name.
QString DeviceEntryText(const QString& name, int mode);

// The decimal text of a device id, by which the engine finds a device again after it re-enumerates.
QString DeviceIdText(quint64 id);

// Progress in tenths of a percent (0 to 1000): the whole part of done / total * 1000, computed in single
// precision. An unknown total (0) gives 0, and done beyond total gives 1000.
float ProgressPermille(quint64 done, quint64 total);
