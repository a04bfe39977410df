#include "ServerTextDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextObjectInterface>

namespace {

// Stands in for the layout's own picture handler, which reads a picture straight from the file it names when
// the document gives it none. Only ever sees pictures that are about to be dropped.
class NoImages : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    using QObject::QObject;
    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override { return {}; }
    void drawObject(QPainter*, const QRectF&, QTextDocument*, int, const QTextFormat&) override {}
};

} // namespace

ServerTextDocument::ServerTextDocument(QObject* parent) : QTextDocument(parent), m_noImages(new NoImages(this)) {}

ServerTextDocument* ServerTextDocument::InstallIn(QTextBrowser* browser) {
    auto* document = new ServerTextDocument(browser);
    browser->setDocument(document);
    return document;
}

void ServerTextDocument::SetServerText(const QString& whole) {
    const QString text = whole.size() > MaxCharacters ? whole.left(MaxCharacters) + QChar(0x2026) : whole;
    // The layout may have been replaced since the last text (a text box installs its own).
    documentLayout()->registerHandler(QTextFormat::ImageObject, m_noImages);
    if (Qt::mightBeRichText(text))
        setHtml(text);
    else
        setPlainText(text);
    DropImages();
}

QVariant ServerTextDocument::loadResource(int, const QUrl&) {
    return {};
}

void ServerTextDocument::DropImages() {
    QList<int> positions;
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                for (int i = 0; i < fragment.length(); ++i)
                    positions.append(fragment.position() + i);
            }
        }
    }
    if (positions.isEmpty())
        return;
    QTextCursor cursor(this);
    cursor.beginEditBlock();
    // From the end, so that the positions still ahead stay where they were.
    for (auto it = positions.crbegin(); it != positions.crend(); ++it) {
        cursor.setPosition(*it);
        cursor.setPosition(*it + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.endEditBlock();
    // The text box would offer to undo the removal.
    clearUndoRedoStacks();
}

#include "ServerTextDocument.moc"
