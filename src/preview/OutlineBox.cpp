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

int OutlineBox::labelWidth() const {
    QFont small = font();
    small.setPixelSize(11);
    return QFontMetrics(small).horizontalAdvance(m_name) + 8;
}

void OutlineBox::place() {
    // The widget holds the box and the label: above the box, or inside its
    // top edge when there is no room above it in the view; at least as wide
    // as the label.
    const QRect box = shownBox().adjusted(-Border, -Border, Border, Border);
    m_labelInside = box.top() < LabelHeight;
    QRect area = m_labelInside ? box : box.adjusted(0, -LabelHeight, 0, 0);
    area.setWidth(qMax(area.width(), labelWidth()));
    setGeometry(area);
}

void OutlineBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box(0, m_labelInside ? 0 : LabelHeight, shownBox().width() + 2 * Border,
                    shownBox().height() + 2 * Border);
    painter.fillRect(box.adjusted(Border, Border, -Border, -Border), QColor(58, 110, 216, 20));
    painter.setPen(QPen(Colour, Border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(box).adjusted(Border / 2.0, Border / 2.0, -Border / 2.0, -Border / 2.0));
    QFont small = font();
    small.setPixelSize(11);
    painter.setFont(small);
    const QRect label(0, 0, labelWidth(), LabelHeight);
    painter.fillRect(label, Colour);
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, m_name);
}

} // namespace markwright
