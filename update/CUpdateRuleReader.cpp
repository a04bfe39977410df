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

// Text from the rules as it goes into a line of the log: a line end or any other control character in a path
// would otherwise start a line of the server's choosing.
QString LogText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const ushort code = c.unicode();
        const QChar::Category category = c.category();
        if (code < 0x80 && (code < 0x20 || code == 0x7f))
            out += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
        else if (category == QChar::Other_Control || category == QChar::Other_Format ||
                 category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            out += QStringLiteral("\\u%1").arg(code, 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

constexpr qint64 kDigestBlock = 1024 * 1024;

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

CUpdateRuleReader::CUpdateRuleReader(const RuleContext& context, const std::atomic_bool* stop)
    : m_context(context), m_stop(stop), m_log(std::make_unique<TextLog>(context.LogPath)) {}

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
    IndexCommonRules();
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
    for (QDomElement rule = productPatch.firstChildElement(); !rule.isNull() && !Stopped();
         rule = rule.nextSiblingElement()) {
        if (AttributeIs(rule, QStringLiteral("private"), QStringLiteral("true")))
            EvaluateFileRule(list, rule);
        else
            EvaluateFileRule(list, FindCommonFile(rule.attribute(QStringLiteral("path"))));
    }
}

void CUpdateRuleReader::ReadCommonRules(PatchFileList& list) {
    for (QDomElement rule = m_commonPatch.firstChildElement(); !rule.isNull() && !Stopped();
         rule = rule.nextSiblingElement())
        EvaluateFileRule(list, rule);
}

void CUpdateRuleReader::IndexCommonRules() {
    m_commonByPath.clear();
    for (QDomElement rule = m_commonPatch.firstChildElement(); !rule.isNull(); rule = rule.nextSiblingElement()) {
        const QString path = rule.attribute(QStringLiteral("path"));
        if (!m_commonByPath.contains(path))
            m_commonByPath.insert(path, rule);
    }
}

QDomElement CUpdateRuleReader::FindCommonFile(const QString& path) const {
    return m_commonByPath.value(path);
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
    const QString rulePath = rule.attribute(QStringLiteral("path"));
    info.url = rule.attribute(QStringLiteral("url"));

    // The launcher that replaces the file runs with administrator rights and may read a backslash as a
    // separator, where the checks below see none: such a path could step out of the program folder unseen.
    if (rulePath.contains(QLatin1Char('\\'))) {
        WriteLog(TextLog::Warning, QStringLiteral("\"%1\" holds a backslash, rule refused.").arg(LogText(rulePath)));
        return;
    }
    info.path = ExpandAppPath(rulePath);
    // The launcher replaces the file with administrator rights: nothing outside the program folder.
    if (!IsConfinedToFolder(m_context.ProgramDir, info.path)) {
        WriteLog(TextLog::Warning,
                 QStringLiteral("\"%1\" lies outside the program folder, rule refused.").arg(LogText(info.path)));
        return;
    }
    if (!QFileInfo::exists(info.path)) {
        list.append(info);
        WriteLog(TextLog::Info, QStringLiteral("\"%1\" not found, add to update list.").arg(LogText(info.path)));
    } else if (CheckRule(info.type, info.value, info.path) == 0 && !Stopped()) {
        list.append(info);
        WriteLog(TextLog::Info,
                 QStringLiteral("\"%1\" conform to the update rules, add to update list.").arg(LogText(info.path)));
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

int CUpdateRuleReader::CheckRule(const QString& type, const QString& value, const QString& path) {
    if (SameText(type, QStringLiteral("Version"))) {
        const QString fileVersion = FileVersion(path);
        if (fileVersion.isEmpty())
            return 0;
        return CompareVersionFields(fileVersion, value);
    }
    if (SameText(type, QStringLiteral("MD5")))
        return FileMd5(path) != value ? 0 : 1;
    return 2;
}

QString CUpdateRuleReader::FileMd5(const QString& path) {
    const auto known = m_md5s.constFind(path);
    if (known != m_md5s.constEnd())
        return known.value();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // In blocks, so that a stop is seen within one block of a large file.
    QCryptographicHash hash(QCryptographicHash::Md5);
    QByteArray block;
    while (!file.atEnd()) {
        if (Stopped())
            return QString();
        block = file.read(kDigestBlock);
        if (block.isEmpty())
            return QString();
        hash.addData(block);
    }
    const QString digest = QString::fromLatin1(hash.result().toHex());
    m_md5s.insert(path, digest);
    return digest;
}

QString CUpdateRuleReader::FileVersion(const QString& path) {
    const auto known = m_versions.constFind(path);
    if (known != m_versions.constEnd())
        return known.value();
    const QString version = CVersion::FileVersionText(path);
    m_versions.insert(path, version);
    return version;
}

bool CUpdateRuleReader::Stopped() const {
    return m_stop && m_stop->load();
}

void CUpdateRuleReader::WriteLog(int level, const QString& message) {
    m_log->WriteString(level, message, true);
}
