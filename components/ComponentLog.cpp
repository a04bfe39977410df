#include "ComponentLog.h"

#include "app/RunLog.h"

#include <QDebug>

namespace ComponentLog {

void Debug(const QString& text) {
    qDebug().noquote() << text;
}

void Warning(const QString& text) {
    qWarning().noquote() << text;
    RunLog->WriteString(TextLog::Warning, text, true);
}

void Critical(const QString& text) {
    qCritical().noquote() << text;
    RunLog->WriteString(TextLog::Error, text, true);
}

} // namespace ComponentLog
