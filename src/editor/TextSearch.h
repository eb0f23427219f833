#pragma once

#include <QByteArray>

class QsciScintillaBase;

namespace markwright {

// The one way text is searched in the source pane: Scintilla's own search
// over the document's bytes, never a copy of the text. Positions are byte
// positions in the document; flags are Scintilla's SCFIND_* flags.
namespace textsearch {

struct Match {
    long start = -1;
    long end = -1;
    bool found() const { return start >= 0; }
};

// The first match of `what` in [from, to); searches backwards from `from`
// when `to` < `from`. An empty `what` finds nothing.
Match search(QsciScintillaBase& editor, const QByteArray& what, int flags, long from, long to);

// Replaces `match` by `with`; with `regex`, `with` may name the groups of the
// search that found it (\1...). Returns the length written.
long replace(QsciScintillaBase& editor, Match match, const QByteArray& with, bool regex);

// Replaces every match in [from, to), left to right, never rescanning what
// was written, as one undo step; returns how many were replaced.
int replaceAll(QsciScintillaBase& editor, const QByteArray& what, const QByteArray& with, int flags,
               long from, long to);

} // namespace textsearch

} // namespace markwright
