#pragma once

#include <QString>
#include <array>
#include <cstddef>

namespace markwright {

// Geometry of the main window's pane-related controls, computed in twips
// (1/1440 inch, 15 twips per pixel at 96 dpi) from one number: the splitter's
// left edge. Pure logic with no widgets; a thin step elsewhere applies the
// result to the real controls.
namespace panes {

struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

enum class Control : std::size_t {
    picTitles,
    lblTitle0, // source-pane title
    lblTitle1, // preview-pane title
    Toolbar1,
    TabStrip1,
    Back,
    cmdNext,
    TabStrip2,
    htmlSource,
    imgSplitter,
    picSplitter,
    htmlPreview,
    StatusBar1,
    Count
};

struct Placement {
    std::array<Box, static_cast<std::size_t>(Control::Count)> boxes{};
    QString sourceTitle;  // caption of lblTitle(0)
    QString previewTitle; // caption of lblTitle(1)
    double tabWidth1 = 0; // fixed tab width of TabStrip1
    double tabWidth2 = 0; // fixed tab width of TabStrip2

    Box& operator[](Control c) { return boxes[static_cast<std::size_t>(c)]; }
    const Box& operator[](Control c) const { return boxes[static_cast<std::size_t>(c)]; }
};

// The window the layout is computed for, in twips.
struct WindowSize {
    double width = 12000;      // the window's width
    double innerWidth = 11880; // width of its client area
    double innerHeight = 8310; // height of its client area
    QString selectedCaption;   // caption of the selected tab of TabStrip1
};

// The placements of the 12000 by 9000 design window, before any layout ran.
Placement designLayout();

// Places every pane-related control for a splitter at x. Steps run in order,
// each using the values left by the earlier ones; a step whose value a
// control cannot take (a negative width or height) is skipped and the rest
// still run, so the layout never stops half-way.
void sizeControls(Placement& l, double x, const WindowSize& w);

// Stacks the source pane above the preview, both across the whole window.
void horizontalLayout(Placement& l, const WindowSize& w);

enum class Mode { Both, SourceOnly, PreviewOnly, Code10, Preview10 };

// The view modes are particular splitter positions fed to sizeControls.
void applyMode(Placement& l, Mode mode, const WindowSize& w);

// Splitter drag. Mouse down shows the bar over the grab area; a move places
// the bar at the grab area's left + mouseX, kept 500 twips from either edge
// (the panes do not follow); mouse up lays out at the bar's left.
void beginSplitterDrag(Placement& l);
void moveSplitterDrag(Placement& l, double mouseX, const WindowSize& w);
void endSplitterDrag(Placement& l, const WindowSize& w);

} // namespace panes

} // namespace markwright
