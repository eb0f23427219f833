#pragma once

class QFont;
class QsciScintilla;

namespace markwright {

// HTML colouring (with embedded CSS and JavaScript) in the pane's own font,
// in a restrained palette that reads well on a light background; plus the
// current line, brace matching and auto-indent. Scintilla colours lazily,
// only what is shown, so a large page costs no more to open or type in.
void applyHtmlStyle(QsciScintilla& pane, const QFont& font);

// Gives the document just attached to the pane the pane's lexer, its
// properties and keywords (Scintilla keeps them per document). Unlike
// setLexer, nothing is coloured at once: the lines are coloured as they are
// shown, so attaching a large document costs no pass over it.
void lexAttachedDocument(QsciScintilla& pane);

} // namespace markwright
