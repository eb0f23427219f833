#include "editor/Formatter.h"

#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <vector>

namespace markwright {

namespace htmlformat {

namespace {
const QString CrLf = QStringLiteral("\r\n");

// The index of the first `what` at or after `from`, remembered so that a
// scan moving forward through the text never searches the same stretch
// twice (which would make the formatters quadratic on texts with few
// matches).
class NextMatch {
  public:
    NextMatch(const QString& text, QString what) : m_text(text), m_what(std::move(what)) {}
    qsizetype at(qsizetype from) {
        if (m_found == Unknown || (m_found != -1 && m_found < from) || from < m_from) {
            m_found = m_text.indexOf(m_what, from);
            m_from = from;
        }
        return m_found;
    }

  private:
    static constexpr qsizetype Unknown = -2;
    const QString& m_text;
    QString m_what;
    qsizetype m_found = Unknown;
    qsizetype m_from = 0;
};

// Reports progress at the first chunk and then about twenty times a second,
// not once per chunk.
class Pacer {
  public:
    explicit Pacer(const Progress& progress) : m_progress(progress) {}
    void tick(qsizetype done, qsizetype total) {
        if (m_progress && (!m_clock.isValid() || m_clock.elapsed() >= 50)) {
            m_progress(total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0);
            m_clock.start();
        }
    }

  private:
    const Progress& m_progress;
    QElapsedTimer m_clock;
};

// The most TABs a line gets. Hand-written pages often leave li, td or option
// elements unclosed, so the depth can grow with every such tag; without a cap
// the TABs written would grow with the square of their number.
constexpr int MaxIndent = 32;

void appendTabs(QString& out, int level) {
    // Below level zero a line gets no indentation at all; deeper than
    // MaxIndent it gets MaxIndent TABs.
    const int tabs = std::min(level, MaxIndent);
    for (int i = 0; i < tabs; ++i) {
        out += QLatin1Char('\t');
    }
}

// Puts a line break and the nesting depth in TABs (at most MaxIndent) before
// every "<". A closing tag ("</") first drops the depth, so it lines up with
// its opening tag; any other tag raises it unless opensLevel says otherwise.
// The depth itself is never capped, so closing tags bring it back exactly.
// The text may come in stretches, the depth carrying over from one to the
// next.
class Indenter {
  public:
    Indenter(const Progress& progress, qsizetype total, const QString& lineEnd)
        : m_pacer(progress), m_total(total), m_lineEnd(lineEnd) {}

    // Appends `text`, which starts at `offset` in the whole text. With
    // `breakFirst` false a "<" at the very start of `text` gets no line break
    // (the depth still changes).
    void add(QString& out, const QString& text, qsizetype offset, bool breakFirst) {
        out.reserve(out.size() + text.size() + text.size() / 4);
        NextMatch nextGt(text, QStringLiteral(">"));
        qsizetype from = 0;
        qsizetype open = 0;
        while ((open = text.indexOf(QLatin1Char('<'), from)) >= 0) {
            out += QStringView(text).sliced(from, open - from);
            const bool closing = open + 1 < text.size() && text[open + 1] == QLatin1Char('/');
            if (closing) {
                --m_level;
            }
            if (open > 0 || breakFirst) {
                out += m_lineEnd;
                appendTabs(out, m_level);
            }
            out += QLatin1Char('<');
            if (!closing) {
                // The tag at this "<": up to the first ">" after it.
                const qsizetype gt = nextGt.at(open + 1);
                TagInfo tag;
                if (gt >= 0) {
                    tag.tagText = text.mid(open, gt - open + 1);
                }
                if (opensLevel(tagName(tag))) {
                    ++m_level;
                }
            }
            from = open + 1;
            m_pacer.tick(offset + open, m_total);
        }
        out += QStringView(text).sliced(from);
    }

  private:
    Pacer m_pacer;
    qsizetype m_total;
    const QString& m_lineEnd;
    int m_level = 0;
};

// The elements whose content reaches the page exactly as written: white
// space in it is shown (pre, textarea) or belongs to a program (script,
// style), so the formatters copy it unchanged.
const std::array<QLatin1String, 4> RawNames{QLatin1String("pre"), QLatin1String("textarea"),
                                            QLatin1String("script"), QLatin1String("style")};

// The content of one such element: [start, end) in the text.
struct Span {
    qsizetype start;
    qsizetype end;
};

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n') || c == QLatin1Char('\f');
}

// Whether `text` holds `what` at index `at`, in any case.
bool holdsAt(const QString& text, qsizetype at, QLatin1String what) {
    return at + what.size() <= text.size() &&
           QStringView(text).sliced(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// The name of the raw element whose opening tag starts at the "<" at `lt`
// (the name, in any case, then a blank, "/" or ">"), or an empty name.
QLatin1String rawOpeningAt(const QString& text, qsizetype lt) {
    for (const QLatin1String& name : RawNames) {
        const qsizetype after = lt + 1 + name.size();
        if (after < text.size() && holdsAt(text, lt + 1, name) &&
            (isBlank(text[after]) || text[after] == QLatin1Char('/') ||
             text[after] == QLatin1Char('>'))) {
            return name;
        }
    }
    return QLatin1String();
}

// Whether a closing tag of `name` starts at the "<" at `lt`: "</", the name
// in any case, blanks, ">".
bool closesAt(const QString& text, qsizetype lt, QLatin1String name) {
    if (!holdsAt(text, lt + 1, QLatin1String("/")) || !holdsAt(text, lt + 2, name)) {
        return false;
    }
    qsizetype i = lt + 2 + name.size();
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    return i < text.size() && text[i] == QLatin1Char('>');
}

// The "<" that ends the content of a textarea, script or style starting at
// `from`, or -1 when nothing does. Their content holds no markup: a textarea
// ends at the first complete "</textarea>", a script or style at the first
// "</script" or "</style", whatever follows it (so a tag inside a string of
// the script never ends it).
qsizetype rawTextEnd(const QString& text, qsizetype from, QLatin1String name) {
    const QString close = QStringLiteral("</") + name;
    qsizetype lt = text.indexOf(close, from, Qt::CaseInsensitive);
    if (name == QLatin1String("textarea")) {
        while (lt >= 0 && !closesAt(text, lt, name)) {
            lt = text.indexOf(close, lt + 2, Qt::CaseInsensitive);
        }
    }
    return lt;
}

// The next "<" at or after `from` that is not inside a comment, or -1.
qsizetype nextMarkup(const QString& text, qsizetype from) {
    while (true) {
        const qsizetype lt = text.indexOf(QLatin1Char('<'), from);
        if (lt < 0 || !holdsAt(text, lt, QLatin1String("<!--"))) {
            return lt;
        }
        // "<!-->" and "<!--->" are whole (empty) comments too.
        const qsizetype end = text.indexOf(QLatin1String("-->"), lt + 2);
        if (end < 0) {
            return -1;
        }
        from = end + 3;
    }
}

// The content of every raw element, in order, found in one forward pass over
// the markup. A pre may hold markup, further pre elements included, and ends
// at the closing tag that matches its own; the others end as rawTextEnd says.
// An element left open runs to the end of the text.
std::vector<Span> rawSpans(const QString& text) {
    std::vector<Span> spans;
    int preDepth = 0;
    qsizetype preStart = 0;
    qsizetype from = 0;
    qsizetype lt = 0;
    while ((lt = nextMarkup(text, from)) >= 0) {
        from = lt + 1;
        if (preDepth > 0 && closesAt(text, lt, RawNames[0])) {
            if (--preDepth == 0) {
                spans.push_back({preStart, lt});
            }
            continue;
        }
        const QLatin1String name = rawOpeningAt(text, lt);
        if (name.isEmpty()) {
            continue;
        }
        // The opening tag ends at the first ">" after its "<", as for the
        // formatters' own tags.
        const qsizetype gt = text.indexOf(QLatin1Char('>'), lt + 1);
        if (gt < 0) {
            break;
        }
        from = gt + 1;
        if (name == RawNames[0]) {
            if (preDepth++ == 0) {
                preStart = from;
            }
            continue;
        }
        const qsizetype end = rawTextEnd(text, from, name);
        if (preDepth == 0) {
            spans.push_back({from, end < 0 ? text.size() : end});
        }
        if (end < 0) {
            break;
        }
        from = end + 1;
    }
    if (preDepth > 0) {
        spans.push_back({preStart, text.size()});
    }
    return spans;
}

// Formats each stretch of `text` outside raw element content with
// `format(stretch, where it starts in text)` and copies the content between
// them unchanged but for its line breaks, which become `lineEnd`. No pattern
// the formatters replace reaches into the content, so a stretch needs nothing
// from its neighbours; and each stretch after the first starts with the
// closing tag of the content before it.
template <typename Format>
QString formatAroundRaw(const QString& text, const QString& lineEnd, Format format) {
    const std::vector<Span> spans = rawSpans(text);
    if (spans.empty()) {
        return format(text, 0);
    }
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (const Span& span : spans) {
        out += format(text.mid(from, span.start - from), from);
        const QString content = text.mid(span.start, span.end - span.start);
        out += lineEnd == CrLf ? content : replaceAll(content, CrLf, lineEnd);
        from = span.end;
    }
    out += format(text.mid(from), from);
    return out;
}

// `text` without its line breaks (CR LF) and, with `tabs`, without its TABs,
// in one left-to-right pass. Between words of text a run of them just goes.
// Inside a tag (from a "<" to the first ">" after it, or to the end of the
// text) a run between two characters that are not blanks leaves one blank,
// so a name never joins the attribute after it (`<img\tsrc=x>` stays a tag
// named img); next to the "<" or the ">" nothing is needed, as tidying would
// take the blank away again.
QString dropBreaks(const QString& text, bool tabs) {
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    bool inTag = false;
    qsizetype i = 0;
    while (i < n) {
        const qsizetype runStart = i;
        while (i < n) {
            if (text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                i += 2;
            } else if (tabs && text[i] == QLatin1Char('\t')) {
                ++i;
            } else {
                break;
            }
        }
        if (i > runStart && inTag && i < n && !out.isEmpty() && !isBlank(out.back()) &&
            out.back() != QLatin1Char('<') && !isBlank(text[i]) && text[i] != QLatin1Char('>')) {
            out += QLatin1Char(' ');
        }
        if (i < n) {
            const QChar c = text[i++];
            if (c == QLatin1Char('<')) {
                inTag = true;
            } else if (c == QLatin1Char('>')) {
                inTag = false;
            }
            out += c;
        }
    }
    return out;
}

QString compactStretch(const QString& text) {
    // Single passes, longest run first: a run of 2 to 38 blanks ends as one
    // blank, longer runs can end as two or more (39 end as two).
    QString out = dropBreaks(text, false);
    out = replaceAll(out, QStringLiteral("\t"), QStringLiteral(" "));
    out = replaceAll(out, QStringLiteral("     "), QStringLiteral(" "));
    out = replaceAll(out, QStringLiteral("    "), QStringLiteral(" "));
    out = replaceAll(out, QStringLiteral("   "), QStringLiteral(" "));
    out = replaceAll(out, QStringLiteral("  "), QStringLiteral(" "));
    return tidyTagSpaces(out);
}
} // namespace

QString replaceAll(const QString& text, const QString& find, const QString& with) {
    if (find.isEmpty()) {
        return text;
    }
    qsizetype hit = text.indexOf(find);
    if (hit < 0) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (hit >= 0) {
        out += QStringView(text).sliced(from, hit - from);
        out += with;
        from = hit + find.size();
        hit = text.indexOf(find, from);
    }
    out += QStringView(text).sliced(from);
    return out;
}

QString toCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            out += CrLf;
            if (i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
        } else if (c == QLatin1Char('\n')) {
            out += CrLf;
        } else {
            out += c;
        }
    }
    return out;
}

QString tidyTagSpaces(const QString& text) {
    QString out = replaceAll(text, QStringLiteral(" >"), QStringLiteral(">"));
    out = replaceAll(out, QStringLiteral("< "), QStringLiteral("<"));
    return replaceAll(out, QStringLiteral("> <"), QStringLiteral("><"));
}

QString formatCompact(const QString& text, const QString& lineEnd) {
    return formatAroundRaw(
        text, lineEnd, [](const QString& stretch, qsizetype) { return compactStretch(stretch); });
}

QString formatSimple(const QString& text, const QString& lineEnd) {
    const QString split = QLatin1Char('>') + lineEnd + QLatin1Char('<');
    return formatAroundRaw(text, lineEnd, [&split](const QString& stretch, qsizetype) {
        return replaceAll(compactStretch(stretch), QStringLiteral("><"), split);
    });
}

QString formatHierarchal(const QString& text, const Progress& progress, const QString& lineEnd) {
    Indenter indenter(progress, text.size(), lineEnd);
    return formatAroundRaw(text, lineEnd, [&indenter](const QString& stretch, qsizetype at) {
        const QString flat = dropBreaks(stretch, true);
        // A stretch after raw content starts with the closing tag that ends
        // it, and gets no line break there: the break would become content.
        QString indented;
        indenter.add(indented, flat, at, at == 0);
        return tidyTagSpaces(indented);
    });
}

QString indentTags(const QString& text, const Progress& progress) {
    QString out;
    Indenter(progress, text.size(), CrLf).add(out, text, 0, true);
    return out;
}

TagInfo findTag(const QString& text, double after) {
    TagInfo tag;
    // 1-based "after position p" is 0-based "at index p or later".
    const qsizetype from = after < 0 ? 0 : static_cast<qsizetype>(after);
    const qsizetype lt = text.indexOf(QLatin1Char('<'), from);
    if (lt < 0) {
        return tag;
    }
    tag.tagStart = static_cast<double>(lt + 1);
    const qsizetype gt = text.indexOf(QLatin1Char('>'), lt + 1);
    if (gt < 0) {
        return tag;
    }
    tag.tagLength = static_cast<double>(gt - lt);
    tag.tagText = text.mid(lt, gt - lt + 1);
    return tag;
}

QString tagName(const TagInfo& tag) {
    const QString& t = tag.tagText;
    if (t.isEmpty()) {
        return QString();
    }
    if (t.mid(1, 3) == QLatin1String("!--")) {
        return QStringLiteral("!--");
    }
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    if (blank >= 0) {
        return t.mid(1, blank - 1);
    }
    const qsizetype gt = t.indexOf(QLatin1Char('>'));
    return t.mid(1, gt - 1);
}

bool opensLevel(const QString& name) {
    static const std::array<QLatin1String, 10> flat{
        QLatin1String("br"),   QLatin1String("hr"),     QLatin1String("img"),
        QLatin1String("meta"), QLatin1String("applet"), QLatin1String("p"),
        QLatin1String("!--"),  QLatin1String("input"),  QLatin1String("!doctype"),
        QLatin1String("area")};
    const QString lower = name.toLower();
    for (const QLatin1String& f : flat) {
        if (lower == f) {
            return false;
        }
    }
    return true;
}

} // namespace htmlformat

} // namespace markwright
