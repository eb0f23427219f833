#include "frames/FramePicture.h"

#include <QPainter>

namespace markwright {

namespace frames {

namespace {
constexpr double PageWidth = 800;
constexpr double PageHeight = 600;

// The lengths of the parts of `total` (in picture units) for the sizes of a
// frameset; `pageTotal` is the same extent in page pixels.
std::vector<double> lengths(const QStringList& sizes, double total, double pageTotal) {
    std::vector<double> result(static_cast<std::size_t>(sizes.size()), 0.0);
    double used = 0;
    int stars = 0;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QString& s = sizes[i];
        double& length = result[static_cast<std::size_t>(i)];
        if (s == QLatin1String("*")) {
            ++stars;
            continue;
        }
        if (s.endsWith(QLatin1Char('%'))) {
            length = total * s.chopped(1).toDouble() / 100.0;
        } else {
            length = total * s.toDouble() / pageTotal;
        }
        used += length;
    }
    const double rest = std::max(0.0, total - used);
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        if (sizes[i] == QLatin1String("*")) {
            result[static_cast<std::size_t>(i)] = rest / stars;
        }
    }
    return result;
}

void collect(const Split& split, const QRectF& area, double pageWidth, double pageHeight,
             std::vector<QRectF>& out) {
    if (split.sizes.isEmpty()) {
        out.push_back(area);
        return;
    }
    const std::vector<double> parts = split.rows ? lengths(split.sizes, area.height(), pageHeight)
                                                 : lengths(split.sizes, area.width(), pageWidth);
    double offset = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const QRectF part = split.rows
                                ? QRectF(area.left(), area.top() + offset, area.width(), parts[i])
                                : QRectF(area.left() + offset, area.top(), parts[i], area.height());
        // A nested frameset sees its own share of the page.
        const double childWidth = split.rows ? pageWidth : pageWidth * parts[i] / area.width();
        const double childHeight = split.rows ? pageHeight * parts[i] / area.height() : pageHeight;
        const Split& child = i < split.parts.size() ? split.parts[i] : Split{};
        collect(child, part, childWidth, childHeight, out);
        offset += parts[i];
    }
}
} // namespace

std::vector<QRectF> frameRects(const Split& split, const QRectF& area) {
    std::vector<QRectF> out;
    collect(split, area, PageWidth, PageHeight, out);
    return out;
}

QPixmap picture(const Split& split, const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF window(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    // A browser window: a title bar, then the page area split into frames.
    painter.setPen(QColor(0x33, 0x44, 0x55));
    painter.setBrush(QColor(0x4a, 0x6f, 0x9c));
    painter.drawRect(window);
    const double bar = std::max(4.0, size.height() * 0.12);
    const QRectF page(window.left() + 2, window.top() + bar, window.width() - 4,
                      window.height() - bar - 2);
    const QColor fills[] = {QColor(0xff, 0xff, 0xff), QColor(0xe8, 0xf0, 0xfa),
                            QColor(0xfd, 0xf3, 0xe1), QColor(0xe9, 0xf6, 0xe9)};
    int index = 0;
    for (const QRectF& rect : frameRects(split, page)) {
        painter.setBrush(fills[index++ % 4]);
        painter.setPen(QColor(0x55, 0x66, 0x77));
        painter.drawRect(rect);
    }
    return pixmap;
}

} // namespace frames

} // namespace markwright
