// The three formatting styles on text with raw elements (pre, textarea,
// script, style) in it. The input is split at U+0001 into pieces: the even
// ones are ordinary text, the odd ones the content of a raw element whose
// tags the piece's first character picks. Every style must keep each
// character outside raw content, white space aside, in order; keep raw
// content exactly, right after its opening tag and right before its closing
// tag; never join two words inside a tag; and give output at most linearly
// larger than its input. Told LF is the line end, no style writes a CR into
// text whose line breaks are all CR LF.
#include "Require.h"
#include "editor/Formatter.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace {
// Text that, inside a piece, would end raw content early or start a raw
// element where the piece structure has none: the markers of each kind of
// piece, and when one counts.
struct Marker {
    const char* text;
    enum { Always, BeforeNameEnd, BeforeTagEnd } when;
};
using Markers = std::vector<Marker>;
const Markers OrdinaryMarkers{{"<pre", Marker::BeforeNameEnd},
                              {"<textarea", Marker::BeforeNameEnd},
                              {"<script", Marker::BeforeNameEnd},
                              {"<style", Marker::BeforeNameEnd}};
const Markers PreMarkers{{"<pre", Marker::BeforeNameEnd},
                         {"</pre", Marker::BeforeTagEnd},
                         {"<textarea", Marker::BeforeNameEnd},
                         {"<script", Marker::BeforeNameEnd},
                         {"<style", Marker::BeforeNameEnd}};
const Markers TextareaMarkers{{"</textarea", Marker::BeforeTagEnd}};
const Markers ScriptMarkers{{"</script", Marker::Always}};
const Markers StyleMarkers{{"</style", Marker::Always}};

struct RawElement {
    const char* open;
    const char* close;
    const Markers& markers; // what its content must not hold
    bool markup;            // whether its content holds markup (and comments)
};
const RawElement RawElements[] = {
    {"<pre>", "</pre>", PreMarkers, true},
    {"<PRE class=x>", "</PRE >", PreMarkers, true},
    {"<pre\t/>", "</pre\r\n>", PreMarkers, true},
    {"<textarea>", "</textarea>", TextareaMarkers, false},
    {"<TextArea rows=2>", "</TEXTAREA\t>", TextareaMarkers, false},
    {"<script>", "</script>", ScriptMarkers, false},
    {"<SCRIPT type=module>", "</script x>", ScriptMarkers, false},
    {"<style>", "</style>", StyleMarkers, false},
    {"<Style media=x>", "</STYLE >", StyleMarkers, false},
};

// HTML's blanks, which end a tag name and may stand before a tag's ">".
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n') || c == QLatin1Char('\f');
}

// Whether the marker found in `text` with its end at `after` counts there.
bool counts(const QString& text, qsizetype after, const Marker& marker) {
    switch (marker.when) {
    case Marker::Always:
        return true;
    case Marker::BeforeNameEnd:
        return after < text.size() && (isBlank(text[after]) || text[after] == QLatin1Char('/') ||
                                       text[after] == QLatin1Char('>'));
    case Marker::BeforeTagEnd:
        while (after < text.size() && isBlank(text[after])) {
            ++after;
        }
        return after < text.size() && text[after] == QLatin1Char('>');
    }
    return true;
}

// `text` with the "<" of every marker that counts (in any case, as the
// formatters compare) turned into "{". In markup, markers inside a comment
// do not count, and a comment left open is one too (it would hide the tags
// after the piece). A piece is always followed by a tag, whose "<" never
// completes a marker at its end.
QString defuse(QString text, const Markers& markers, bool markup) {
    for (qsizetype at = 0; (at = text.indexOf(QLatin1Char('<'), at)) >= 0; ++at) {
        if (markup && QStringView(text).sliced(at).startsWith(u"<!--")) {
            const qsizetype end = text.indexOf(QLatin1String("-->"), at + 2);
            if (end >= 0) {
                at = end + 2;
                continue;
            }
            text[at] = QLatin1Char('{');
        }
        for (const Marker& marker : markers) {
            const QLatin1String what(marker.text);
            if (QStringView(text).sliced(at).startsWith(what, Qt::CaseInsensitive) &&
                counts(text, at + what.size(), marker)) {
                text[at] = QLatin1Char('{');
            }
        }
    }
    return text;
}

// Only these are white space to the formatters; any other character is kept.
bool isWhite(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

void checkKept(const QString& out, const QStringList& pieces) {
    qsizetype at = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i % 2 == 1) {
            require(QStringView(out).sliced(at).startsWith(pieces[i]), "raw content kept exactly");
            at += pieces[i].size();
            require(i + 1 == pieces.size() || QStringView(out).sliced(at).startsWith(u"</"),
                    "raw content ends right at its closing tag");
            continue;
        }
        // Inside a tag (a "<" up to the next ">") white space between two
        // characters that are not blanks may shrink but not go, but for that
        // after the "<" and before the ">", which tidying takes away.
        bool inTag = false;
        bool gap = false;
        QChar previous;
        for (const QChar c : pieces[i]) {
            if (isWhite(c)) {
                gap = true;
                continue;
            }
            const qsizetype from = at;
            while (at < out.size() && isWhite(out[at])) {
                ++at;
            }
            require(at < out.size() && out[at] == c, "no character lost or reordered");
            ++at;
            require(!inTag || !gap || at - 1 > from || previous == QLatin1Char('<') ||
                        isBlank(previous) || c == QLatin1Char('>') || isBlank(c),
                    "no two words of a tag joined");
            inTag = c == QLatin1Char('<') || (inTag && c != QLatin1Char('>'));
            gap = false;
            previous = c;
        }
    }
    while (pieces.size() % 2 == 1 && at < out.size() && isWhite(out[at])) {
        ++at;
    }
    require(at == out.size(), "nothing but white space added, and none after open raw content");
}

void checkCrLf(const QString& text) {
    const QString crlf = htmlformat::toCrLf(text);
    for (qsizetype i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == QLatin1Char('\r')) {
            require(i + 1 < crlf.size() && crlf[i + 1] == QLatin1Char('\n'), "no lone CR");
        } else if (crlf[i] == QLatin1Char('\n')) {
            require(i > 0 && crlf[i - 1] == QLatin1Char('\r'), "no lone LF");
        }
    }
    require(QString(crlf).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')) ==
                QString(text).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')),
            "toCrLf changes nothing but line breaks");
}

// Taking away the line break and TABs the indenter puts before every "<"
// gives back the text it was given (one without line breaks and TABs), and
// no line gets more than 32 TABs.
void checkIndent(const QString& text) {
    QString flat = text;
    flat.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('\t'));
    const QString indented = htmlformat::indentTags(flat);
    require(!indented.contains(QString(33, QLatin1Char('\t'))), "at most 32 TABs in a row");
    QString restored = indented;
    restored.remove(QLatin1Char('\t')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    require(restored == flat, "indenting adds only line breaks and TABs");
    require(indented.count(QLatin1String("\r\n")) == flat.count(QLatin1Char('<')),
            "one line break per <");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t flags = data[0];
    const bool crlf = flags & 1;      // line breaks as the editor hands them over
    const bool leaveOpen = flags & 2; // the last raw element has no closing tag
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1))
            .split(QChar(1));

    QStringList pieces{defuse(parts[0], OrdinaryMarkers, true)};
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        const QString& part = parts[i];
        const RawElement& raw =
            RawElements[part.isEmpty() ? 0 : part[0].unicode() % std::size(RawElements)];
        pieces.last() += QLatin1String(raw.open);
        pieces << defuse(part.mid(1), raw.markers, raw.markup);
        if (i + 1 == parts.size() && leaveOpen) {
            break;
        }
        pieces << QLatin1String(raw.close) + defuse(i + 1 < parts.size() ? parts[i + 1] : QString(),
                                                    OrdinaryMarkers, true);
    }
    if (crlf) {
        for (QString& piece : pieces) {
            piece = htmlformat::toCrLf(piece);
        }
    }
    const QString input = pieces.join(QString());

    const htmlformat::Progress progress = [](double done) {
        require(done >= 0 && done <= 1, "progress between 0 and 1");
    };
    for (const QString& out : {htmlformat::formatCompact(input), htmlformat::formatSimple(input),
                               htmlformat::formatHierarchal(input, progress)}) {
        checkKept(out, pieces);
        require(out.size() <= 40 * input.size() + 1000, "output linear in the input");
    }
    if (crlf) {
        const QString lf = QStringLiteral("\n");
        for (const QString& out :
             {htmlformat::formatCompact(input, lf), htmlformat::formatSimple(input, lf),
              htmlformat::formatHierarchal(input, {}, lf)}) {
            require(!out.contains(QLatin1Char('\r')), "LF line ends only");
        }
    }
    checkCrLf(parts.join(QString()));
    checkIndent(input);
    return 0;
}
