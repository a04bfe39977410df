#pragma once

#include <QTextDocument>

class QTextBrowser;

// The document for a text that came from a server (an update's release notes). It shows the text in the small
// set of markup of ServerMarkup, so that laying it out takes a bounded time whatever the server sent, and never
// loads what the text names: no file, no address and none of the program's resources, neither as a picture nor
// as a style sheet. A server's text naming an endless file would otherwise be read whole on the GUI thread.
class ServerTextDocument : public QTextDocument {
public:
    explicit ServerTextDocument(QObject* parent = nullptr);

    // Makes a new document the one the browser shows.
    static ServerTextDocument* InstallIn(QTextBrowser* browser);

    // Plain or rich text, told apart as a text box's setText does.
    void SetServerText(const QString& text);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QString m_text; // as the server sent it
    bool m_shown = false;
};
