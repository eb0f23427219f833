#include "layout/PaneLayout.h"
#include "support/PanePlaces.h"
#include "support/TestData.h"

using panes::Placement;

namespace {
const QByteArrayList Fields{"left", "top", "width", "height"};
} // namespace

// Each case of tests/data/expected/pane-layout.txt: steps from the design
// layout, then the boxes, tab widths and titles they must give.
TEST(PaneLayout, EveryCaseGivesItsPlacements) {
    const QByteArrayList modes{"Both", "SourceOnly", "PreviewOnly", "Code10", "Preview10"};
    Placement l;
    QByteArray name;
    for (const QByteArrayList& row : testdata::table("expected/pane-layout.txt")) {
        SCOPED_TRACE((name + ": " + row.join('|')).toStdString());
        const auto n = [&row](int i) { return row.value(i).toDouble(); };
        const auto window = [&](int i) {
            return panes::WindowSize{n(i), n(i) - 120, row.value(i + 1, "8310").toDouble(),
                                     QString::fromUtf8(row.value(i + 2))};
        };
        const QByteArray& step = row[0];
        if (step == "new") {
            l = panes::designLayout();
            name = row.value(1);
        } else if (step == "set") {
            placementValue(l, row[1]) = n(2);
        } else if (step == "size") {
            panes::sizeControls(l, n(1), window(2));
        } else if (step == "mode") {
            ASSERT_TRUE(modes.contains(row[1]));
            panes::applyMode(l, static_cast<panes::Mode>(modes.indexOf(row[1])), window(2));
        } else if (step == "horizontal") {
            panes::horizontalLayout(l, window(1));
        } else if (step == "begin") {
            panes::beginSplitterDrag(l);
        } else if (step == "move") {
            panes::moveSplitterDrag(l, n(1), window(2));
        } else if (step == "end") {
            panes::endSplitterDrag(l, window(1));
        } else if (step == "box") {
            for (int i = 0; i < 4; ++i) {
                EXPECT_DOUBLE_EQ(placementValue(l, row[1] + '.' + Fields[i]), n(i + 2))
                    << Fields[i].data();
            }
        } else if (step == "is") {
            EXPECT_DOUBLE_EQ(placementValue(l, row[1]), n(2));
        } else if (step == "title") {
            EXPECT_EQ(l.sourceTitle, QString::fromUtf8(row.value(1)));
            EXPECT_EQ(l.previewTitle, QString::fromUtf8(row.value(2)));
        } else {
            FAIL() << "unknown step";
        }
    }
}
