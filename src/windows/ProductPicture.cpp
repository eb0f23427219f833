#include "windows/ProductPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace markwright {

QPixmap productPicture(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x1f, 0x3a, 0x5f));
    sky.setColorAt(1, QColor(0x2f, 0x6d, 0x9c));
    p.fillRect(pixmap.rect(), sky);

    // A sheet of markup, slightly turned.
    p.save();
    p.translate(w * 0.30, h * 0.40);
    p.rotate(-8);
    const QRectF sheet(-w * 0.17, -h * 0.28, w * 0.34, h * 0.50);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(sheet.translated(5, 6), 6, 6);
    p.setBrush(QColor(0xfb, 0xfb, 0xf8));
    p.drawRoundedRect(sheet, 6, 6);
    const QColor lineColors[] = {QColor(0x7a, 0x3f, 0xa0), QColor(0x2e, 0x8b, 0x57),
                                 QColor(0x2f, 0x4a, 0x6d)};
    for (int i = 0; i < 7; ++i) {
        const double y = sheet.top() + 18 + i * (sheet.height() - 30) / 7.0;
        const double indent = (i % 3) * 10.0;
        p.setPen(QPen(lineColors[i % 3], 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(sheet.left() + 14 + indent, y),
                   QPointF(sheet.right() - 18 - (i * 13) % 40, y));
    }
    p.restore();

    // Angle brackets around a slash: the mark of the product.
    QFont mark(QStringLiteral("DejaVu Sans Mono"));
    mark.setPixelSize(static_cast<int>(h * 0.26));
    mark.setBold(true);
    p.setFont(mark);
    p.setPen(QColor(0xf6, 0xc3, 0x4a));
    p.drawText(QRectF(w * 0.50, h * 0.12, w * 0.46, h * 0.40), Qt::AlignCenter,
               QStringLiteral("</>"));

    // The name and what it is.
    QFont name(QStringLiteral("Arial Black"));
    name.setPixelSize(static_cast<int>(h * 0.13));
    name.setWeight(QFont::Black);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, h * 0.70, w, h * 0.16), Qt::AlignCenter, QStringLiteral("Markwright"));
    QFont line(QStringLiteral("Arial"));
    line.setPixelSize(static_cast<int>(h * 0.045));
    p.setFont(line);
    p.setPen(QColor(0xdd, 0xe8, 0xf5));
    p.drawText(QRectF(0, h * 0.86, w, h * 0.07), Qt::AlignCenter,
               QStringLiteral("HTML by hand, with a live preview  \u00b7  Tollvane"));
    return pixmap;
}

} // namespace markwright
