#include "insert/ColorCode.h"
#include "insert/Links.h"
#include "insert/Tables.h"
#include "support/TestData.h"

#include <climits>
#include <gtest/gtest.h>

TEST(ColorToHex, GivesRedGreenBlueFromTheLowByteUp) {
    // Out of range (the last four): only the lowest 24 bits count.
    const std::pair<int, const char*> cases[] = {
        {0, "#000000"},          {255, "#FF0000"},      {65280, "#00FF00"},
        {16711680, "#0000FF"},   {16777215, "#FFFFFF"}, {657930, "#0A0A0A"},
        {0x00123456, "#563412"}, {-1, "#FFFFFF"},       {16777216, "#000000"},
        {0x7F0000FF, "#FF0000"}, {INT_MIN, "#000000"}};
    for (const auto& [color, hex] : cases) {
        EXPECT_EQ(colorToHex(color).toStdString(), hex) << color;
    }
}

// All sixteen tables, each written out in tests/data/expected/tables.
TEST(TableBlock, EveryTableIsExact) {
    for (int rows = 1; rows <= 4; ++rows) {
        for (int columns = 1; columns <= 4; ++columns) {
            const QString name = QStringLiteral("%1x%2").arg(rows).arg(columns);
            EXPECT_EQ(tableBlock(rows, columns).toStdString(),
                      testdata::text("expected/tables/" + name + ".html").toStdString())
                << name.toStdString();
        }
    }
}

TEST(Links, PathsKeepEveryCharacterButBackslashes) {
    EXPECT_EQ(links::webPath("C:\\site\\a.htm"), "C:/site/a.htm");
    const QString odd = "C:\\x+y^z%1~(a){b}[c]\\%2 pic.gif";
    EXPECT_EQ(links::image(links::ImageForm::PathOnly, links::webPath(odd), "\r\n"),
              "<img src=\"C:/x+y^z%1~(a){b}[c]/%2 pic.gif\">");
    EXPECT_EQ(links::hyperlink("a%1b", "_top"),
              "<a href=\"a%1b\" Target=\"_top\">Link Object Here</a>");
}
