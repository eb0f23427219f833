#include "insert/ColorCode.h"
#include "insert/Links.h"
#include "insert/Tables.h"
#include "support/TestData.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(ColorToHex, GivesRedGreenBlueFromTheLowByteUp) {
    const std::pair<int, const char*> cases[] = {
        {0, "#000000"},
        {255, "#FF0000"},
        {65280, "#00FF00"},
        {16711680, "#0000FF"},
        {16777215, "#FFFFFF"},
        {657930, "#0A0A0A"},
        {0x00123456, "#563412"},
        // Out of range: only the lowest 24 bits count.
        {-1, "#FFFFFF"},
        {16777216, "#000000"},
        {0x7F0000FF, "#FF0000"},
        {std::numeric_limits<int>::min(), "#000000"},
    };
    for (const auto& [color, hex] : cases) {
        EXPECT_EQ(colorToHex(color).toStdString(), hex) << color;
    }
}

// Line counts, widths and cells of all sixteen tables.
TEST(TableBlock, EveryTableHasItsLinesWidthsAndCells) {
    for (int rows = 1; rows <= 4; ++rows) {
        for (int columns = 1; columns <= 4; ++columns) {
            SCOPED_TRACE(QStringLiteral("%1x%2").arg(rows).arg(columns).toStdString());
            const QString block = tableBlock(rows, columns);
            ASSERT_TRUE(block.endsWith("</table></center></div>\n</center></div>\n"));
            EXPECT_FALSE(block.contains('\r'));
            EXPECT_EQ(block.count('\n'), 4 + rows * (2 + 4 * columns));
            EXPECT_EQ(block.count("\nEnter Text Here\n"), rows * columns);
            EXPECT_EQ(block.count("<tr>\n"), rows);
            EXPECT_EQ(block.count("background=\" \""), rows * columns);
            QStringList widths;
            for (const QString& line : block.split('\n')) {
                if (line.startsWith("<td width=\"")) {
                    widths.append(line.section('"', 1, 1));
                }
            }
            const QStringList row = columns == 1   ? QStringList{"100%"}
                                    : columns == 2 ? QStringList{"50%", "50%"}
                                    : columns == 4 ? QStringList{"25%", "25%", "25%", "25%"}
                                    : rows == 1    ? QStringList{"33%", "33%", "33%"}
                                                   : QStringList{"34%", "33%", "33%"};
            QStringList expected;
            for (int r = 0; r < rows; ++r) {
                expected += row;
            }
            EXPECT_EQ(widths, expected);
            const bool plainFace = rows == 3 && columns == 3;
            EXPECT_EQ(block.count("face=Arial><strong>"), plainFace ? 9 : 0);
            EXPECT_EQ(block.count("face=\"Arial\" size=\"3\"><strong>"),
                      plainFace ? 0 : rows * columns);
        }
    }
}

TEST(TableBlock, OneByOneAndThreeByThreeAreExact) {
    EXPECT_EQ(tableBlock(1, 1).toStdString(),
              testdata::text("expected/table-1x1.html").toStdString());
    EXPECT_EQ(tableBlock(3, 3).toStdString(),
              testdata::text("expected/table-3x3.html").toStdString());
}

TEST(Links, PathsKeepEveryCharacterButBackslashes) {
    EXPECT_EQ(links::webPath("C:\\site\\a.htm"), "C:/site/a.htm");
    const QString odd = "C:\\x+y^z%1~(a){b}[c]\\%2 pic.gif";
    EXPECT_EQ(links::image(links::ImageForm::PathOnly, links::webPath(odd), "\r\n"),
              "<img src=\"C:/x+y^z%1~(a){b}[c]/%2 pic.gif\">");
    EXPECT_EQ(links::hyperlink("a%1b", "_top"),
              "<a href=\"a%1b\" Target=\"_top\">Link Object Here</a>");
}
