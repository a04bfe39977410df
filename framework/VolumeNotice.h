#pragma once

#include <QString>

// Flag values of a removed volume's notice: media was taken out of a drive, or a network share went.
constexpr quint16 VolumeFlagMedia = 0x1;
constexpr quint16 VolumeFlagNetwork = 0x2;

// Drive letter of a removed local volume: the lowest set bit of unitMask, bit 0 being "A". Empty when
// nothing should be reported: a network volume, or a mask without any of the 26 drive bits.
QString RemovedVolumeLetter(quint32 unitMask, quint16 volumeFlags);
