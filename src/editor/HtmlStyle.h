#pragma once

#include "editor/ColorScheme.h"

class QFont;
class QsciScintilla;

namespace markwright {

// HTML colouring (with embedded CSS and JavaScript) in the pane's own font,
// in the colours of `scheme` (the light one unless told), with the current
// line, the selection, the margins and the marks drawn over the text in the
// same scheme; plus auto-indent. Scintilla colours lazily, only what is
// shown, so a large page costs no more to open or type in.
void applyHtmlStyle(QsciScintilla& pane, const QFont& font,
                    const ColorScheme& scheme = ColorScheme::light());

// Gives the document just attached to the pane the pane's lexer, its
// properties and keywords (Scintilla keeps them per document). Unlike
// setLexer, nothing is coloured at once: the lines are coloured as they are
// shown, so attaching a large document costs no pass over it.
void lexAttachedDocument(QsciScintilla& pane);

} // namespace markwright
