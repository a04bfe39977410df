#include "ServerMarkup.h"

#include <QHash>
#include <QVector>

namespace {

constexpr QChar kEllipsis(0x2026);

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\f');
}

bool IsNameChar(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool IsLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

enum class TagKind {
    Other, // its tags go, its text stays
    Break,
    Bold,
    Italic,
    Link,
    UnorderedList,
    OrderedList,
    Item,
    Paragraph,
    Heading, // a bold paragraph
    Preformatted,
    Block,   // ends a block: a table's row or cell, a division, a quotation
    Dropped, // its text is never shown
};

TagKind KindOf(const QString& name) {
    static const QHash<QString, TagKind> kinds = [] {
        QHash<QString, TagKind> table;
        table.insert(QStringLiteral("br"), TagKind::Break);
        for (const char* name : {"b", "strong"})
            table.insert(QLatin1String(name), TagKind::Bold);
        for (const char* name : {"i", "em"})
            table.insert(QLatin1String(name), TagKind::Italic);
        table.insert(QStringLiteral("a"), TagKind::Link);
        table.insert(QStringLiteral("ul"), TagKind::UnorderedList);
        table.insert(QStringLiteral("ol"), TagKind::OrderedList);
        table.insert(QStringLiteral("li"), TagKind::Item);
        table.insert(QStringLiteral("p"), TagKind::Paragraph);
        table.insert(QStringLiteral("pre"), TagKind::Preformatted);
        for (const char* name : {"h1", "h2", "h3", "h4", "h5", "h6"})
            table.insert(QLatin1String(name), TagKind::Heading);
        for (const char* name : {"div",        "table",      "tr",       "td",     "th",   "thead", "tbody", "tfoot",
                                 "caption",    "blockquote", "hr",       "center", "dl",   "dt",    "dd",    "address",
                                 "section",    "article",    "header",   "footer", "nav",  "aside", "main",  "figure",
                                 "figcaption", "form",       "fieldset", "legend", "body", "html"})
            table.insert(QLatin1String(name), TagKind::Block);
        for (const char* name : {"script", "style", "title"})
            table.insert(QLatin1String(name), TagKind::Dropped);
        return table;
    }();
    return kinds.value(name, TagKind::Other);
}

// An attribute's value as it stood, its entity references left for the text box to read.
QString QuotedValue(QString value) {
    return value.replace(QLatin1Char('"'), QLatin1String("&quot;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
}

bool IsShownLink(const QString& href) {
    if (href.isEmpty() || href.size() > 2048)
        return false;
    const QString lower = href.left(8).toLower();
    return lower.startsWith(QLatin1String("http://")) || lower.startsWith(QLatin1String("https://")) ||
           lower.startsWith(QLatin1String("mailto:"));
}

struct Tag {
    TagKind kind = TagKind::Other;
    bool end = false;
    QString href;
};

class Converter {
public:
    explicit Converter(const QString& markup) : m_in(markup) {}

    QString Run() {
        const int size = qMin(m_in.size(), ServerMarkup::MaxMarkupCharacters);
        while (m_at < size && !m_full) {
            const QChar c = m_in.at(m_at);
            if (c == QLatin1Char('<') && ReadMarkup())
                continue;
            if (c == QLatin1Char('&')) {
                AddEntity();
                continue;
            }
            AddCharacter(c);
            ++m_at;
        }
        if (m_at < m_in.size())
            m_full = true;
        if (m_full && m_block.open && m_block.content)
            AddText(kEllipsis);
        const bool marked = m_block.open && m_block.content;
        EndBlock(false);
        CloseLists(0);
        if (m_full && !marked)
            m_out += QStringLiteral("<div>") + kEllipsis + QStringLiteral("</div>");
        return m_out;
    }

private:
    enum class Kind { Plain, Paragraph, Item, Preformatted };
    // A list: its number in the text, twice, plus one for a numbered list.
    using List = int;

    struct Block {
        bool open = false;
        Kind kind = Kind::Plain;
        QVector<List> lists; // from the outermost in
        QString html;
        int characters = 0;
        int line = 0; // characters since the last line break
        bool content = false;
        bool joinedAbove = false; // a long line's continuation
        bool lastBlank = true;
        bool pendingBreak = false; // a paragraph ended inside a list item
        // The inline elements open in html, outermost first.
        QString href;
        bool bold = false;
        bool italic = false;
    };

    // ---- reading ----

    // At a '<': reads a comment, declaration or tag and acts on it. False when the '<' is plain text.
    bool ReadMarkup() {
        const int size = m_in.size();
        if (m_at + 1 >= size)
            return false;
        const QChar next = m_in.at(m_at + 1);
        if (m_in.midRef(m_at, 4) == QLatin1String("<!--")) {
            const int end = m_in.indexOf(QLatin1String("-->"), m_at + 4);
            m_at = end < 0 ? size : end + 3;
            return true;
        }
        if (next == QLatin1Char('!') || next == QLatin1Char('?')) {
            const int end = m_in.indexOf(QLatin1Char('>'), m_at + 2);
            m_at = end < 0 ? size : end + 1;
            return true;
        }
        const bool end = next == QLatin1Char('/');
        const int nameAt = m_at + (end ? 2 : 1);
        if (nameAt >= size || !IsLetter(m_in.at(nameAt)))
            return false;
        Tag tag;
        tag.end = end;
        int at = nameAt;
        m_name.resize(0);
        while (at < size && IsNameChar(m_in.at(at)) && m_name.size() < 16)
            m_name += m_in.at(at++).toLower();
        while (at < size && IsNameChar(m_in.at(at)))
            ++at;
        tag.kind = KindOf(m_name);
        m_at = ReadAttributes(at, &tag);
        if (!tag.end && tag.kind == TagKind::Dropped) {
            SkipPast(m_name);
            return true;
        }
        Act(tag);
        return true;
    }

    // Reads up to and past the tag's '>', taking the href of a link; returns where reading goes on.
    int ReadAttributes(int at, Tag* tag) const {
        const int size = m_in.size();
        while (at < size) {
            const QChar c = m_in.at(at);
            if (c == QLatin1Char('>'))
                return at + 1;
            if (!IsLetter(c)) {
                ++at;
                continue;
            }
            const int nameAt = at;
            while (at < size && !IsBlank(m_in.at(at)) && m_in.at(at) != QLatin1Char('=') &&
                   m_in.at(at) != QLatin1Char('>') && m_in.at(at) != QLatin1Char('/'))
                ++at;
            const QString name = m_in.mid(nameAt, at - nameAt).toLower();
            while (at < size && IsBlank(m_in.at(at)))
                ++at;
            if (at >= size || m_in.at(at) != QLatin1Char('='))
                continue;
            ++at;
            while (at < size && IsBlank(m_in.at(at)))
                ++at;
            int valueAt = at;
            int valueEnd = at;
            if (at < size && (m_in.at(at) == QLatin1Char('"') || m_in.at(at) == QLatin1Char('\''))) {
                const int close = m_in.indexOf(m_in.at(at), at + 1);
                valueAt = at + 1;
                valueEnd = close < 0 ? size : close;
                at = close < 0 ? size : close + 1;
            } else {
                while (at < size && !IsBlank(m_in.at(at)) && m_in.at(at) != QLatin1Char('>'))
                    ++at;
                valueEnd = at;
            }
            if (tag->kind == TagKind::Link && name == QLatin1String("href"))
                tag->href = m_in.mid(valueAt, qMin(valueEnd - valueAt, 4096)).trimmed();
        }
        return size;
    }

    // Past the end tag of an element whose content is dropped (to the end when it has none).
    void SkipPast(const QString& name) {
        const QString endTag = QStringLiteral("</") + name;
        const int end = m_in.indexOf(endTag, m_at, Qt::CaseInsensitive);
        if (end < 0) {
            m_at = m_in.size();
            return;
        }
        const int close = m_in.indexOf(QLatin1Char('>'), end);
        m_at = close < 0 ? m_in.size() : close + 1;
    }

    // An entity reference goes through as it is (the text box reads it), anything else after '&' as text.
    void AddEntity() {
        const int size = m_in.size();
        int at = m_at + 1;
        while (at < size && at - m_at <= 10 && (IsNameChar(m_in.at(at)) || m_in.at(at) == QLatin1Char('#')))
            ++at;
        if (at < size && at > m_at + 1 && m_in.at(at) == QLatin1Char(';')) {
            AddVisible(m_in.midRef(m_at, at + 1 - m_at));
            m_at = at + 1;
            return;
        }
        AddVisible(QLatin1String("&amp;"));
        ++m_at;
    }

    // ---- elements ----

    void Act(const Tag& tag) {
        switch (tag.kind) {
        case TagKind::Break:
            if (!tag.end)
                AddBreak();
            break;
        case TagKind::Bold:
            Count(&m_bold, tag.end);
            break;
        case TagKind::Italic:
            Count(&m_italic, tag.end);
            break;
        case TagKind::Link:
            m_href = tag.end || !IsShownLink(tag.href) ? QString() : tag.href;
            break;
        case TagKind::UnorderedList:
        case TagKind::OrderedList:
            EndBlock(false);
            if (!tag.end) {
                if (m_lists.size() < ServerMarkup::MaxListDepth)
                    m_lists.append(++m_listCount * 2 + (tag.kind == TagKind::OrderedList ? 1 : 0));
                else
                    ++m_deeperLists;
            } else if (m_deeperLists > 0) {
                --m_deeperLists;
            } else if (!m_lists.isEmpty()) {
                m_lists.removeLast();
            }
            break;
        case TagKind::Item:
            if (!m_lists.isEmpty())
                EndBlock(false);
            else
                BlockBoundary(Kind::Plain);
            break;
        case TagKind::Heading:
            Count(&m_bold, tag.end);
            BlockBoundary(tag.end ? Kind::Plain : Kind::Paragraph);
            break;
        case TagKind::Paragraph:
            BlockBoundary(tag.end ? Kind::Plain : Kind::Paragraph);
            break;
        case TagKind::Preformatted:
            Count(&m_preformatted, tag.end);
            m_preformattedStart = !tag.end;
            BlockBoundary(m_preformatted > 0 ? Kind::Preformatted : Kind::Plain);
            break;
        case TagKind::Block:
            BlockBoundary(Kind::Plain);
            break;
        case TagKind::Dropped:
        case TagKind::Other:
            break;
        }
    }

    static void Count(int* depth, bool end) {
        if (!end)
            ++*depth;
        else if (*depth > 0)
            --*depth;
    }

    // Inside a list item a paragraph or cell goes on on the item's next line, so that it stays under its bullet.
    void BlockBoundary(Kind next) {
        if (!m_lists.isEmpty() && m_block.open && m_block.kind == Kind::Item) {
            if (m_block.content && !m_block.lastBlank)
                m_block.pendingBreak = true;
            return;
        }
        EndBlock(false);
        m_nextKind = next;
    }

    // ---- text ----

    // Blanks collapse into one; none starts a block or a line. Preformatted text keeps its blanks and line ends.
    void AddCharacter(QChar c) {
        if (InPreformatted() && IsBlank(c)) {
            AddPreformattedBlank(c);
            return;
        }
        if (IsBlank(c)) {
            if (!m_block.open || !m_block.content || m_block.lastBlank || m_block.pendingBreak)
                return;
            AddText(QLatin1Char(' '));
            m_block.lastBlank = true;
            if (m_block.line >= ServerMarkup::MaxLineCharacters)
                BreakLine();
            return;
        }
        if (c == QLatin1Char('<'))
            AddVisible(QLatin1String("&lt;"));
        else if (c == QLatin1Char('>'))
            AddVisible(QLatin1String("&gt;"));
        else
            AddVisible(c, !c.isHighSurrogate());
    }

    // breakable: a long line may end after it (never between the two halves of a character).
    template <typename Markup> void AddVisible(const Markup& html, bool breakable = true) {
        if (m_total >= ServerMarkup::MaxCharacters) {
            m_full = true;
            return;
        }
        if (!OpenBlock())
            return;
        if (m_block.pendingBreak) {
            AddText(QStringLiteral("<br />"));
            m_block.line = 0;
        }
        m_block.pendingBreak = false;
        AddText(html);
        m_block.content = true;
        m_block.lastBlank = false;
        if (breakable && m_block.line >= ServerMarkup::MaxLineCharacters + ServerMarkup::LineBreakSlack)
            BreakLine();
    }

    bool InPreformatted() const { return m_preformatted > 0 && m_lists.isEmpty(); }

    // As the text box reads a preformatted block: a line end right after its start tag does not count.
    void AddPreformattedBlank(QChar c) {
        if (c == QLatin1Char('\r'))
            return;
        if (c != QLatin1Char('\n')) {
            AddVisible(c);
            return;
        }
        if (m_preformattedStart)
            m_preformattedStart = false;
        else
            AddBreak();
    }

    void AddBreak() {
        if (m_total >= ServerMarkup::MaxCharacters || m_lines >= ServerMarkup::MaxLines) {
            m_full = true;
            return;
        }
        // A block of many lines ends at a line's end.
        if (m_block.open && m_block.characters >= ServerMarkup::MaxLineCharacters) {
            BreakLine();
            return;
        }
        if (!OpenBlock())
            return;
        ++m_lines;
        m_block.pendingBreak = false;
        if (m_block.kind == Kind::Preformatted)
            AddText(QLatin1Char('\n'));
        else
            AddText(QStringLiteral("<br />"));
        m_block.content = true;
        m_block.lastBlank = true;
        m_block.line = 0;
    }

    // One character's markup.
    template <typename Markup> void AddText(const Markup& html) {
        m_preformattedStart = false;
        SyncInline();
        m_block.html += html;
        ++m_block.characters;
        ++m_block.line;
        ++m_total;
    }

    // A long line goes on in a block of the same kind.
    void BreakLine() {
        const Kind kind = m_block.kind;
        EndBlock(true);
        m_nextKind = kind;
        m_continuation = true;
    }

    // ---- blocks ----

    bool OpenBlock() {
        if (m_block.open)
            return true;
        if (m_lines >= ServerMarkup::MaxLines) {
            m_full = true;
            return false;
        }
        ++m_lines;
        m_block = Block();
        m_block.open = true;
        m_block.lists = m_lists;
        m_block.joinedAbove = m_continuation;
        m_continuation = false;
        m_block.kind = !m_lists.isEmpty() ? Kind::Item : m_nextKind;
        return true;
    }

    // Writes the block out; joinedBelow: a long line goes on in the next block.
    void EndBlock(bool joinedBelow) {
        if (!m_block.open)
            return;
        m_block.open = false;
        m_nextKind = Kind::Plain;
        if (!m_block.content) {
            --m_lines;
            return;
        }
        CloseInline();
        CloseLists(m_block.kind == Kind::Item ? CommonLists(m_block.lists) : 0);
        if (m_block.kind == Kind::Item) {
            for (int level = m_outLists.size(); level < m_block.lists.size(); ++level) {
                m_out += m_block.lists.at(level) % 2 ? QStringLiteral("<ol>") : QStringLiteral("<ul>");
                m_outLists.append(m_block.lists.at(level));
            }
            m_out += QStringLiteral("<li>") + m_block.html + QStringLiteral("</li>");
        } else if (m_block.kind == Kind::Paragraph || m_block.kind == Kind::Preformatted) {
            const QString tag = m_block.kind == Kind::Paragraph ? QStringLiteral("p") : QStringLiteral("pre");
            QString style;
            if (m_block.joinedAbove)
                style += QStringLiteral("margin-top:0px;");
            if (joinedBelow)
                style += QStringLiteral("margin-bottom:0px;");
            m_out += (style.isEmpty() ? QStringLiteral("<%1>").arg(tag)
                                      : QStringLiteral("<%1 style=\"%2\">").arg(tag, style)) +
                     m_block.html + QStringLiteral("</%1>").arg(tag);
        } else {
            m_out += QStringLiteral("<div>") + m_block.html + QStringLiteral("</div>");
        }
    }

    int CommonLists(const QVector<List>& lists) const {
        int common = 0;
        while (common < lists.size() && common < m_outLists.size() && lists.at(common) == m_outLists.at(common))
            ++common;
        return common;
    }

    void CloseLists(int keep) {
        while (m_outLists.size() > keep) {
            m_out += m_outLists.last() % 2 ? QStringLiteral("</ol>") : QStringLiteral("</ul>");
            m_outLists.removeLast();
        }
    }

    // ---- bold, italic and links ----

    // Brings the block's open inline elements to what the text now asks for: a link outermost, then bold, then
    // italic, so that what is written always nests.
    void SyncInline() {
        Block& b = m_block;
        const bool canOpen = m_runs < ServerMarkup::MaxFormatRuns;
        const QString href = canOpen || b.href == m_href ? m_href : QString();
        const bool bold = m_bold > 0 && (canOpen || b.bold);
        const bool italic = m_italic > 0 && (canOpen || b.italic);
        if (b.href != href) {
            CloseInline();
        } else if (b.bold != bold) {
            CloseItalic();
            CloseBold();
        } else if (b.italic != italic) {
            CloseItalic();
        }
        if (b.href.isEmpty() && !href.isEmpty()) {
            b.html += QStringLiteral("<a href=\"%1\">").arg(QuotedValue(href));
            b.href = href;
            ++m_runs;
        }
        if (!b.bold && bold) {
            b.html += QStringLiteral("<b>");
            b.bold = true;
            ++m_runs;
        }
        if (!b.italic && italic) {
            b.html += QStringLiteral("<i>");
            b.italic = true;
            ++m_runs;
        }
    }

    void CloseItalic() {
        if (m_block.italic)
            m_block.html += QStringLiteral("</i>");
        m_block.italic = false;
    }

    void CloseBold() {
        if (m_block.bold)
            m_block.html += QStringLiteral("</b>");
        m_block.bold = false;
    }

    void CloseInline() {
        CloseItalic();
        CloseBold();
        if (!m_block.href.isEmpty())
            m_block.html += QStringLiteral("</a>");
        m_block.href.clear();
    }

    const QString& m_in;
    int m_at = 0;
    QString m_name; // of the tag being read, lower case
    QString m_out;
    Block m_block;
    Kind m_nextKind = Kind::Plain;
    bool m_continuation = false;
    QVector<List> m_lists;
    QVector<List> m_outLists;
    int m_deeperLists = 0;
    int m_listCount = 0;
    int m_bold = 0;
    int m_italic = 0;
    int m_preformatted = 0;
    bool m_preformattedStart = false; // nothing since a preformatted block's start tag
    QString m_href;
    int m_total = 0;
    int m_lines = 0; // blocks and line breaks
    int m_runs = 0;
    bool m_full = false;
};

} // namespace

QString ServerMarkup::Html(const QString& markup) {
    return Converter(markup).Run();
}

QString ServerMarkup::PlainText(const QString& text) {
    QString out;
    out.reserve(qMin(text.size(), MaxCharacters + MaxLines) + 1);
    int line = 0;
    int lines = 1;
    int characters = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool newLine = c == QLatin1Char('\n') || (line >= MaxLineCharacters && c == QLatin1Char(' ')) ||
                             (line >= MaxLineCharacters + LineBreakSlack && !c.isLowSurrogate());
        if (newLine) {
            if (lines >= MaxLines)
                return out + kEllipsis;
            ++lines;
            line = 0;
            out += QLatin1Char('\n');
            if (c == QLatin1Char('\n') || c == QLatin1Char(' '))
                continue;
        }
        if (characters >= MaxCharacters)
            return out + kEllipsis;
        out += c;
        ++line;
        ++characters;
    }
    return out;
}
