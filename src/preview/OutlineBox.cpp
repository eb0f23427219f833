#include "preview/OutlineBox.h"

#include <QPainter>

namespace markwright {

namespace {
constexpr int Border = 2;
constexpr int LabelHeight = 16;
const QColor Colour(0x3a, 0x6e, 0xd8);
} // namespace

OutlineBox::OutlineBox(QWidget* view) : QWidget(view) {
    setObjectName(QStringLiteral("previewOutline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void OutlineBox::outline(const QRectF& box, const QString& name, QPointF scroll, qreal zoom) {
    m_box = box;
    m_name = name;
    m_scroll = scroll;
    m_zoom = zoom > 0 ? zoom : 1;
    place();
    show();
    raise();
    update();
}

void OutlineBox::follow(QPointF scroll) {
    if (isVisible()) {
        m_scroll = scroll;
        place();
    }
}

void OutlineBox::clear() {
    hide();
    m_name.clear();
}

QRect OutlineBox::shownBox() const {
    return QRectF((m_box.topLeft() - m_scroll) * m_zoom, m_box.size() * m_zoom).toAlignedRect();
}

void OutlineBox::place() {
    // The widget holds the box and the label above it (or inside its top
    // edge when the box starts at the top of the view).
    const QRect box = shownBox().adjusted(-Border, -Border, Border, Border);
    setGeometry(box.adjusted(0, -LabelHeight, 0, 0));
}

void OutlineBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect().adjusted(0, LabelHeight, 0, 0);
    painter.fillRect(box.adjusted(Border, Border, -Border, -Border), QColor(58, 110, 216, 20));
    painter.setPen(QPen(Colour, Border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(box).adjusted(Border / 2.0, Border / 2.0, -Border / 2.0, -Border / 2.0));
    QFont small = font();
    small.setPixelSize(11);
    painter.setFont(small);
    const int width = painter.fontMetrics().horizontalAdvance(m_name) + 8;
    const QRect label(0, 0, qMin(width, qMax(width, rect().width())), LabelHeight);
    painter.fillRect(label, Colour);
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, m_name);
}

} // namespace markwright
