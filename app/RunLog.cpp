#include "RunLog.h"

#include "FileUtils.h"

#include <QAtomicPointer>
#include <QDir>

const RunLogHandle RunLog;

namespace {
// Never freed while the process runs: writers on late shut-down paths may still use it, and every
// line is flushed anyway.
QAtomicPointer<TextLog> g_runLog;

TextLog* droppingLog() {
    // A log without a file: its writes do nothing.
    static TextLog* const log = new TextLog(QString());
    return log;
}
} // namespace

TextLog* RunLogHandle::operator->() const {
    TextLog* log = g_runLog.loadAcquire();
    return log ? log : droppingLog();
}

RunLogHandle::operator bool() const {
    return g_runLog.loadAcquire() != nullptr;
}

QString RunLogPath(const QString& dataDir) {
    return QDir::toNativeSeparators(QDir(dataDir).filePath(QStringLiteral("Log/myrun.log")));
}

bool OpenRunLog(const QString& dataDir, const QString& versionText, const QString& platformWord) {
    // The Log folder also holds the patch check's request, which may name the proxy's password.
    MakePrivatePath(QDir(dataDir).filePath(QStringLiteral("Log")));
    auto* log = new TextLog(RunLogPath(dataDir));
    // The previous log is kept alive (see g_runLog): a writer on another thread may still hold it.
    TextLog* previous = g_runLog.fetchAndStoreOrdered(log);
    if (previous)
        previous->Close();
    log->WriteString(TextLog::Info,
                     QStringLiteral("Startup begin!!! QS:") + versionText + QStringLiteral(" Edition:") + platformWord,
                     true);
    return log->IsOpen();
}

void CloseRunLog() {
    TextLog* previous = g_runLog.fetchAndStoreOrdered(nullptr);
    if (previous)
        previous->Close();
}
