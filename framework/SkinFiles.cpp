#include "SkinFiles.h"

#include "SkinSheet.h"

#include "app/XmlLimits.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace SkinFiles {

namespace {

// Far more than any real logo description needs; only a broken file gets near it.
constexpr int kMaxLogoRedirections = 8;
// A style sheet size beyond this is a typing error, not a size; it is left as written.
constexpr double kMaxTokenNumber = 1.0e6;

int IntAttribute(const QDomElement& element, const QString& name) {
    bool ok = false;
    const int value = element.attribute(name).toInt(&ok);
    return ok ? value : 0;
}

QDomElement ChildByName(const QDomElement& parent, const QString& name) {
    for (QDomElement child = parent.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (QString::fromLatin1(child.attribute(QStringLiteral("name")).toLatin1()) == name)
            return child;
    }
    return {};
}

QStringList KeyList(const SkinLogoKey& key) {
    return {key.platform, key.brand, key.language, key.product};
}

QPixmap ScalePiece(const QPixmap& piece, double uiScale, bool doubleResolution) {
    const double factor = doubleResolution ? uiScale / 2.0 : uiScale;
    const QSize target(int(piece.width() * factor), int(piece.height() * factor));
    if (piece.isNull() || target.isEmpty())
        return {};
    return piece.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QDomElement DocumentRoot(const QDomDocument& document) {
    return document.childNodes().at(1).toElement();
}

bool ReadDocument(const QString& path, QDomDocument* document) {
    QByteArray bytes;
    QDomDocument parsed;
    if (!XmlLimits::ReadFile(path, &bytes) || !parsed.setContent(bytes))
        return false;
    *document = parsed;
    return true;
}

QRect StateRect(const QDomElement& state) {
    return QRect(IntAttribute(state, QStringLiteral("x")), IntAttribute(state, QStringLiteral("y")),
                 IntAttribute(state, QStringLiteral("width")), IntAttribute(state, QStringLiteral("height")));
}

QPixmap CutPixmap(const QPixmap& sheet, const QDomElement& state, double uiScale, bool doubleResolution) {
    if (state.isNull() || sheet.isNull())
        return {};
    // An empty rectangle, or one beside the sheet, would make QPixmap::copy hand back the whole sheet; a
    // broken entry must show nothing rather than every picture of the skin at once.
    const QRect rect = StateRect(state);
    if (rect.intersected(sheet.rect()).isEmpty())
        return {};
    return ScalePiece(sheet.copy(rect), uiScale, doubleResolution);
}

QPixmap CutPixmap(const SkinSheet& sheet, const QDomElement& state, double uiScale, bool doubleResolution) {
    if (state.isNull() || sheet.isNull())
        return {};
    return ScalePiece(sheet.Copy(StateRect(state)), uiScale, doubleResolution);
}

int StateKey(const QString& tag) {
    static const QMap<QString, int> keys{{QStringLiteral("Normal"), SKIN_NORMAL},
                                         {QStringLiteral("On"), SKIN_ON},
                                         {QStringLiteral("Down"), SKIN_DOWN},
                                         {QStringLiteral("Disable"), SKIN_DISABLE},
                                         {QStringLiteral("Hover"), SKIN_HOVER}};
    return keys.value(tag, 0);
}

QDomElement FindLogoElement(const QDomDocument& logoDocument, const SkinLogoKey& key) {
    QStringList keys = KeyList(key);
    for (int redirection = 0; redirection <= kMaxLogoRedirections; ++redirection) {
        QDomElement element = DocumentRoot(logoDocument);
        if (element.isNull())
            return {};
        for (const QString& name : qAsConst(keys)) {
            if (name.isEmpty())
                continue;
            element = ChildByName(element, name);
            if (element.isNull())
                return {};
            if (!element.hasChildNodes())
                break;
        }
        if (element.hasChildNodes())
            return element;

        // A leaf redirects: its "path" names the keys to use instead.
        const QStringList parts = element.attribute(QStringLiteral("path")).split(QLatin1Char('\\'));
        bool replaced = false;
        for (int i = 0; i < keys.size() && i < parts.size(); ++i) {
            if (!parts.at(i).isEmpty() && parts.at(i) != keys.at(i)) {
                keys[i] = parts.at(i);
                replaced = true;
            }
        }
        if (!replaced)
            return {};
    }
    return {};
}

QString RewriteScaleTokens(const QString& styleSheet, double uiScale) {
    static const QRegularExpression token(QStringLiteral("(?:FONT_|SIZECHANGE_)[ \\t]*(-?)[ \\t]*([0-9][0-9 \\t]*)px"));
    QString text = styleSheet;
    int p = 0;
    while (p < text.size()) {
        const QChar c = text.at(p);
        if (c != QLatin1Char('F') && c != QLatin1Char('S')) {
            ++p;
            continue;
        }
        const QRegularExpressionMatch match =
            token.match(text, p, QRegularExpression::NormalMatch, QRegularExpression::AnchoredMatchOption);
        if (!match.hasMatch()) {
            ++p;
            continue;
        }
        QString digits = match.captured(2);
        digits.remove(QRegularExpression(QStringLiteral("\\s")));
        const double number = digits.toDouble();
        if (number > kMaxTokenNumber) {
            ++p;
            continue;
        }
        const QString replacement =
            match.captured(1) + QString::number(static_cast<qint64>(std::floor(number * uiScale + 0.5)));
        const int tokenLength = match.capturedLength(0) - 2; // everything but the "px"
        text.replace(p, tokenLength, replacement);
        p += replacement.size() + 2;
    }
    return text;
}

} // namespace SkinFiles
