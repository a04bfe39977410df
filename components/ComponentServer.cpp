#include "ComponentServer.h"

#include "app/EditionData.h"

namespace ComponentServer {

namespace {

QUrl Refuse(QString* why, const QString& reason) {
    if (why)
        *why = reason;
    return QUrl();
}

QString ConfiguredAddress(QString* source) {
    const QString override = qEnvironmentVariable("MENDRA_COMPONENT_SERVER");
    if (!override.isEmpty()) {
        *source = QStringLiteral("MENDRA_COMPONENT_SERVER");
        return override;
    }
    *source = QStringLiteral("the edition's <ComponentServer>");
    if (!gAppData)
        return QString();
    return gAppData->Document.documentElement().firstChildElement(QStringLiteral("ComponentServer")).text().trimmed();
}

} // namespace

QString PackageFolder() {
    return QStringLiteral("/update/linux/Tavik Sorvanta/components/");
}

QUrl Address(QString* why) {
    QString source;
    const QString text = ConfiguredAddress(&source);
    if (text.isEmpty())
        return Refuse(why, source + QStringLiteral(" is empty"));
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return Refuse(why, source + QStringLiteral(" \"") + text + QStringLiteral("\" is not an address"));
    if (url.scheme() != QLatin1String("https"))
        return Refuse(why, source + QStringLiteral(" \"") + text + QStringLiteral("\" is not an https address"));
    if ((!url.path().isEmpty() && url.path() != QLatin1String("/")) || url.hasQuery() || url.hasFragment() ||
        !url.userInfo().isEmpty())
        return Refuse(why,
                      source + QStringLiteral(" \"") + text + QStringLiteral("\" has more than scheme, host and port"));
    QUrl address;
    address.setScheme(url.scheme());
    address.setHost(url.host());
    address.setPort(url.port());
    return address;
}

QUrl PackageUrl(const QString& file, QString* why) {
    QUrl url = Address(why);
    if (url.isEmpty())
        return url;
    url.setPath(PackageFolder() + file);
    return url;
}

} // namespace ComponentServer
