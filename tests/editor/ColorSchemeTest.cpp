// Both colour schemes are readable: every text colour against each
// background it can stand on (paper, caret line, selection, a matched
// brace's background, the tag pair's box) at WCAG AA 4.5:1, the margin's
// numbers too, and the marks drawn over the text against the paper at 3:1.
#include "editor/ColorScheme.h"
#include "support/TestData.h"

using markwright::blended;
using markwright::ColorScheme;
using markwright::contrastRatio;

TEST(ColorScheme, EveryColourMeetsTheContrastRatios) {
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(contrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
    for (const QString& name : ColorScheme::names()) {
        const ColorScheme s = ColorScheme::named(name);
        EXPECT_EQ(s.name, name);
        const std::pair<const char*, QColor> grounds[] = {
            {"paper", s.paper},
            {"caret line", s.caretLine},
            {"selection", s.selection},
            {"brace", s.braceBackground},
            {"tag box", blended(s.tagBox, ColorScheme::TagBoxAlpha, s.paper)},
        };
        std::vector<QColor> texts{s.text};
        for (const ColorScheme::Style& style : s.styles) {
            texts.push_back(style.colour);
        }
        for (const auto& [ground, colour] : grounds) {
            for (const QColor& text : texts) {
                EXPECT_GE(contrastRatio(text, colour), 4.5)
                    << name.toStdString() << ": " << text.name().toStdString() << " on " << ground;
            }
        }
        EXPECT_GE(contrastRatio(s.marginText, s.marginPaper), 4.5) << name.toStdString();
        for (const QColor& mark : {s.problem, s.hint, s.caret}) {
            EXPECT_GE(contrastRatio(mark, s.paper), 3.0)
                << name.toStdString() << ": " << mark.name().toStdString();
        }
        for (const QColor& text : texts) {
            EXPECT_GE(
                contrastRatio(text, blended(s.findMatch, ColorScheme::FindMatchAlpha, s.paper)),
                4.5)
                << name.toStdString() << ": " << text.name().toStdString() << " on a find match";
        }
    }
    EXPECT_EQ(ColorScheme::named("no such").name, "Light");
}
