#include "CUpdateRuleReader.h"

#include "ConfinedPath.h"

#include "app/CVersion.h"
#include "app/FileUtils.h"
#include "app/TextLog.h"
#include "app/XmlLimits.h"
#include "platform/PatchLauncher.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString kAppPath = QStringLiteral("%APPPATH%");

bool SameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The value of an attribute that counts as "on" or "true" when it is absent.
bool AttributeIs(const QDomElement& element, const QString& name, const QString& wanted) {
    return SameText(element.attribute(name, wanted), wanted);
}

QDomElement FirstChildNamed(const QDomElement& parent, const QString& name) {
    for (QDomElement child = parent.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (SameText(child.tagName(), name))
            return child;
    }
    return QDomElement();
}

} // namespace

int CompareVersionFields(const QString& a, const QString& b) {
    const QStringList first = a.split(QLatin1Char('.'));
    const QStringList second = b.split(QLatin1Char('.'));
    for (int i = 0; i < first.size() && i < second.size(); ++i) {
        const int x = first.at(i).toInt();
        const int y = second.at(i).toInt();
        if (x < y)
            return 0;
        if (x > y)
            return 2;
    }
    return 1;
}

CUpdateRuleReader::CUpdateRuleReader(const RuleContext& context)
    : m_context(context), m_log(std::make_unique<TextLog>(context.LogPath)) {}

CUpdateRuleReader::~CUpdateRuleReader() = default;

void CUpdateRuleReader::ReadRules(PatchFileList& list, const QString& rulesPath) {
    // Held to the same bounds as every other XML file: the rules come from the network.
    QByteArray bytes;
    QString why;
    if (!XmlLimits::ReadFile(rulesPath, &bytes, &why)) {
        if (QFileInfo::exists(rulesPath))
            WriteLog(TextLog::Warning, QStringLiteral("Update rules \"%1\" not read: %2.").arg(rulesPath, why));
        return;
    }
    QDomDocument document;
    document.setContent(bytes, true);
    const QDomElement root = document.documentElement();
    if (!SameText(root.tagName(), QStringLiteral("update")) ||
        SameText(root.attribute(QStringLiteral("switch")), QStringLiteral("off")))
        return;

    const QDomElement platform = FirstChildNamed(root, platform::patchRulesPlatformName());
    m_commonPatch = FindCommonPatch(platform);
    const QDomElement productPatch = FindProductPatch(platform);
    if (productPatch.isNull() || !AttributeIs(productPatch, QStringLiteral("switch"), QStringLiteral("on")))
        return;
    if (AttributeIs(productPatch, QStringLiteral("private"), QStringLiteral("true")))
        ReadPrivateRules(list, productPatch);
    else
        ReadCommonRules(list);
}

QDomElement CUpdateRuleReader::FindCommonPatch(const QDomElement& platform) const {
    for (QDomElement child = platform.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (SameText(child.tagName(), QStringLiteral("Patch")) &&
            SameText(child.attribute(QStringLiteral("product")), QStringLiteral("common")))
            return child;
    }
    return QDomElement();
}

QDomElement CUpdateRuleReader::FindProductPatch(const QDomElement& platform) const {
    for (QDomElement brand = platform.firstChildElement(); !brand.isNull(); brand = brand.nextSiblingElement()) {
        if (!SameText(brand.tagName(), m_context.Brand))
            continue;
        for (QDomElement patch = brand.firstChildElement(); !patch.isNull(); patch = patch.nextSiblingElement()) {
            if (SameText(patch.tagName(), QStringLiteral("Patch")) &&
                SameText(patch.attribute(QStringLiteral("product")), m_context.RegName) &&
                SameText(patch.attribute(QStringLiteral("version")), m_context.Version))
                return patch;
        }
    }
    return QDomElement();
}

void CUpdateRuleReader::ReadPrivateRules(PatchFileList& list, const QDomElement& productPatch) {
    for (QDomElement rule = productPatch.firstChildElement(); !rule.isNull(); rule = rule.nextSiblingElement()) {
        if (AttributeIs(rule, QStringLiteral("private"), QStringLiteral("true")))
            EvaluateFileRule(list, rule);
        else
            EvaluateFileRule(list, FindCommonFile(rule.attribute(QStringLiteral("path"))));
    }
}

void CUpdateRuleReader::ReadCommonRules(PatchFileList& list) {
    for (QDomElement rule = m_commonPatch.firstChildElement(); !rule.isNull(); rule = rule.nextSiblingElement())
        EvaluateFileRule(list, rule);
}

QDomElement CUpdateRuleReader::FindCommonFile(const QString& path) const {
    for (QDomElement rule = m_commonPatch.firstChildElement(); !rule.isNull(); rule = rule.nextSiblingElement()) {
        if (rule.attribute(QStringLiteral("path")) == path)
            return rule;
    }
    return QDomElement();
}

void CUpdateRuleReader::EvaluateFileRule(PatchFileList& list, const QDomElement& rule) {
    if (rule.isNull())
        return;
    PatchFileInfo info;
    info.value = rule.attribute(QStringLiteral("version"));
    info.type = QStringLiteral("Version");
    if (info.value.isEmpty()) {
        info.value = rule.attribute(QStringLiteral("MD5"));
        info.type = QStringLiteral("MD5");
    }
    if (info.value.isEmpty())
        return;
    info.path = ExpandAppPath(rule.attribute(QStringLiteral("path")));
    info.url = rule.attribute(QStringLiteral("url"));

    // The launcher replaces the file with administrator rights: nothing outside the program folder.
    if (!IsConfinedToFolder(m_context.ProgramDir, info.path)) {
        WriteLog(TextLog::Warning,
                 QStringLiteral("\"%1\" lies outside the program folder, rule refused.").arg(info.path));
        return;
    }
    if (!QFileInfo::exists(info.path)) {
        list.append(info);
        WriteLog(TextLog::Info, QStringLiteral("\"%1\" not found, add to update list.").arg(info.path));
    } else if (CheckRule(info.type, info.value, info.path) == 0) {
        list.append(info);
        WriteLog(TextLog::Info,
                 QStringLiteral("\"%1\" conform to the update rules, add to update list.").arg(info.path));
    }
}

QString CUpdateRuleReader::ExpandAppPath(const QString& path) const {
    QString expanded = path;
    if (m_context.ProgramDir.endsWith(QDir::separator()))
        expanded.replace(kAppPath + QLatin1Char('/'), m_context.ProgramDir);
    else
        expanded.replace(kAppPath, m_context.ProgramDir);
    return ToNativeSeparators(expanded);
}

int CUpdateRuleReader::CheckRule(const QString& type, const QString& value, const QString& path) const {
    if (SameText(type, QStringLiteral("Version"))) {
        const QString fileVersion = CVersion::FileVersionText(path);
        if (fileVersion.isEmpty())
            return 0;
        return CompareVersionFields(fileVersion, value);
    }
    if (SameText(type, QStringLiteral("MD5")))
        return FileMd5(path) != value ? 0 : 1;
    return 2;
}

QString CUpdateRuleReader::FileMd5(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

void CUpdateRuleReader::WriteLog(int level, const QString& message) {
    m_log->WriteString(level, message, true);
}
