#pragma once

#include "MimeContentFormatter.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// One body part of a mail: its header lines and its content, rendered once as the exact text that goes
// into the message, with "\r\n" line ends.
class MimePart : public QObject {
    Q_OBJECT
public:
    // Content-Transfer-Encoding of the part; the same numbers choose how header words are encoded.
    enum Encoding { Enc7Bit = 0, Enc8Bit = 1, EncBase64 = 2, EncQuotedPrintable = 3 };

    explicit MimePart(QObject* parent = nullptr);
    ~MimePart() override;

    const QString& getHeader() const;
    void setHeader(const QString& header);
    // Appends line + "\r\n" to the extra header lines.
    void appendHeaderLine(const QString& line);

    const QByteArray& getBody() const;
    void setBody(const QByteArray& body);

    const QString& getContentId() const;
    void setContentId(const QString& id);
    const QString& getContentName() const;
    void setContentName(const QString& name);
    const QString& getContentType() const;
    void setContentType(const QString& type);
    const QString& getCharset() const;
    void setCharset(const QString& charset);
    const QString& getBoundary() const;
    void setBoundary(const QString& boundary);
    int getEncoding() const;
    void setEncoding(int encoding);

    MimeContentFormatter& getContentFormatter();

    // The rendered part; renders it first when it has not been rendered yet.
    virtual QString toString();
    // Renders the part. Subclasses fill the body and then call this base rendering last.
    virtual void prepare();

protected:
    QString extraHeader;
    QByteArray body;
    QString contentId;
    QString contentName;
    QString contentType;
    QString charset;
    QString boundary;
    int encoding = Enc7Bit;
    QString rendered;
    bool isRendered = false;
    MimeContentFormatter formatter{76};
};
