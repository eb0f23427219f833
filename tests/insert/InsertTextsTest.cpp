#include "insert/ColorCode.h"
#include "insert/Links.h"
#include "insert/Tables.h"
#include "support/TestData.h"

// Red, green and blue from the low byte up; out of range, only the lowest 24
// bits count.
TEST(ColorToHex, GivesRedGreenBlueFromTheLowByteUp) {
    for (const QByteArrayList& c : testdata::table("expected/color-hex.txt")) {
        EXPECT_EQ(colorToHex(c[0].toInt()).toStdString(), c[1].toStdString()) << c[0].data();
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
