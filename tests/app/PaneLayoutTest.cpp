#include "app/PaneLayout.h"

#include <gtest/gtest.h>

using panes::Box;
using panes::Control;
using panes::Mode;
using panes::Placement;
using panes::WindowSize;

namespace {

void expectBox(const Placement& l, Control c, Box e) {
    SCOPED_TRACE(testing::Message() << "control #" << static_cast<int>(c));
    EXPECT_DOUBLE_EQ(l[c].left, e.left);
    EXPECT_DOUBLE_EQ(l[c].top, e.top);
    EXPECT_DOUBLE_EQ(l[c].width, e.width);
    EXPECT_DOUBLE_EQ(l[c].height, e.height);
}

WindowSize window(double width = 12000, double innerHeight = 8310, QString caption = QString()) {
    return WindowSize{width, width - 120, innerHeight, caption};
}

} // namespace

// A wider Back button and a lower TabStrip1 move the buttons along.
TEST(PaneLayoutSizeControls, SplitsDesignLayoutAtHalfWidth) {
    Placement l = panes::designLayout();
    l[Control::TabStrip1].top = 1000;
    l[Control::Back].width = 600;
    panes::sizeControls(l, 6000, window(12000, 8310, QStringLiteral("Page1")));
    expectBox(l, Control::htmlSource, {-15, 1300, 6000, 6560});
    expectBox(l, Control::imgSplitter, {6000, 1850, 150, 6560});
    expectBox(l, Control::htmlPreview, {6040, 1300, 5860, 6560});
    expectBox(l, Control::lblTitle0, {0, 12, 6000, 270});
    expectBox(l, Control::lblTitle1, {6060, 12, 5820, 270});
    expectBox(l, Control::TabStrip1, {-15, 1000, 6000, 405});
    expectBox(l, Control::TabStrip2, {7240, 900, 4660, 345});
    expectBox(l, Control::Back, {6140, 950, 600, 375});
    expectBox(l, Control::cmdNext, {6890, 950, 400, 375});
    EXPECT_DOUBLE_EQ(l.tabWidth1, 1188);
    EXPECT_DOUBLE_EQ(l.tabWidth2, 885.4);
    EXPECT_EQ(l.sourceTitle, QStringLiteral("HTML Source: Page1"));
    EXPECT_EQ(l.previewTitle, QStringLiteral("IE Browser Preview: Page1"));
}

TEST(PaneLayoutSizeControls, NegativeSplitSkipsOnlyNegativeSteps) {
    Placement l = panes::designLayout();
    panes::sizeControls(l, -300, window());
    // The source keeps 1935; later steps use that, and positions go negative.
    expectBox(l, Control::htmlSource, {-15, 1300, 1935, 6560});
    expectBox(l, Control::imgSplitter, {-300, 1850, 150, 6560});
    expectBox(l, Control::htmlPreview, {-260, 1300, 9925, 6560});
    expectBox(l, Control::TabStrip2, {940, 900, 8725, 345});
    EXPECT_DOUBLE_EQ(l.tabWidth1, 383.13);
    EXPECT_DOUBLE_EQ(l.tabWidth2, 1657.75);
}

TEST(PaneLayoutSizeControls, PaneTopsAndHeightsFollowTitleBarAndInnerHeight) {
    // A negative height is refused: all three keep the source's design 5040.
    const double cases[][5] = {// titles top, titles height, inner height, pane top, pane height
                               {0, 300, 1750, 1300, 0},
                               {0, 300, 1000, 1300, 5040},
                               {0, 450, 8310, 1450, 6410},
                               {100, 300, 8310, 1300, 6460}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << c[0] << "/" << c[1] << "/" << c[2]);
        Placement l = panes::designLayout();
        l[Control::picTitles].top = c[0];
        l[Control::picTitles].height = c[1];
        panes::sizeControls(l, 6000, window(12000, c[2]));
        expectBox(l, Control::htmlSource, {-15, c[3], 6000, c[4]});
        expectBox(l, Control::htmlPreview, {6040, c[3], 5860, c[4]});
        expectBox(l, Control::imgSplitter, {6000, c[3] + 550, 150, c[4]});
    }
}

TEST(PaneLayoutModes, SplitterPositionPerMode) {
    struct Case {
        Mode mode;
        double windowWidth, splitter, bar, tabs2; // splitter: imgSplitter left, source width
    };
    const Case cases[] = {{Mode::Both, 9001, 4500.5, 2040, 600.495},
                          {Mode::PreviewOnly, 12000, 0, 0, 2025.4},
                          {Mode::Code10, 12000, 1200, 1200, 1797.4},
                          {Mode::Preview10, 12000, 10800, 10800, 0}}; // tabs2 refused
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(c.mode));
        Placement l = panes::designLayout();
        panes::applyMode(l, c.mode, window(c.windowWidth));
        EXPECT_DOUBLE_EQ(l[Control::imgSplitter].left, c.splitter);
        EXPECT_DOUBLE_EQ(l[Control::picSplitter].left, c.bar);
        EXPECT_DOUBLE_EQ(l[Control::htmlSource].width, c.splitter);
        EXPECT_DOUBLE_EQ(l[Control::htmlPreview].left, c.splitter + 40);
        EXPECT_DOUBLE_EQ(l[Control::htmlPreview].width, c.windowWidth - c.splitter - 140);
        EXPECT_DOUBLE_EQ(l.tabWidth2, c.tabs2);
    }
}

TEST(PaneLayoutModes, SourceOnlyLeavesNarrowPreviewAndKeepsRefusedSizes) {
    Placement l = panes::designLayout();
    panes::applyMode(l, Mode::Both, window());
    panes::applyMode(l, Mode::SourceOnly, window());
    EXPECT_DOUBLE_EQ(l[Control::picSplitter].left, 11928);
    expectBox(l, Control::htmlPreview, {11890, 1300, 10, 6560});
    // Preview title, TabStrip2 and tab widths would be negative: each keeps its
    // Both value, while the steps after them still run.
    expectBox(l, Control::lblTitle1, {11910, 12, 5820, 270});
    expectBox(l, Control::TabStrip2, {13090, 900, 4660, 345});
    expectBox(l, Control::cmdNext, {12540, 835, 400, 375});
    EXPECT_DOUBLE_EQ(l.tabWidth1, 2346.3);
    EXPECT_DOUBLE_EQ(l.tabWidth2, 885.4);
}

TEST(PaneLayoutHorizontal, StacksPanes) {
    Placement l = panes::designLayout();
    panes::horizontalLayout(l, window());
    expectBox(l, Control::htmlSource, {40, 850, 11800, 2855});
    expectBox(l, Control::htmlPreview, {40, 4255, 11800, 3005});
    // Title widths come from the source width before it was widened.
    expectBox(l, Control::lblTitle0, {40, 12, 967.5, 270});
    expectBox(l, Control::lblTitle1, {6000, 12, 4922.5, 270});

    // In a short window the source keeps its height; the preview is 150 taller.
    l = panes::designLayout();
    panes::horizontalLayout(l, window(12000, 2000));
    expectBox(l, Control::htmlSource, {40, 850, 11800, 5040});
    expectBox(l, Control::htmlPreview, {40, 1100, 11800, 5190});
}

TEST(PaneLayoutDrag, BeginMoveEnd) {
    // Begin: the bar is half the grab area's rounded width, 1520 shorter.
    const double grabs[][4] = {
        {152.6, 4785, 76, 3265}, {149.5, 4785, 75, 3265}, {150, 1000, 75, 4800}};
    for (const auto& g : grabs) {
        Placement l = panes::designLayout();
        l[Control::imgSplitter].width = g[0];
        l[Control::imgSplitter].height = g[1];
        panes::beginSplitterDrag(l);
        expectBox(l, Control::picSplitter, {1920, 240, g[2], g[3]});
    }

    // Move: the bar goes to 1920 + mouseX, kept 500 from either edge, and
    // the panes wait for mouse up.
    const double moves[][3] = {{12000, -1421, 500},  {12000, -1420, 500},  {12000, 0, 1920},
                               {12000, 9580, 11500}, {12000, 9581, 11500}, {800, -1820, 500},
                               {800, -1220, 300}};
    for (const auto& m : moves) {
        SCOPED_TRACE(testing::Message() << "width " << m[0] << ", mouseX " << m[1]);
        Placement l = panes::designLayout();
        panes::beginSplitterDrag(l);
        panes::moveSplitterDrag(l, m[1], window(m[0]));
        EXPECT_DOUBLE_EQ(l[Control::picSplitter].left, m[2]);
        expectBox(l, Control::htmlSource, {-15, 1335, 1935, 5040});
    }

    // End: the panes are laid out at the bar.
    Placement l = panes::designLayout();
    panes::beginSplitterDrag(l);
    panes::moveSplitterDrag(l, 2080, window());
    panes::endSplitterDrag(l, window());
    expectBox(l, Control::imgSplitter, {4000, 1850, 150, 6560});
    expectBox(l, Control::htmlSource, {-15, 1300, 4000, 6560});
}
