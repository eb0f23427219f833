#pragma once

#include <QByteArrayView>
#include <optional>

namespace markwright {

// Finds the tag that matches the one the caret is in: for an opening tag its
// closing tag, for a closing tag its opening tag, counting nested tags of the
// same name. Works on the pane's UTF-8 bytes (offsets are byte offsets) and
// looks no further than `reach` bytes either way, so a caret move costs the
// same in any document.
namespace tagmatch {

struct Span {
    qsizetype start = 0; // the '<'
    qsizetype end = 0;   // just past the '>'
};

struct Pair {
    Span here;
    Span match;
};

std::optional<Pair> find(QByteArrayView bytes, qsizetype caret, qsizetype reach = 64 * 1024);

} // namespace tagmatch

} // namespace markwright
