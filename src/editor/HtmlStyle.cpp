#include "editor/HtmlStyle.h"

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include "editor/PaneIndicators.h"

#include <QColor>
#include <QFont>

namespace markwright {

void applyHtmlStyle(QsciScintilla& pane, const QFont& font, const ColorScheme& scheme) {
    auto* lexer = qobject_cast<QsciLexerHTML*>(pane.lexer());
    const bool fresh = lexer == nullptr;
    if (fresh) {
        lexer = new QsciLexerHTML(&pane);
    }
    lexer->setDefaultFont(font);
    lexer->setFont(font);
    lexer->setDefaultPaper(scheme.paper);
    lexer->setPaper(scheme.paper);
    lexer->setDefaultColor(scheme.text);
    lexer->setColor(scheme.text);
    for (const ColorScheme::Style& c : scheme.styles) {
        lexer->setColor(c.colour, c.style);
        QFont styled = font;
        styled.setBold(c.bold);
        styled.setItalic(c.italic);
        lexer->setFont(styled, c.style);
    }
    if (fresh) {
        pane.setLexer(lexer);
    }
    pane.setCaretLineVisible(true);
    pane.setCaretLineBackgroundColor(scheme.caretLine);
    pane.setCaretForegroundColor(scheme.caret);
    pane.setSelectionBackgroundColor(scheme.selection);
    pane.resetSelectionForegroundColor();
    pane.setMarginsBackgroundColor(scheme.marginPaper);
    pane.setMarginsForegroundColor(scheme.marginText);
    // Braces are matched by the pane itself (QScintilla's own matching
    // repaints the whole view on every key); these are the colours.
    pane.setBraceMatching(QsciScintilla::NoBraceMatch);
    pane.setMatchedBraceBackgroundColor(scheme.braceBackground);
    // The marks drawn over the text.
    pane.SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, indicators::TagPair, scheme.tagBox);
    pane.SendScintilla(QsciScintillaBase::SCI_INDICSETALPHA, indicators::TagPair,
                       ColorScheme::TagBoxAlpha);
    pane.SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, indicators::FindMatch,
                       scheme.findMatch);
    pane.SendScintilla(QsciScintillaBase::SCI_INDICSETALPHA, indicators::FindMatch,
                       ColorScheme::FindMatchAlpha);
    pane.SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, indicators::Problem, scheme.problem);
    pane.SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, indicators::Hint, scheme.hint);
    pane.SendScintilla(QsciScintillaBase::SCI_MARKERSETFORE, indicators::ProblemMarker,
                       scheme.problem.darker(150));
    pane.SendScintilla(QsciScintillaBase::SCI_MARKERSETBACK, indicators::ProblemMarker,
                       scheme.problem);
    pane.setAutoIndent(true);
    pane.setMarginsFont(font);
}

void lexAttachedDocument(QsciScintilla& pane) {
    QsciLexer* const lexer = pane.lexer();
    if (lexer == nullptr) {
        return;
    }
    if (lexer->lexer() != nullptr) {
        pane.SendScintilla(QsciScintillaBase::SCI_SETLEXERLANGUAGE, 0UL, lexer->lexer());
    } else {
        pane.SendScintilla(QsciScintillaBase::SCI_SETLEXER,
                           static_cast<unsigned long>(lexer->lexerId()));
    }
    // The pane passes each property the lexer announces on to Scintilla.
    lexer->refreshProperties();
    constexpr int KeywordSets = 9;
    for (int set = 0; set < KeywordSets; ++set) {
        if (const char* words = lexer->keywords(set + 1)) {
            pane.SendScintilla(QsciScintillaBase::SCI_SETKEYWORDS, static_cast<unsigned long>(set),
                               words);
        }
    }
}

} // namespace markwright
