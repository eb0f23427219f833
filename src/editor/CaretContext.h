#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

namespace markwright {

// Where the caret stands in the markup, read from the text before it: in
// text, in a tag's name, among its attributes, in an attribute's value, in a
// character reference, in a comment, or in text-only content (<script>,
// <style>...). The writing helps ask this as keys are typed, while the
// page's HTML model is out of date (any edit makes it so), so the text is
// read from a point at most `window` bytes before the caret; a comment or
// script begun before that point is not seen.
struct CaretContext {
    enum class Kind {
        Text,           // between tags
        TagName,        // "<di|"
        EndTagName,     // "</di|"
        AttributeName,  // "<div cl|" or "<div |"
        AttributeValue, // "<a href="pa|"
        Reference,      // "&am|" in text
        Comment,        // inside <!-- --> (or <!...>, <?...>)
        RawText,        // inside <script>, <style>, <textarea>, <title>...
    };
    Kind kind = Kind::Text;
    // The word being typed: from `wordStart` to the caret.
    qint64 wordStart = 0;
    // Where the text the caret is in begins: after the tag, comment or
    // doctype before it (or where the reading began).
    qint64 textStart = 0;
    // The tag being written ("<" at `tagStart`), its name in lower case (for
    // RawText: the element whose text it is) and the attributes already in
    // it; for AttributeValue the attribute and its quote (0 for none).
    qint64 tagStart = -1;
    QByteArray element;
    QByteArray attribute;
    QByteArrayList present;
    char quote = 0;
    // The caret stands right after the '>' of a start tag of `element`
    // (written "/>" when `selfClosing`).
    bool afterStartTag = false;
    bool selfClosing = false;
    // The elements left open before the caret, innermost last, as far as
    // the text read shows (end tags HTML lets a page omit are implied).
    QByteArrayList open;

    // Enough to see the tag at the caret; the elements open there need more.
    static constexpr qint64 TagWindow = 4 * 1024;
    static constexpr qint64 OpenWindow = 256 * 1024;

    // The context at `caret` in `text` (UTF-8).
    static CaretContext at(QByteArrayView text, qint64 caret, qint64 window = TagWindow);
};

} // namespace markwright
