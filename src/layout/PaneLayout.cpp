#include "layout/PaneLayout.h"

#include "core/PaneTitles.h"

#include <cmath>

namespace markwright {

namespace panes {

namespace {

// A control refuses a negative size; the assignment is then dropped and the
// control keeps what it had. Positions may be negative.
void setWidth(Box& b, double v) {
    if (v >= 0)
        b.width = v;
}

void setHeight(Box& b, double v) {
    if (v >= 0)
        b.height = v;
}

void setTabWidth(double& tabWidth, double v) {
    if (v >= 0)
        tabWidth = v;
}

} // namespace

Placement designLayout() {
    Placement l;
    l[Control::picTitles] = {0, 0, 11880, 300};
    l[Control::lblTitle0] = {0, 12, 2016, 270};
    l[Control::lblTitle1] = {2070, -15, 3210, 270};
    l[Control::Toolbar1] = {0, 300, 11880, 525};
    l[Control::TabStrip1] = {60, 885, 4995, 405};
    l[Control::Back] = {5490, 885, 400, 375};
    l[Control::cmdNext] = {6015, 885, 400, 375};
    l[Control::TabStrip2] = {6495, 900, 5145, 345};
    l[Control::htmlSource] = {-15, 1335, 1935, 5040};
    l[Control::imgSplitter] = {1920, 240, 150, 4785};
    l[Control::picSplitter] = {2040, 360, 72, 4800};
    l[Control::htmlPreview] = {2160, 840, 3180, 5775};
    l[Control::StatusBar1] = {0, 7935, 11880, 375};
    l.sourceTitle = QStringLiteral(" HTML Source:");
    l.previewTitle = QStringLiteral(" IE Browser:");
    l.tabWidth1 = 0;
    l.tabWidth2 = 0;
    return l;
}

void sizeControls(Placement& l, double x, const WindowSize& w) {
    Box& titles = l[Control::picTitles];
    Box& srcTitle = l[Control::lblTitle0];
    Box& prevTitle = l[Control::lblTitle1];
    Box& tabs1 = l[Control::TabStrip1];
    Box& tabs2 = l[Control::TabStrip2];
    Box& back = l[Control::Back];
    Box& next = l[Control::cmdNext];
    Box& source = l[Control::htmlSource];
    Box& splitter = l[Control::imgSplitter];
    Box& preview = l[Control::htmlPreview];

    // Plain captions first; the selected tab's name is appended at the end.
    l.sourceTitle = QStringLiteral("HTML Source");
    l.previewTitle = QStringLiteral("IE Browser");

    // Horizontal split: source pane up to x, grab area at x, preview after it.
    setWidth(source, x);
    splitter.left = x;
    preview.left = x + 40;
    setWidth(preview, w.width - (source.width + 140));

    // Pane titles follow their panes.
    setWidth(srcTitle, source.width);
    prevTitle.top = srcTitle.top;
    prevTitle.left = preview.left + 20;
    setWidth(prevTitle, preview.width - 40);

    // Vertical extent: below the titles, toolbar and tab strips, down to the
    // status bar.
    source.top = titles.height + 550 + 450;
    preview.top = source.top;
    setHeight(source, w.innerHeight - (titles.top + titles.height) - 1450);
    setHeight(preview, source.height);
    splitter.top = source.top + 550;
    setHeight(splitter, source.height);

    // Tab strips sit over their panes; the preview strip leaves room for the
    // Back/Next buttons at its left.
    tabs1.left = source.left;
    setWidth(tabs1, source.width);
    tabs2.left = preview.left + 1200;
    setWidth(tabs2, preview.width - 1200);
    back.left = preview.left + 100;
    back.top = tabs1.top - 50;
    next.left = back.left + 150 + back.width;
    next.top = back.top;

    // Five tabs fit across each strip.
    setTabWidth(l.tabWidth1, (source.width / 5) * 0.99);
    setTabWidth(l.tabWidth2, ((preview.width - 1200) / 5) * 0.95);

    l.previewTitle = previewPaneTitle(w.selectedCaption);
    l.sourceTitle = sourcePaneTitle(w.selectedCaption);
}

void horizontalLayout(Placement& l, const WindowSize& w) {
    const Box& titles = l[Control::picTitles];
    Box& srcTitle = l[Control::lblTitle0];
    Box& prevTitle = l[Control::lblTitle1];
    Box& source = l[Control::htmlSource];
    Box& preview = l[Control::htmlPreview];

    // Titles share the top row: source title on the left half, preview title
    // on the right half.
    setWidth(preview, w.width - (source.width + 140));
    setWidth(srcTitle, source.width / 2);
    srcTitle.left = 40;
    prevTitle.top = srcTitle.top;
    prevTitle.left = w.width / 2;
    setWidth(prevTitle, preview.width / 2 - 40);

    // Source in the upper half, preview in the lower half.
    source.top = titles.height + 550;
    preview.top = w.innerHeight / 2 + 100;
    setHeight(source, w.innerHeight / 2 - 500 - (titles.top + titles.height) - 500);
    setHeight(preview, source.height + 150);

    // Both panes span the client area with a 40-twip margin.
    setWidth(source, w.innerWidth - 80);
    setWidth(preview, source.width);
    source.left = 40;
    preview.left = 40;
}

void applyMode(Placement& l, Mode mode, const WindowSize& w) {
    Box& bar = l[Control::picSplitter];
    Box& grab = l[Control::imgSplitter];
    switch (mode) {
    case Mode::Both:
        sizeControls(l, w.width / 2, w);
        return;
    case Mode::SourceOnly:
        bar.left = w.width - bar.width;
        grab.left = w.width - grab.width;
        break;
    case Mode::PreviewOnly:
        bar.left = 0;
        grab.left = 0;
        break;
    case Mode::Code10:
        bar.left = w.width * 0.1;
        grab.left = w.width * 0.1;
        break;
    case Mode::Preview10:
        bar.left = w.width * 0.9;
        grab.left = w.width * 0.9;
        break;
    }
    sizeControls(l, grab.left, w);
}

void beginSplitterDrag(Placement& l) {
    const Box& grab = l[Control::imgSplitter];
    Box& bar = l[Control::picSplitter];
    bar.left = grab.left;
    bar.top = grab.top;
    // The bar is half as wide as the grab area, in whole twips.
    setWidth(bar, static_cast<double>(std::llround(grab.width) / 2));
    setHeight(bar, grab.height - 1520);
}

void moveSplitterDrag(Placement& l, double mouseX, const WindowSize& w) {
    const double pos = l[Control::imgSplitter].left + mouseX;
    Box& bar = l[Control::picSplitter];
    if (pos < 500)
        bar.left = 500;
    else if (pos <= w.width - 500)
        bar.left = pos;
    else
        bar.left = w.width - 500;
}

void endSplitterDrag(Placement& l, const WindowSize& w) {
    sizeControls(l, l[Control::picSplitter].left, w);
}

} // namespace panes

} // namespace markwright
