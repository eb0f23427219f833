#pragma once

#include <QString>
#include <optional>

namespace markwright {

// Abbreviations for HTML in the syntax web authors know from Emmet:
// "ul>li.item$*3>a[href=#]" becomes a list of three numbered items with a
// link each. Operators: child ">", sibling "+", climb up "^", repeat "*N"
// with "$" numbering ("$$" pads to two digits, "$@3" counts from 3, "$@-"
// counts down), grouping "( )"; on an element: "#id", ".class",
// "[attr=value attr2='v w' attr3]", "{text}". A name left out is implied
// by the parent (li in ul and ol, tr in table, td in tr, option in select,
// span in inline elements, div elsewhere). "!" is a whole HTML page.
namespace abbreviation {

struct Expansion {
    QString text;
    int caret = 0; // where the caret goes: the first empty content or value
};

struct Style {
    QString lineEnd = QStringLiteral("\n");
    QString indent = QStringLiteral("\t"); // one level
    QString baseIndent;                    // the caret line's indentation
    QString parent;                        // the element the caret is in (lower case)
};

// Where the abbreviation ending at the end of `beforeCaret` begins, or -1
// when the text there is none. `beforeCaret` is the text between tags that
// ends at the caret (a tag just before it, as in "<p>ul>li", is not part of
// it: the caller leaves it out).
int start(const QString& beforeCaret);

// The markup `abbreviation` stands for, or nullopt when it is not one (a
// syntax error, or a bare word that is no HTML element: prose stays prose).
std::optional<Expansion> expand(const QString& abbreviation, const Style& style);

} // namespace abbreviation
} // namespace markwright
