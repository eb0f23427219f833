#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

namespace markwright {

// The colours of the source pane: the HTML lexer's styles, the paper, the
// caret line, the selection, the margins, and the marks drawn over the text
// (the tag pair's box, matched braces, problem squiggles, find matches).
// Light is the pane as it has always looked; Dark is its counterpart. Each
// text colour reads on every background it can stand on at WCAG AA (4.5:1),
// each mark against the paper at 3:1.
struct ColorScheme {
    struct Style {
        int style; // a QsciLexerHTML style
        QColor colour;
        bool bold = false;
        bool italic = false;
    };

    QString name;
    QColor paper;
    QColor text; // the lexer's default
    QColor caret;
    QColor caretLine;
    QColor selection;
    QColor marginPaper;
    QColor marginText;
    QColor braceBackground;
    QColor tagBox; // drawn at TagBoxAlpha over the paper
    QColor problem;
    QColor hint;
    QColor findMatch; // drawn at FindMatchAlpha
    std::vector<Style> styles;

    static constexpr int TagBoxAlpha = 60;
    static constexpr int FindMatchAlpha = 90;

    static ColorScheme light();
    static ColorScheme dark();
    // The scheme of that name ("Light", "Dark"); Light for any other.
    static ColorScheme named(const QString& name);
    static QStringList names();
};

// The contrast ratio of two colours as WCAG 2 defines it (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);
// `over` drawn at `alpha` (0-255) on `under`.
QColor blended(const QColor& over, int alpha, const QColor& under);

} // namespace markwright
