#include "MimeText.h"

#include "HeaderText.h"
#include "LineEnds.h"

MimeText::MimeText(const QString& content) : text(content) {
    contentType = QStringLiteral("text/plain");
    charset = QStringLiteral("utf-8");
    encoding = Enc8Bit;
}

void MimeText::setText(const QString& content) {
    text = content;
}

const QString& MimeText::getText() const {
    return text;
}

void MimeText::prepare() {
    body = LineEnds::ToCrlf(text.toUtf8());
    const bool unsafeAs8Bit = LineEnds::LongestWireLine(body) > HeaderText::MaxLineOctets || body.contains('\0');
    if ((encoding == Enc7Bit || encoding == Enc8Bit) && unsafeAs8Bit) {
        const int chosen = encoding;
        encoding = EncQuotedPrintable;
        MimePart::prepare();
        encoding = chosen;
        return;
    }
    MimePart::prepare();
}
