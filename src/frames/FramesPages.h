#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace markwright {

// The twelve frameset layouts of the frames wizard: each one's geometry (for
// its picture) and its page text.
namespace frames {

// A frame, or a frameset splitting its area into rows or columns. Sizes are
// as a frameset writes them: "20%", "64" (pixels) or "*" (the rest).
struct Split {
    bool rows = false;
    QStringList sizes;        // empty for a single frame
    std::vector<Split> parts; // one per size
};

struct FrameLayout {
    const char* button; // "Command1"...
    Split geometry;
    QStringList lines; // the layout's own lines, "{dir}" standing for the program folder
};

// In the wizard's order: the top row left to right, then the bottom row.
const std::vector<FrameLayout>& layouts();
const FrameLayout* layoutFor(const QString& button);

// The whole page for a layout: the template's head, the layout's lines with
// {dir} replaced by `programFolder` (as given: no separator is added or
// removed), and the closing lines; every line ends with LF.
QString page(const FrameLayout& layout, const QString& programFolder);

} // namespace frames

} // namespace markwright
