#include "ServerTextDocument.h"

#include "ServerMarkup.h"

#include <QTextBrowser>

ServerTextDocument::ServerTextDocument(QObject* parent) : QTextDocument(parent) {}

ServerTextDocument* ServerTextDocument::InstallIn(QTextBrowser* browser) {
    auto* document = new ServerTextDocument(browser);
    browser->setDocument(document);
    return document;
}

void ServerTextDocument::SetServerText(const QString& text) {
    // A change of language sets the same notes again.
    if (m_shown && text == m_text)
        return;
    m_text = text;
    m_shown = true;
    if (Qt::mightBeRichText(text))
        setHtml(ServerMarkup::Html(text));
    else
        setPlainText(ServerMarkup::PlainText(text));
}

QVariant ServerTextDocument::loadResource(int, const QUrl&) {
    return {};
}
