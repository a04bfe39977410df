#pragma once

#include <QObject>
#include <QString>

// Folds encoded content into lines of at most maxLineLength characters.
class MimeContentFormatter : public QObject {
    Q_OBJECT
public:
    explicit MimeContentFormatter(int maxLineLength = 76, QObject* parent = nullptr);

    void setMaxLineLength(int length);
    int getMaxLineLength() const;

    // Without quotedPrintable: hard "\r\n" breaks, lines of exactly maxLineLength characters (Base64).
    // With it: soft breaks "=\r\n" so that no line exceeds maxLineLength including the "=" and no
    // "=XX" escape is split; a "\n" in the text starts a new line count.
    QString format(const QString& text, bool quotedPrintable = false) const;

private:
    int m_maxLineLength;
};
