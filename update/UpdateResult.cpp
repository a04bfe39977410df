#include "UpdateResult.h"

#include <QObject>

QString resultMessage(int code) {
    const QString withCode = QStringLiteral("%1 (%2)");
    if (code == -100)
        return QObject::tr("Time out in requesting background data. (-100)");
    if (code >= -7 && code <= -2)
        return withCode.arg(QObject::tr("Internal data error.")).arg(code);
    if (code == -1)
        return withCode
            .arg(QObject::tr("Program can't connect to the Internet. You could modify the Proxy settings in "
                             "\"Settings - Connection\"."))
            .arg(code);
    switch (code) {
    case UpdateResult::NoProduct:
        return QObject::tr("Update:failed to find product record.");
    case UpdateResult::NewerVersion:
        return QObject::tr("Updateable");
    case UpdateResult::NewestInUse:
        return QObject::tr("Update:you are using the newest version.");
    case UpdateResult::NotXml:
        return withCode.arg(QObject::tr("Update:xml data error.")).arg(code);
    default:
        return withCode.arg(QObject::tr("Other errors. Please contact our Customer Service Center.")).arg(code);
    }
}
