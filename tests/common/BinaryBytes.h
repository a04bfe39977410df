#pragma once

#include <QByteArray>

// Bytes of every value, so that no encoding step can get away with text-only handling.
inline QByteArray BinaryBytes(int size) {
    QByteArray bytes(size, '\0');
    quint32 state = 0x12345678u;
    for (int i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(state >> 24);
    }
    return bytes;
}
