// Matching tags and line-end styles: the pure scanners behind the pane's
// tag highlight, Enter key and status panel.
#include "editor/TagMatch.h"
#include "editor/LineEnds.h"
#include "support/TestData.h"

TEST(TagMatch, FindsTheMatchingTagAcrossNestingAndCase) {
    for (const QByteArrayList& c : testdata::table("expected/tag-match.txt")) {
        SCOPED_TRACE("caret " + c[1].toStdString());
        const auto pair = tagmatch::find(c[0], c[1].toLongLong());
        ASSERT_EQ(pair.has_value(), c[2] != "-1");
        if (pair) {
            EXPECT_EQ(pair->here.start, c[2].toLongLong());
            EXPECT_EQ(pair->match.start, c[3].toLongLong());
        }
    }
    EXPECT_FALSE(tagmatch::find("<p>" + QByteArray(1000, 'x') + "</p>", 1, 100))
        << "looks no further than its reach";
}

TEST(LineEnds, FirstAndOverallStyle) {
    const QByteArrayList styles{"None", "CrLf", "Lf", "Cr", "Mixed"};
    for (const QByteArrayList& c : testdata::table("expected/line-ends.txt")) {
        EXPECT_EQ(styles.value(int(lineends::first(c[0]))), c[1]) << c[0].toHex().data();
        EXPECT_EQ(styles.value(int(lineends::overall(c[0]))), c[2]) << c[0].toHex().data();
    }
}
