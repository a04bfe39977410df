#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// A program and its argument list, started as such (never joined into a shell string).
struct CommandLine {
    QString program;
    QStringList arguments;
};

} // namespace platform
