#include "editor/HtmlStyle.h"

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QColor>
#include <QFont>

namespace markwright {

namespace {
struct Colour {
    int style;
    QColor colour;
    bool bold = false;
    bool italic = false;
};
} // namespace

void applyHtmlStyle(QsciScintilla& pane, const QFont& font) {
    auto* lexer = new QsciLexerHTML(&pane);
    lexer->setDefaultFont(font);
    lexer->setFont(font);
    lexer->setDefaultPaper(Qt::white);
    lexer->setPaper(Qt::white);
    lexer->setDefaultColor(QColor(0x20, 0x20, 0x20));
    lexer->setColor(QColor(0x20, 0x20, 0x20));
    // Tags dark blue, attributes brown, values green, entities purple,
    // comments grey italic; the embedded languages keep the same spirit.
    const Colour palette[] = {
        {QsciLexerHTML::Tag, QColor(0x1a, 0x3e, 0x8c), true},
        {QsciLexerHTML::UnknownTag, QColor(0x1a, 0x3e, 0x8c)},
        {QsciLexerHTML::Attribute, QColor(0x8a, 0x4b, 0x08)},
        {QsciLexerHTML::UnknownAttribute, QColor(0x8a, 0x4b, 0x08)},
        {QsciLexerHTML::HTMLDoubleQuotedString, QColor(0x1d, 0x6b, 0x2c)},
        {QsciLexerHTML::HTMLSingleQuotedString, QColor(0x1d, 0x6b, 0x2c)},
        {QsciLexerHTML::HTMLValue, QColor(0x1d, 0x6b, 0x2c)},
        {QsciLexerHTML::HTMLNumber, QColor(0x1d, 0x6b, 0x2c)},
        {QsciLexerHTML::Entity, QColor(0x7b, 0x2d, 0x8e)},
        {QsciLexerHTML::HTMLComment, QColor(0x80, 0x80, 0x80), false, true},
        {QsciLexerHTML::SGMLDefault, QColor(0x55, 0x55, 0x55)},
        {QsciLexerHTML::OtherInTag, QColor(0x1a, 0x3e, 0x8c)},
        {QsciLexerHTML::JavaScriptComment, QColor(0x80, 0x80, 0x80), false, true},
        {QsciLexerHTML::JavaScriptCommentLine, QColor(0x80, 0x80, 0x80), false, true},
        {QsciLexerHTML::JavaScriptKeyword, QColor(0x1a, 0x3e, 0x8c), true},
        {QsciLexerHTML::JavaScriptDoubleQuotedString, QColor(0x1d, 0x6b, 0x2c)},
        {QsciLexerHTML::JavaScriptSingleQuotedString, QColor(0x1d, 0x6b, 0x2c)},
        {QsciLexerHTML::JavaScriptNumber, QColor(0x8a, 0x4b, 0x08)},
    };
    for (const Colour& c : palette) {
        lexer->setColor(c.colour, c.style);
        QFont styled = font;
        styled.setBold(c.bold);
        styled.setItalic(c.italic);
        lexer->setFont(styled, c.style);
    }
    pane.setLexer(lexer);
    pane.setCaretLineVisible(true);
    pane.setCaretLineBackgroundColor(QColor(0xf3, 0xf6, 0xfb));
    // Braces are matched by the pane itself (QScintilla's own matching
    // repaints the whole view on every key); these are the colours.
    pane.setBraceMatching(QsciScintilla::NoBraceMatch);
    pane.setMatchedBraceBackgroundColor(QColor(0xd8, 0xe6, 0xff));
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
