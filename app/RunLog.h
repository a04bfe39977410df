#pragma once

#include "TextLog.h"

// The process-wide run log, "Log/myrun.log" in the program's data folder.
//
// Code writes `RunLog->WriteString(...)` at any time: before OpenRunLog (or after CloseRunLog) the
// line goes to a log that drops it, so an early or late write can never crash the program.
class RunLogHandle {
public:
    TextLog* operator->() const;
    TextLog& operator*() const { return *operator->(); }
    // True once the run log has been opened.
    explicit operator bool() const;
};

extern const RunLogHandle RunLog;

// Creates "<dataDir>/Log", opens "myrun.log" in it as the run log (replacing an open one) and
// writes the start-up line with the edition's version and platform word. Returns whether the file
// could be opened; when not, the program runs on and its log lines are dropped.
bool OpenRunLog(const QString& dataDir, const QString& versionText, const QString& platformWord);

// Closes the run log; later writes are dropped again.
void CloseRunLog();

// "<dataDir>/Log/myrun.log" with native separators.
QString RunLogPath(const QString& dataDir);
