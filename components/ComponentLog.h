#pragma once

#include <QString>

// The component install's diagnostics: every line goes to Qt's message handler, and what went wrong
// also to the run log, which is what a user sends along with a bug report.
namespace ComponentLog {

void Debug(const QString& text);
void Warning(const QString& text);
void Critical(const QString& text);

} // namespace ComponentLog
