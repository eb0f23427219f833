#include "app/PaneLayout.h"

#include <gtest/gtest.h>

using layout::Box;
using layout::Control;
using layout::Layout;
using layout::Mode;
using layout::Window;

namespace {

struct Expected {
    double left, top, width, height;
};

void expectBox(const Layout& l, Control c, Expected e) {
    SCOPED_TRACE(testing::Message() << "control #" << static_cast<int>(c));
    const Box& b = l[c];
    EXPECT_DOUBLE_EQ(b.left, e.left);
    EXPECT_DOUBLE_EQ(b.top, e.top);
    EXPECT_DOUBLE_EQ(b.width, e.width);
    EXPECT_DOUBLE_EQ(b.height, e.height);
}

Window window(double width = 12000, double innerHeight = 8310, QString caption = QString()) {
    Window w;
    w.width = width;
    w.innerWidth = width - 120;
    w.innerHeight = innerHeight;
    w.selectedCaption = caption;
    return w;
}

} // namespace

// --- sizeControls -----------------------------------------------------------

TEST(PaneLayoutSizeControls, SplitsDesignLayoutAtHalfWidth) {
    Layout l = layout::designLayout();
    layout::sizeControls(l, 6000, window(12000, 8310, QStringLiteral("Page1")));

    expectBox(l, Control::htmlSource, {-15, 1300, 6000, 6560});
    expectBox(l, Control::imgSplitter, {6000, 1850, 150, 6560});
    expectBox(l, Control::htmlPreview, {6040, 1300, 5860, 6560});
    expectBox(l, Control::lblTitle0, {0, 12, 6000, 270});
    expectBox(l, Control::lblTitle1, {6060, 12, 5820, 270});
    expectBox(l, Control::TabStrip1, {-15, 885, 6000, 405});
    expectBox(l, Control::TabStrip2, {7240, 900, 4660, 345});
    expectBox(l, Control::Back, {6140, 835, 400, 375});
    expectBox(l, Control::cmdNext, {6690, 835, 400, 375});
    EXPECT_DOUBLE_EQ(l.tabWidth1, 1188);
    EXPECT_DOUBLE_EQ(l.tabWidth2, 885.4);
    EXPECT_EQ(l.sourceTitle, QStringLiteral("HTML Source: Page1"));
    EXPECT_EQ(l.previewTitle, QStringLiteral("IE Browser Preview: Page1"));

    // Controls outside the panes are left alone.
    expectBox(l, Control::picTitles, {0, 0, 11880, 300});
    expectBox(l, Control::picSplitter, {2040, 360, 72, 4800});
    expectBox(l, Control::StatusBar1, {0, 7935, 11880, 375});
}

TEST(PaneLayoutSizeControls, NegativeSplitSkipsOnlyNegativeSteps) {
    Layout l = layout::designLayout();
    layout::sizeControls(l, -300, window());

    // The source pane refuses width -300 and keeps 1935; every later step
    // works from that held width while positions may go negative.
    expectBox(l, Control::htmlSource, {-15, 1300, 1935, 6560});
    expectBox(l, Control::imgSplitter, {-300, 1850, 150, 6560});
    expectBox(l, Control::htmlPreview, {-260, 1300, 9925, 6560});
    expectBox(l, Control::lblTitle0, {0, 12, 1935, 270});
    expectBox(l, Control::lblTitle1, {-240, 12, 9885, 270});
    expectBox(l, Control::TabStrip1, {-15, 885, 1935, 405});
    expectBox(l, Control::TabStrip2, {940, 900, 8725, 345});
    expectBox(l, Control::Back, {-160, 835, 400, 375});
    expectBox(l, Control::cmdNext, {390, 835, 400, 375});
    EXPECT_DOUBLE_EQ(l.tabWidth1, 383.13);
    EXPECT_DOUBLE_EQ(l.tabWidth2, 1657.75);
}

TEST(PaneLayoutSizeControls, PaneTopsAndHeightsFollowTitleBarAndInnerHeight) {
    struct Case {
        double titlesTop, titlesHeight, innerHeight;
        double paneTop, paneHeight;
    };
    // A negative pane height is refused: the source keeps its design 5040 and
    // the preview and grab area copy that.
    const Case cases[] = {
        {0, 300, 8310, 1300, 6560}, {0, 300, 3000, 1300, 1250}, {0, 300, 1750, 1300, 0},
        {0, 300, 1000, 1300, 5040}, {0, 450, 8310, 1450, 6410}, {100, 300, 8310, 1300, 6460},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "titles " << c.titlesTop << "/" << c.titlesHeight
                                        << ", inner height " << c.innerHeight);
        Layout l = layout::designLayout();
        l[Control::picTitles].top = c.titlesTop;
        l[Control::picTitles].height = c.titlesHeight;
        layout::sizeControls(l, 6000, window(12000, c.innerHeight));
        EXPECT_DOUBLE_EQ(l[Control::htmlSource].top, c.paneTop);
        EXPECT_DOUBLE_EQ(l[Control::htmlPreview].top, c.paneTop);
        EXPECT_DOUBLE_EQ(l[Control::imgSplitter].top, c.paneTop + 550);
        EXPECT_DOUBLE_EQ(l[Control::htmlSource].height, c.paneHeight);
        EXPECT_DOUBLE_EQ(l[Control::htmlPreview].height, c.paneHeight);
        EXPECT_DOUBLE_EQ(l[Control::imgSplitter].height, c.paneHeight);
    }
}

TEST(PaneLayoutSizeControls, ButtonsFollowPreviewAndTabStripTop) {
    Layout l = layout::designLayout();
    l[Control::TabStrip1].top = 1000;
    l[Control::Back].width = 600;
    layout::sizeControls(l, 3000, window());
    expectBox(l, Control::Back, {3140, 950, 600, 375});
    expectBox(l, Control::cmdNext, {3890, 950, 400, 375});
}

// --- view modes -------------------------------------------------------------

TEST(PaneLayoutModes, SplitterPositionPerMode) {
    struct Case {
        Mode mode;
        double windowWidth;
        double splitter;     // imgSplitter left, also the source width
        double bar;          // picSplitter left
        double previewWidth; // window width - (splitter + 140)
    };
    const Case cases[] = {
        {Mode::Both, 12000, 6000, 2040, 5860},        {Mode::Both, 9001, 4500.5, 2040, 4360.5},
        {Mode::PreviewOnly, 12000, 0, 0, 11860},      {Mode::Code10, 12000, 1200, 1200, 10660},
        {Mode::Preview10, 12000, 10800, 10800, 1060}, {Mode::Code10, 8000, 800, 800, 7060},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << static_cast<int>(c.mode) << ", width " << c.windowWidth);
        Layout l = layout::designLayout();
        layout::applyMode(l, c.mode, window(c.windowWidth));
        EXPECT_DOUBLE_EQ(l[Control::imgSplitter].left, c.splitter);
        EXPECT_DOUBLE_EQ(l[Control::picSplitter].left, c.bar);
        EXPECT_DOUBLE_EQ(l[Control::htmlSource].width, c.splitter);
        EXPECT_DOUBLE_EQ(l[Control::htmlPreview].left, c.splitter + 40);
        EXPECT_DOUBLE_EQ(l[Control::htmlPreview].width, c.previewWidth);
    }
}

TEST(PaneLayoutModes, PreviewOnlyCollapsesSource) {
    Layout l = layout::designLayout();
    layout::applyMode(l, Mode::PreviewOnly, window());
    expectBox(l, Control::htmlSource, {-15, 1300, 0, 6560});
    expectBox(l, Control::htmlPreview, {40, 1300, 11860, 6560});
    expectBox(l, Control::lblTitle0, {0, 12, 0, 270});
    expectBox(l, Control::lblTitle1, {60, 12, 11820, 270});
    expectBox(l, Control::TabStrip1, {-15, 885, 0, 405});
    expectBox(l, Control::TabStrip2, {1240, 900, 10660, 345});
    EXPECT_DOUBLE_EQ(l.tabWidth1, 0);
    EXPECT_DOUBLE_EQ(l.tabWidth2, 2025.4);
    EXPECT_EQ(l.sourceTitle, QStringLiteral("HTML Source: "));
    EXPECT_EQ(l.previewTitle, QStringLiteral("IE Browser Preview: "));
}

TEST(PaneLayoutModes, SourceOnlyLeavesNarrowPreviewAndKeepsRefusedSizes) {
    Layout l = layout::designLayout();
    const Window w = window(12000, 8310, QStringLiteral("Index"));
    layout::applyMode(l, Mode::Both, w);
    layout::applyMode(l, Mode::SourceOnly, w);

    EXPECT_DOUBLE_EQ(l[Control::picSplitter].left, 11928);
    expectBox(l, Control::imgSplitter, {11850, 1850, 150, 6560});
    expectBox(l, Control::htmlSource, {-15, 1300, 11850, 6560});
    expectBox(l, Control::htmlPreview, {11890, 1300, 10, 6560});
    expectBox(l, Control::lblTitle0, {0, 12, 11850, 270});
    // Preview title width (10 - 40), TabStrip2 width (10 - 1200) and its tab
    // width are negative: each keeps what the Both layout gave it, while the
    // positions after them are still updated.
    expectBox(l, Control::lblTitle1, {11910, 12, 5820, 270});
    expectBox(l, Control::TabStrip2, {13090, 900, 4660, 345});
    expectBox(l, Control::Back, {11990, 835, 400, 375});
    expectBox(l, Control::cmdNext, {12540, 835, 400, 375});
    EXPECT_DOUBLE_EQ(l.tabWidth1, 2346.3);
    EXPECT_DOUBLE_EQ(l.tabWidth2, 885.4);
    EXPECT_EQ(l.sourceTitle, QStringLiteral("HTML Source: Index"));
    EXPECT_EQ(l.previewTitle, QStringLiteral("IE Browser Preview: Index"));
}

// --- horizontal layout ------------------------------------------------------

TEST(PaneLayoutHorizontal, StacksDesignPanes) {
    Layout l = layout::designLayout();
    layout::horizontalLayout(l, window(12000, 8310, QStringLiteral("ignored")));

    expectBox(l, Control::htmlSource, {40, 850, 11800, 2855});
    expectBox(l, Control::htmlPreview, {40, 4255, 11800, 3005});
    // Title widths come from the source width before it was widened.
    expectBox(l, Control::lblTitle0, {40, 12, 967.5, 270});
    expectBox(l, Control::lblTitle1, {6000, 12, 4922.5, 270});

    // Splitter, tab strips, buttons, captions and tab widths stay as they were.
    expectBox(l, Control::imgSplitter, {1920, 240, 150, 4785});
    expectBox(l, Control::TabStrip2, {6495, 900, 5145, 345});
    expectBox(l, Control::Back, {5490, 885, 400, 375});
    EXPECT_EQ(l.sourceTitle, QStringLiteral(" HTML Source:"));
    EXPECT_EQ(l.previewTitle, QStringLiteral(" IE Browser:"));
    EXPECT_DOUBLE_EQ(l.tabWidth2, 0);
}

TEST(PaneLayoutHorizontal, TitlesUseSideBySideWidths) {
    Layout l = layout::designLayout();
    const Window w = window();
    layout::applyMode(l, Mode::Both, w);
    layout::horizontalLayout(l, w);
    // Source was 6000 wide, so the interim preview width is 12000 - 6140.
    expectBox(l, Control::lblTitle0, {40, 12, 3000, 270});
    expectBox(l, Control::lblTitle1, {6000, 12, 2890, 270});
}

TEST(PaneLayoutHorizontal, ShortWindowKeepsSourceHeight) {
    Layout l = layout::designLayout();
    // 2000 / 2 - 500 - 300 - 500 is negative: the source keeps 5040 and the
    // preview is 150 taller than that.
    layout::horizontalLayout(l, window(12000, 2000));
    expectBox(l, Control::htmlSource, {40, 850, 11800, 5040});
    expectBox(l, Control::htmlPreview, {40, 1100, 11800, 5190});
}

// --- splitter drag ----------------------------------------------------------

TEST(PaneLayoutDrag, BeginCoversGrabAreaWithHalfWidthBar) {
    struct Case {
        double grabWidth, grabHeight;
        double barWidth, barHeight;
    };
    const Case cases[] = {
        {150, 4785, 75, 3265},   {151, 4785, 75, 3265}, {152.6, 4785, 76, 3265},
        {149.5, 4785, 75, 3265}, {148.4, 1520, 74, 0},  {150, 1000, 75, 4800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "grab " << c.grabWidth << " x " << c.grabHeight);
        Layout l = layout::designLayout();
        l[Control::imgSplitter].width = c.grabWidth;
        l[Control::imgSplitter].height = c.grabHeight;
        layout::beginSplitterDrag(l);
        expectBox(l, Control::picSplitter, {1920, 240, c.barWidth, c.barHeight});
    }
}

TEST(PaneLayoutDrag, MoveKeepsBarAwayFromEdges) {
    struct Case {
        double windowWidth, mouseX, barLeft;
    };
    // The grab area's left is 1920, so the bar goes to 1920 + mouseX.
    const Case cases[] = {
        {12000, -1820, 500}, {12000, -1421, 500},  {12000, -1420, 500},  {12000, 0, 1920},
        {12000, 2080, 4000}, {12000, 9580, 11500}, {12000, 9581, 11500}, {12000, 20000, 11500},
        {800, -1820, 500},   {800, -1220, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.windowWidth << ", mouseX " << c.mouseX);
        Layout l = layout::designLayout();
        layout::beginSplitterDrag(l);
        layout::moveSplitterDrag(l, c.mouseX, window(c.windowWidth));
        EXPECT_DOUBLE_EQ(l[Control::picSplitter].left, c.barLeft);
        // Only the bar moves while dragging.
        expectBox(l, Control::imgSplitter, {1920, 240, 150, 4785});
        expectBox(l, Control::htmlSource, {-15, 1335, 1935, 5040});
        expectBox(l, Control::htmlPreview, {2160, 840, 3180, 5775});
    }
}

TEST(PaneLayoutDrag, EndLaysOutAtBar) {
    Layout l = layout::designLayout();
    const Window w = window();
    layout::beginSplitterDrag(l);
    layout::moveSplitterDrag(l, 2080, w);
    layout::endSplitterDrag(l, w);
    EXPECT_DOUBLE_EQ(l[Control::picSplitter].left, 4000);
    expectBox(l, Control::imgSplitter, {4000, 1850, 150, 6560});
    expectBox(l, Control::htmlSource, {-15, 1300, 4000, 6560});
    expectBox(l, Control::htmlPreview, {4040, 1300, 7860, 6560});
}
