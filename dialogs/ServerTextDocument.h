#pragma once

#include <QTextDocument>

class QTextBrowser;

// The document for a text that came from a server (an update's release notes). It keeps the text's simple
// formatting but never loads what the text names: no file, no address and none of the program's resources,
// neither as a picture nor as a style sheet; pictures are dropped and take no room. A server's text naming
// an endless file would otherwise be read whole on the GUI thread.
class ServerTextDocument : public QTextDocument {
public:
    explicit ServerTextDocument(QObject* parent = nullptr);

    // Makes a new document the one the browser shows.
    static ServerTextDocument* InstallIn(QTextBrowser* browser);

    // Plain or rich text, told apart as a text box's setText does; of a longer text the first MaxCharacters
    // are shown, followed by an ellipsis.
    void SetServerText(const QString& text);

    // Laying out a line costs the square of its length: a line of this length takes some 10 ms, one of a
    // million characters hangs the window for minutes. The update service's notes were never meant to be
    // longer than 5120 bytes.
    static constexpr int MaxCharacters = 5120;

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void DropImages();

    QObject* m_noImages;
};
