#include "CUpdateRuleReader.h"

#include "ConfinedPath.h"
#include "RulesPrologue.h"
#include "app/LogText.h"

#include "app/FileUtils.h"
#include "app/TextLog.h"
#include "app/XmlLimits.h"
#include "platform/FileVersion.h"
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

constexpr qint64 kDigestBlock = 1024 * 1024;

// The rules file as bytes for the parser, held to the bounds of every XML file the program reads, and with
// nothing before its root element that could make the parser's work any larger.
bool ReadRulesFile(const QString& path, QByteArray* bytes, QString* why) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("cannot be opened: %1").arg(file.errorString());
        return false;
    }
    if (file.size() > XmlLimits::MaxBytes) {
        *why = QStringLiteral("larger than %1 bytes").arg(XmlLimits::MaxBytes);
        return false;
    }
    const QByteArray data = file.read(XmlLimits::MaxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        *why = QStringLiteral("cannot be read: %1").arg(file.errorString());
        return false;
    }
    if (data.size() <= XmlLimits::MaxBytes) {
        *why = RulesPrologueFault(data);
        if (!why->isEmpty())
            return false;
    }
    if (!XmlLimits::Check(data, why))
        return false;
    *bytes = data;
    return true;
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

CUpdateRuleReader::CUpdateRuleReader(const RuleContext& context, const std::atomic_bool* stop)
    : m_context(context), m_stop(stop), m_log(std::make_unique<TextLog>(context.LogPath)) {}

CUpdateRuleReader::~CUpdateRuleReader() = default;

bool CUpdateRuleReader::ReadRules(PatchFileList& list, const QString& rulesPath, QString* why) {
    // The rules come from the network.
    QByteArray bytes;
    QString reason;
    if (!ReadRulesFile(rulesPath, &bytes, &reason)) {
        if (QFileInfo::exists(rulesPath))
            WriteLog(
                TextLog::Warning,
                QStringLiteral("Update rules \"%1\" not read: %2.").arg(LogLineText(rulesPath), LogLineText(reason)));
        if (why)
            *why = reason;
        return false;
    }
    QDomDocument document;
    document.setContent(bytes, true);
    const QDomElement root = document.documentElement();
    if (!SameText(root.tagName(), QStringLiteral("update"))) {
        if (why)
            *why = QStringLiteral("its root element is not \"update\"");
        return false;
    }
    if (SameText(root.attribute(QStringLiteral("switch")), QStringLiteral("off")))
        return true;

    const QDomElement platform = FirstChildNamed(root, platform::patchRulesPlatformName());
    m_commonPatch = FindCommonPatch(platform);
    IndexCommonRules();
    const QDomElement productPatch = FindProductPatch(platform);
    if (productPatch.isNull() || !AttributeIs(productPatch, QStringLiteral("switch"), QStringLiteral("on")))
        return true;
    if (AttributeIs(productPatch, QStringLiteral("private"), QStringLiteral("true")))
        ReadPrivateRules(list, productPatch);
    else
        ReadCommonRules(list);
    return true;
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
        WriteLog(TextLog::Warning,
                 QStringLiteral("\"%1\" holds a backslash, rule refused.").arg(LogLineText(rulePath)));
        return;
    }
    info.path = ExpandAppPath(rulePath);
    // The launcher replaces the file with administrator rights: nothing outside the program folder.
    if (!IsConfinedToFolder(m_context.ProgramDir, info.path)) {
        WriteLog(TextLog::Warning,
                 QStringLiteral("\"%1\" lies outside the program folder, rule refused.").arg(LogLineText(info.path)));
        return;
    }
    if (!QFileInfo::exists(info.path)) {
        list.append(info);
        WriteLog(TextLog::Info, QStringLiteral("\"%1\" not found, add to update list.").arg(LogLineText(info.path)));
        return;
    }
    // Opened without waiting for anything: a FIFO would hold the check for good, a device might start.
    QFile file;
    platform::FileIdentity identity;
    QString kind;
    if (platform::openResolvedRegularFile(info.path, &file, &identity, &kind) == platform::OpenResult::NotRegular) {
        WriteLog(TextLog::Warning,
                 QStringLiteral("\"%1\" is %2, not a regular file, rule refused.").arg(LogLineText(info.path), kind));
        return;
    }
    // A file that could not be opened counts as needing the update.
    if (CheckRule(info.type, info.value, file, identity) == 0 && !Stopped()) {
        list.append(info);
        WriteLog(TextLog::Info,
                 QStringLiteral("\"%1\" conform to the update rules, add to update list.").arg(LogLineText(info.path)));
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

int CUpdateRuleReader::CheckRule(const QString& type, const QString& value, QFile& file,
                                 const platform::FileIdentity& identity) {
    if (SameText(type, QStringLiteral("Version"))) {
        const QString fileVersion = FileVersion(file, identity);
        if (fileVersion.isEmpty())
            return 0;
        return CompareVersionFields(fileVersion, value);
    }
    if (SameText(type, QStringLiteral("MD5")))
        return FileMd5(file, identity) != value ? 0 : 1;
    return 2;
}

QString CUpdateRuleReader::FileMd5(QFile& file, const platform::FileIdentity& identity) {
    if (!file.isOpen())
        return QString();
    FileFacts& facts = m_facts[identity];
    if (facts.md5Known)
        return facts.md5;
    // In blocks, so that a stop is seen within one block of a large file.
    QCryptographicHash hash(QCryptographicHash::Md5);
    QByteArray block;
    file.seek(0);
    while (!file.atEnd()) {
        if (Stopped())
            return QString();
        block = file.read(kDigestBlock);
        if (block.isEmpty())
            return QString();
        hash.addData(block);
    }
    facts.md5 = QString::fromLatin1(hash.result().toHex());
    facts.md5Known = true;
    return facts.md5;
}

QString CUpdateRuleReader::FileVersion(QFile& file, const platform::FileIdentity& identity) {
    if (!file.isOpen())
        return QString();
    FileFacts& facts = m_facts[identity];
    if (!facts.versionKnown) {
        facts.version = platform::fileVersion(file);
        facts.versionKnown = true;
    }
    return facts.version;
}

bool CUpdateRuleReader::Stopped() const {
    return m_stop && m_stop->load();
}

void CUpdateRuleReader::WriteLog(int level, const QString& message) {
    m_log->WriteString(level, message, true);
}
