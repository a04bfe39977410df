#pragma once

#include "SkinTypes.h"

#include <QDomDocument>
#include <QDomElement>
#include <QMap>
#include <QPixmap>
#include <QString>

class SkinSheet;

// The rules by which the skin's files are read: image cutting, the logo lookup and the scale tokens
// of the style sheets. SkinManager applies them; they need no window, so tests drive them directly.
namespace SkinFiles {

// Documents of the skin start with an XML declaration; the element after it is the root.
QDomElement DocumentRoot(const QDomDocument& document);

// Reads a whole XML file; a file that cannot be opened or parsed, or that XmlLimits refuses (too deep,
// too large), leaves the document as it was.
bool ReadDocument(const QString& path, QDomDocument* document);

// The "x", "y", "width" and "height" attributes of a state element; malformed numbers count as 0.
QRect StateRect(const QDomElement& state);

// Cuts the element's rectangle from the sheet and scales it by uiScale (halved for a sheet drawn at
// double resolution), keeping the aspect ratio. An empty rectangle, or one that misses the sheet, gives an
// empty pixmap; one that reaches beyond the sheet is cut down to it.
QPixmap CutPixmap(const QPixmap& sheet, const QDomElement& state, double uiScale, bool doubleResolution);
// The same from a sheet that hands out its pieces.
QPixmap CutPixmap(const SkinSheet& sheet, const QDomElement& state, double uiScale, bool doubleResolution);

// The SkinImageState key of a state tag, or 0 for a tag that names no state.
int StateKey(const QString& tag);

// Walks "Logo.xml" by the four keys, following "path" redirections a bounded number of times.
// Returns the element whose children are the logo pieces, or a null element.
QDomElement FindLogoElement(const QDomDocument& logoDocument, const SkinLogoKey& key);

// Replaces each well-formed scale token (FONT_ or SIZECHANGE_, an optional sign, digits, "px") by its
// number times uiScale, rounded half up. Anything else, including a token without its digits and
// "px", is left as written.
QString RewriteScaleTokens(const QString& styleSheet, double uiScale);

} // namespace SkinFiles
