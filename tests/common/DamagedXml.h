#pragma once

// Damaged forms of a well-formed XML file, as a crash, a full disk, a wrong copy or a hostile hand leave
// them. Each reader's test makes them from its own valid file, so that everything the reader wants stands
// in the file before the damage: a reader that streams must still refuse the whole file.

#include "app/XmlLimits.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QtTest>

namespace DamagedXml {

enum class Damage { Truncated, Binary, Deep, JustTooDeep, Large };

// The 8000 levels that crashed every start of the program when its settings file held them.
constexpr int kDeepLevels = 8000;
constexpr int kLargeBytes = 5 * 1024 * 1024;

inline QByteArray Nested(int levels) {
    return QByteArray("<d>").repeated(levels) + QByteArray("</d>").repeated(levels);
}

// valid must end with its root's end tag (trailing blanks allowed); the nesting and the padding go just
// before it, one level below the root.
inline QByteArray Apply(const QByteArray& valid, Damage damage) {
    const int rootEnd = valid.lastIndexOf("</");
    const auto insert = [&](const QByteArray& inner) { return valid.left(rootEnd) + inner + valid.mid(rootEnd); };
    switch (damage) {
    case Damage::Truncated:
        return valid.left(valid.size() / 2);
    case Damage::Binary: {
        QByteArray bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        for (int i = 0; i < 4096; ++i)
            bytes += char((i * 37 + 11) & 0xff);
        return bytes;
    }
    case Damage::Deep:
        return insert(Nested(kDeepLevels));
    case Damage::JustTooDeep:
        // With the root, one level more than any reader takes.
        return insert(Nested(XmlLimits::MaxDepth));
    case Damage::Large:
        return insert("<Pad>" + QByteArray(kLargeBytes, 'x') + "</Pad>");
    }
    return valid;
}

// Every damage with the name of its table row.
inline QList<QPair<const char*, Damage>> All() {
    return {{"truncated", Damage::Truncated},
            {"binary", Damage::Binary},
            {"8000 levels deep", Damage::Deep},
            {"one level too deep", Damage::JustTooDeep},
            {"5 MiB", Damage::Large}};
}

// The rows of a reader's table: one per damage, in the column "damage".
inline void AddRows() {
    QTest::addColumn<int>("damage");
    for (const auto& row : All())
        QTest::newRow(row.first) << int(row.second);
}

} // namespace DamagedXml
