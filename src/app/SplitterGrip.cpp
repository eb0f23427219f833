#include "app/SplitterGrip.h"

#include <QMouseEvent>

namespace markwright {

SplitterGrip::SplitterGrip(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SplitHCursor);
    setAttribute(Qt::WA_NoSystemBackground);
}

void SplitterGrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit pressed();
    }
}

void SplitterGrip::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        emit moved(qRound(event->position().x()));
    }
}

void SplitterGrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit released();
    }
}

} // namespace markwright
