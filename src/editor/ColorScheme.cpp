#include "editor/ColorScheme.h"

#include <Qsci/qscilexerhtml.h>

#include <cmath>

namespace markwright {

namespace {
using Lexer = QsciLexerHTML;

// The lexer's styles in the colours of one scheme: tags, attributes,
// values, entities, comments, the doctype, and embedded script.
std::vector<ColorScheme::Style> lexerStyles(QColor tag, QColor attribute, QColor value,
                                            QColor entity, QColor comment, QColor sgml) {
    return {
        {Lexer::Tag, tag, true},
        {Lexer::UnknownTag, tag},
        {Lexer::Attribute, attribute},
        {Lexer::UnknownAttribute, attribute},
        {Lexer::HTMLDoubleQuotedString, value},
        {Lexer::HTMLSingleQuotedString, value},
        {Lexer::HTMLValue, value},
        {Lexer::HTMLNumber, value},
        {Lexer::Entity, entity},
        {Lexer::HTMLComment, comment, false, true},
        {Lexer::SGMLDefault, sgml},
        {Lexer::OtherInTag, tag},
        {Lexer::JavaScriptComment, comment, false, true},
        {Lexer::JavaScriptCommentLine, comment, false, true},
        {Lexer::JavaScriptKeyword, tag, true},
        {Lexer::JavaScriptDoubleQuotedString, value},
        {Lexer::JavaScriptSingleQuotedString, value},
        {Lexer::JavaScriptNumber, attribute},
    };
}

double channel(int value) {
    const double v = value / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
} // namespace

ColorScheme ColorScheme::light() {
    ColorScheme s;
    s.name = QStringLiteral("Light");
    s.paper = Qt::white;
    s.text = QColor(0x20, 0x20, 0x20);
    s.caret = Qt::black;
    s.caretLine = QColor(0xf3, 0xf6, 0xfb);
    s.selection = QColor(0xdd, 0xe8, 0xf8);
    s.marginPaper = QColor(0xf0, 0xf0, 0xf0);
    s.marginText = QColor(0x55, 0x55, 0x55);
    s.braceBackground = QColor(0xd8, 0xe6, 0xff);
    s.tagBox = QColor(0x3a, 0x6e, 0xd8);
    s.problem = QColor(0xd0, 0x1c, 0x1c);
    s.hint = QColor(0x60, 0x70, 0x90);
    s.findMatch = QColor(0xf0, 0xc0, 0x20);
    s.styles =
        lexerStyles(QColor(0x1a, 0x3e, 0x8c), QColor(0x8a, 0x4b, 0x08), QColor(0x1d, 0x6b, 0x2c),
                    QColor(0x7b, 0x2d, 0x8e), QColor(0x5f, 0x5f, 0x5f), QColor(0x55, 0x55, 0x55));
    return s;
}

ColorScheme ColorScheme::dark() {
    ColorScheme s;
    s.name = QStringLiteral("Dark");
    s.paper = QColor(0x1e, 0x1f, 0x22);
    s.text = QColor(0xd8, 0xd8, 0xd8);
    s.caret = QColor(0xf0, 0xf0, 0xf0);
    s.caretLine = QColor(0x28, 0x2a, 0x2f);
    s.selection = QColor(0x30, 0x38, 0x48);
    s.marginPaper = QColor(0x2b, 0x2d, 0x31);
    s.marginText = QColor(0xa8, 0xa8, 0xa8);
    s.braceBackground = QColor(0x30, 0x3a, 0x4e);
    s.tagBox = QColor(0x5f, 0x8f, 0xe8);
    s.problem = QColor(0xff, 0x6b, 0x6b);
    s.hint = QColor(0x8a, 0x9a, 0xb8);
    s.findMatch = QColor(0x80, 0x66, 0x10);
    s.styles =
        lexerStyles(QColor(0x8f, 0xb5, 0xf5), QColor(0xe8, 0xb0, 0x68), QColor(0x9c, 0xd4, 0x98),
                    QColor(0xdc, 0xa2, 0xea), QColor(0xb4, 0xb4, 0xb4), QColor(0xc0, 0xc0, 0xc0));
    return s;
}

ColorScheme ColorScheme::named(const QString& name) {
    return name == QLatin1String("Dark") ? dark() : light();
}

QStringList ColorScheme::names() {
    return {QStringLiteral("Light"), QStringLiteral("Dark")};
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor blended(const QColor& over, int alpha, const QColor& under) {
    const auto mix = [&](int o, int u) { return (o * alpha + u * (255 - alpha) + 127) / 255; };
    return QColor(mix(over.red(), under.red()), mix(over.green(), under.green()),
                  mix(over.blue(), under.blue()));
}

} // namespace markwright
