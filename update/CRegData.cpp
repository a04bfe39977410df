#include "CRegData.h"

#include "ServiceVersion.h"
#include "UpdateResult.h"
#include "UpdateTrace.h"
#include "app/RunLog.h"
#include "app/XmlLimits.h"

#include <tinyxml2.h>

#include <algorithm>

// The parser's own bound on nesting keeps its recursion off the end of the worker's stack; the program's
// tighter bound is then checked on the tree without recursion.
static_assert(TINYXML2_MAJOR_VERSION >= 9, "tinyxml2 bounds the depth it parses from version 9 on");

namespace {

// The deepest element of the document, counted from 1 for the root.
int ElementDepth(const tinyxml2::XMLDocument& document) {
    int deepest = 0;
    int depth = 1;
    const tinyxml2::XMLElement* element = document.FirstChildElement();
    while (element) {
        deepest = std::max(deepest, depth);
        if (const tinyxml2::XMLElement* child = element->FirstChildElement()) {
            element = child;
            ++depth;
            continue;
        }
        while (element && !element->NextSiblingElement()) {
            const tinyxml2::XMLNode* parent = element->Parent();
            element = parent ? parent->ToElement() : nullptr;
            --depth;
        }
        if (element)
            element = element->NextSiblingElement();
    }
    return deepest;
}

// Parses body into document; why it cannot be read, or empty. What the parser reads is taken as it reads it:
// blank lines ahead of the declaration, an entity it passes through and anything after the root element are
// no reason to refuse a reply. The size and nesting limits are the program's own.
QString Parse(const QByteArray& body, tinyxml2::XMLDocument& document) {
    if (body.size() > XmlLimits::MaxBytes)
        return QStringLiteral("larger than %1 bytes").arg(XmlLimits::MaxBytes);
    // The parser leaves its text empty for some errors (text after the root element).
    if (document.Parse(body.constData(), static_cast<size_t>(body.size())) != tinyxml2::XML_SUCCESS)
        return QStringLiteral("not XML (%1) %2")
            .arg(QString::fromUtf8(document.ErrorName()), QString::fromUtf8(document.ErrorStr()));
    if (ElementDepth(document) > XmlLimits::MaxDepth)
        return QStringLiteral("nested deeper than %1 elements").arg(XmlLimits::MaxDepth);
    return QString();
}

// The text of the named child element, or a null array when the element or its text is missing.
QByteArray ChildText(const tinyxml2::XMLElement* parent, const char* name) {
    const tinyxml2::XMLElement* child = parent ? parent->FirstChildElement(name) : nullptr;
    const char* text = child ? child->GetText() : nullptr;
    return text ? QByteArray(text) : QByteArray();
}

// Standard Base64; line breaks and other white space between the characters are skipped. Text that is
// not Base64 gives no notes rather than part of them.
QByteArray DecodeNotes(const QByteArray& base64) {
    QByteArray compact;
    compact.reserve(base64.size());
    for (const char c : base64) {
        if (c != '\r' && c != '\n' && c != ' ' && c != '\t')
            compact.append(c);
    }
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(compact, QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? decoded.decoded : QByteArray();
}

QByteArray WithProduct(const QByteArray& address, const QByteArray& productCode) {
    return address + (address.contains('?') ? "&product=" : "?product=") + productCode;
}

} // namespace

CRegData::CRegData() : m_updateState(UpdateResult::EmptyReply) {}

void CRegData::SetUp(const QByteArray& product, const QByteArray& versioncur, const QByteArray& lang) {
    QMutexLocker lock(&m_mutex);
    m_product = product;
    m_versioncur = versioncur;
    m_lang = lang;
    m_setUpLang = lang;
    m_setUp = true;
}

bool CRegData::IsSetUp() const {
    QMutexLocker lock(&m_mutex);
    return m_setUp;
}

void CRegData::SetLang(const QByteArray& lang) {
    QMutexLocker lock(&m_mutex);
    m_lang = lang;
}

CRegData::Query CRegData::GetQuery() const {
    QMutexLocker lock(&m_mutex);
    return Query{m_product, m_versioncur, m_lang};
}

QByteArray CRegData::SetUpLang() const {
    QMutexLocker lock(&m_mutex);
    return m_setUpLang;
}

void CRegData::Reset() {
    QMutexLocker lock(&m_mutex);
    m_updateState = UpdateResult::EmptyReply;
    m_errorText.clear();
}

int CRegData::GetUpdateState() const {
    QMutexLocker lock(&m_mutex);
    return m_updateState;
}

void CRegData::SetUpdateState(int state) {
    QMutexLocker lock(&m_mutex);
    m_updateState = state;
}

QByteArray CRegData::GetErrorText() const {
    QMutexLocker lock(&m_mutex);
    return m_errorText;
}

void CRegData::SetErrorText(const QByteArray& text) {
    QMutexLocker lock(&m_mutex);
    m_errorText = text;
}

void CRegData::HandleUpdateData(const QByteArray& body) {
    if (body.isEmpty())
        return;
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    QString why = Parse(body, document);
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    const QByteArray productVer = why.isEmpty() ? ChildText(root, "upd:ProductVer") : QByteArray();
    const int versionLength = QString::fromUtf8(productVer).trimmed().size();
    if (versionLength > MaxVersionLength)
        why = QStringLiteral("a version of %1 characters").arg(versionLength);
    if (!why.isEmpty()) {
        // The parser's reason may quote a name from the reply, of any length.
        RunLog->WriteString(TextLog::Warning,
                            QStringLiteral("Update: reply not read: %1").arg(why.simplified().left(200)), true);
        SetUpdateState(UpdateResult::NotXml);
        return;
    }
    const QByteArray productCode = ChildText(root, "upd:ProductCode");
    const QByteArray displayName = ChildText(root, "upd:ProductDisplayName");
    const QByteArray downloadAddress = ChildText(root, "upd:DownloadURL");
    const tinyxml2::XMLElement* whatsNew = root ? root->FirstChildElement("upd:WhatsNew") : nullptr;
    const QByteArray notes = DecodeNotes(ChildText(whatsNew, "upd:Description"));
    const QString notesText = QString::fromUtf8(notes).trimmed();

    QMutexLocker lock(&m_mutex);
    if (!displayName.isNull())
        m_displayName = displayName;
    if (!productVer.isNull())
        m_newestVersion = productVer;
    m_notes = notes;
    m_notesText = notesText;
    qCDebug(lcUpdate, "\ncrack updata info[%s] \n ver[%s]\n", m_notes.constData(), m_newestVersion.constData());
    if (productCode.isEmpty()) {
        m_updateState = UpdateResult::NoProduct;
    } else if (CompareVersion(m_newestVersion, m_versioncur) > 0) {
        m_downloadUrl = WithProduct(downloadAddress, productCode);
        m_updateState = UpdateResult::NewerVersion;
    } else {
        m_updateState = UpdateResult::NewestInUse;
    }
}

QByteArray CRegData::Info(int index) const {
    QMutexLocker lock(&m_mutex);
    switch (index) {
    case 0:
        return m_notes;
    case 1:
        return m_newestVersion;
    case 2:
        return m_downloadUrl;
    default:
        return {};
    }
}

QString CRegData::NotesText() const {
    QMutexLocker lock(&m_mutex);
    return m_notesText;
}

const char* CRegData::GetUpdateInfo(int index) {
    const QByteArray value = Info(index);
    QMutexLocker lock(&m_mutex);
    m_infoBuffer = value;
    return m_infoBuffer.constData();
}
