#pragma once

#include <QString>

// A server's text (an update's release notes) turned into what a text box can lay out at once, whatever the
// server sent. Markup keeps paragraphs, line breaks, bold, italic, lists, links and preformatted text; any
// other element gives up its tags and keeps its text (a table's cells become plain blocks, a heading a bold
// paragraph), and scripts, style sheets and titles go whole. Laying out costs the square of a block's length and grows
// with tables nested in tables, so the result holds only short blocks, few nesting levels and a bounded amount of text.
class ServerMarkup {
public:
    // Markup of the small set above, for QTextDocument::setHtml.
    static QString Html(const QString& markup);
    // The same bounds on a plain text, for QTextDocument::setPlainText.
    static QString PlainText(const QString& text);

    // Far above any release notes (a long one has some 6,000 characters in 120 lines): what lies beyond is left
    // out, marked by an ellipsis. Lines are blocks and line breaks.
    static constexpr int MaxCharacters = 32768;
    static constexpr int MaxLines = 1024;
    // Markup is read this far at most, however little of it is text.
    static constexpr int MaxMarkupCharacters = 1024 * 1024;
    // Bold, italic and links switched on this often at most; the rest keeps its text without them.
    static constexpr int MaxFormatRuns = 256;
    // A longer line goes on in a block of its own, at its next blank or soon after without one.
    static constexpr int MaxLineCharacters = 1000;
    static constexpr int LineBreakSlack = 100;
    // Lists nested deeper are shown at this depth.
    static constexpr int MaxListDepth = 4;
};
