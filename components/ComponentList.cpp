#include "ComponentList.h"

#include "ComponentLog.h"

#include "app/EditionData.h"
#include "app/XmlLimits.h"

#include <QDomDocument>
#include <QRegularExpression>

namespace {

const char kListVariable[] = "MENDRA_COMPONENT_LIST";

} // namespace

bool ComponentList::IsSafeFileName(const QString& file) {
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_+-][A-Za-z0-9._+-]*$"));
    return safe.match(file).hasMatch();
}

ComponentList ComponentList::Refused(const QString& why) {
    ComponentLog::Critical(QStringLiteral("Component list: ") + why);
    ComponentList list;
    list.m_error = why;
    return list;
}

ComponentList ComponentList::FromElement(const QDomElement& components) {
    ComponentList list;
    if (components.isNull() || components.tagName() != QLatin1String("Components")) {
        list.m_error = QStringLiteral("no <Components> element");
        return list;
    }
    static const QRegularExpression digest(QStringLiteral("^[0-9a-fA-F]{64}$"));
    for (QDomElement element = components.firstChildElement(QStringLiteral("Package")); !element.isNull();
         element = element.nextSiblingElement(QStringLiteral("Package"))) {
        ComponentPackage package;
        package.arch = element.attribute(QStringLiteral("arch")).trimmed();
        package.file = element.attribute(QStringLiteral("file")).trimmed();
        const QString sha256 = element.attribute(QStringLiteral("sha256")).trimmed();
        if (package.arch.isEmpty() || !IsSafeFileName(package.file) || !digest.match(sha256).hasMatch()) {
            ComponentLog::Warning(QStringLiteral("Component list: package entry dropped (arch \"%1\", file \"%2\", "
                                                 "sha256 \"%3\")")
                                      .arg(package.arch, package.file, sha256));
            continue;
        }
        package.sha256 = sha256.toLower().toLatin1();
        list.m_packages.append(package);
    }
    return list;
}

ComponentList ComponentList::FromFile(const QString& path) {
    QByteArray bytes;
    QString why;
    if (!XmlLimits::ReadFile(path, &bytes, &why))
        return Refused(path + QStringLiteral(" ") + why);
    QDomDocument document;
    if (!document.setContent(bytes, false, &why))
        return Refused(path + QStringLiteral(" cannot be parsed: ") + why);
    const ComponentList list = FromElement(document.documentElement());
    return list.m_error.isEmpty() ? list : Refused(path + QStringLiteral(": ") + list.m_error);
}

ComponentList ComponentList::Load() {
    const QString path = qEnvironmentVariable(kListVariable);
    if (!path.isEmpty())
        return FromFile(path);
    if (!gAppData)
        return Refused(QStringLiteral("no edition data"));
    const QDomElement components = gAppData->Document.documentElement().firstChildElement(QStringLiteral("Components"));
    const ComponentList list = FromElement(components);
    return list.m_error.isEmpty() ? list : Refused(QStringLiteral("the edition's: ") + list.m_error);
}

bool ComponentList::find(const QString& arch, ComponentPackage* package) const {
    for (const ComponentPackage& candidate : m_packages) {
        if (candidate.arch == arch) {
            if (package)
                *package = candidate;
            return true;
        }
    }
    return false;
}
