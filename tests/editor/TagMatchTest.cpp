// Matching tags and line-end styles: the pure scanners behind the pane's
// tag highlight, Enter key and status panel.
#include "editor/TagMatch.h"
#include "editor/LineEnds.h"

#include <QByteArray>
#include <gtest/gtest.h>

TEST(TagMatch, FindsTheMatchingTagAcrossNestingAndCase) {
    //                      0         1         2         3         4
    //                      01234567890123456789012345678901234567890123456
    const QByteArray text = "<div a=1><DIV><br/><!-- <div> --></div>xy</Div>";
    const struct {
        qsizetype caret;
        qsizetype here, match; // starts of the two tags, -1: none
    } cases[] = {
        {0, 0, 41},   // before the outer '<'
        {5, 0, 41},   // inside its attributes
        {10, 9, 33},  // the inner tag, upper case; the commented one is skipped
        {35, 33, 9},  // a closing tag finds its opening tag
        {39, 33, 9},  // just after its '>'
        {43, 41, 0},  // mixed case closes the outer one
        {16, -1, -1}, // a self-closing tag has no partner
        {40, -1, -1}, // text between tags
    };
    for (const auto& c : cases) {
        const auto pair = tagmatch::find(text, c.caret);
        if (c.here < 0) {
            EXPECT_FALSE(pair) << "caret " << c.caret;
            continue;
        }
        ASSERT_TRUE(pair) << "caret " << c.caret;
        EXPECT_EQ(pair->here.start, c.here) << "caret " << c.caret;
        EXPECT_EQ(pair->match.start, c.match) << "caret " << c.caret;
    }
    EXPECT_FALSE(tagmatch::find("<p>" + QByteArray(1000, 'x') + "</p>", 1, 100))
        << "looks no further than its reach";
}

TEST(LineEnds, FirstAndOverallStyle) {
    using lineends::Style;
    const struct {
        QByteArray text;
        Style first, overall;
    } cases[] = {
        {"", Style::None, Style::None},         {"a\r\nb\r\n", Style::CrLf, Style::CrLf},
        {"a\nb\n", Style::Lf, Style::Lf},       {"a\rb", Style::Cr, Style::Cr},
        {"a\nb\r\nc", Style::Lf, Style::Mixed}, {"a\r\n\n", Style::CrLf, Style::Mixed},
        {"a\r", Style::Cr, Style::Cr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lineends::first(c.text), c.first) << c.text.toHex().constData();
        EXPECT_EQ(lineends::overall(c.text), c.overall) << c.text.toHex().constData();
    }
}
