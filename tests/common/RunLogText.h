#pragma once

// What the run log holds so far, for a test to look for the line a step wrote.

#include "app/RunLog.h"

#include <QFile>
#include <QString>

inline QString RunLogText() {
    QFile file(RunLog->FilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
