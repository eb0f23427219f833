#pragma once

#include <QString>
#include <functional>

namespace markwright {

// The source formatter: pure text-to-text functions, linear in their input.
// They see line breaks as CR LF pairs (see toCrLf). The styles write every
// line break of their output, raw content's included, as `lineEnd`: CR LF
// unless told, or the page's own line end (LF, CR) so that formatting brings
// no other kind into the page.
namespace htmlformat {

// A tag found by findTag. Positions are 1-based; tagStart is 0 and tagText
// empty when no tag was found.
struct TagInfo {
    QString tagText; // from "<" through the first ">" after it
    double tagStart = 0;
    double tagLength = 0; // position of ">" minus position of "<"
};

// Every occurrence of `find` (exact case) replaced, left to right, never
// overlapping, never rescanning replaced text. `find` must not be empty.
QString replaceAll(const QString& text, const QString& find, const QString& with);

// Lone LF and lone CR become CR LF, so every line break reaches the
// formatters in the one form they know.
QString toCrLf(const QString& text);

// The three formatting styles. Each leaves the content of pre, textarea,
// script and style elements (between the opening tag and its closing tag)
// exactly as it is (but for the form of its line breaks), since there white
// space is shown as written or belongs to a program; only the text around it,
// those tags included, is formatted. All three join lines (Hierarchal drops
// TABs too), but inside a tag the white space between two words leaves one
// blank, so no tag changes meaning.
QString formatCompact(const QString& text, const QString& lineEnd = QStringLiteral("\r\n"));
QString formatSimple(const QString& text, const QString& lineEnd = QStringLiteral("\r\n"));

// Called now and then during a long run with the share done (0 to 1), so a
// window can repaint and show progress.
using Progress = std::function<void(double done)>;

// One chunk per line, each "<" starting a line indented by the nesting depth
// in TABs, at most 32 of them however deep the nesting goes.
QString formatHierarchal(const QString& text, const Progress& progress = {},
                         const QString& lineEnd = QStringLiteral("\r\n"));

// Building blocks of the styles, applied to whatever text they are given:
// they know nothing of raw elements.
QString tidyTagSpaces(const QString& text);
QString indentTags(const QString& text, const Progress& progress = {});

// The first tag whose "<" lies after 1-based position `after`.
TagInfo findTag(const QString& text, double after);
// The tag's name as written: "!--" for a comment, else up to the first blank,
// else up to the ">".
QString tagName(const TagInfo& tag);
// Whether a tag of this name opens a nesting level (compared in lower case).
bool opensLevel(const QString& name);

} // namespace htmlformat

} // namespace markwright
