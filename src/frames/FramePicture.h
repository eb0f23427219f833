#pragma once

#include "frames/FramesPages.h"

#include <QPixmap>
#include <QRectF>
#include <vector>

namespace markwright {

namespace frames {

// The frames' rectangles inside `area`, as a browser window of
// 800 by 600 pixels would lay the split out, scaled to the area: percentages
// of the parent, pixel sizes in proportion, "*" sharing what is left.
std::vector<QRectF> frameRects(const Split& split, const QRectF& area);

// A small drawing of the layout: a window with its frames.
QPixmap picture(const Split& split, const QSize& size);

} // namespace frames

} // namespace markwright
