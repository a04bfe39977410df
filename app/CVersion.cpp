#include "CVersion.h"

#include "VersionCompare.h"
#include "platform/FileVersion.h"

#include <QScopedPointer>
#include <QStringList>

namespace {
QScopedPointer<CVersion>& instanceHolder() {
    static QScopedPointer<CVersion> holder;
    return holder;
}
} // namespace

CVersion::CVersion(QObject* parent) : QObject(parent) {}

CVersion::~CVersion() = default;

CVersion* CVersion::Instance() {
    QScopedPointer<CVersion>& holder = instanceHolder();
    if (!holder)
        holder.reset(new CVersion);
    return holder.data();
}

int CVersion::CompareVersion(const QString& a, const QString& b) {
    return CompareVersions(a, b);
}

QString CVersion::FileVersionText(const QString& filePath) {
    return platform::fileVersion(filePath);
}

QString CVersion::FormatBuildVersion(const QString& version) {
    QStringList fields = version.split(QLatin1Char('.'));
    while (fields.size() < 4)
        fields.append(QStringLiteral("0"));
    return tr("%1.%2.%3 (Build %4)")
        .arg(fields.at(0), fields.at(1), fields.at(2), fields.at(3).rightJustified(4, QLatin1Char('0')));
}

void CVersion::SetLocale(const QLocale& locale) {
    m_locale = locale;
}

QLocale CVersion::Locale() const {
    return m_locale;
}
