#pragma once

#include <QRectF>
#include <QWidget>

namespace markwright {

// The outline drawn over the preview around the element at the caret, with
// the element's name in a small label above it. A widget of the view's own,
// laid over the page: the page's document is not touched, so its layout,
// its nodes and the renderer's painting stay as they are. It lets the mouse
// through.
class OutlineBox : public QWidget {
  public:
    explicit OutlineBox(QWidget* view);

    // Outlines `box` (in the page's coordinates: from the top left of the
    // whole document, in CSS pixels) for an element named `name`, with the
    // page scrolled to `scroll` and shown at `zoom`.
    void outline(const QRectF& box, const QString& name, QPointF scroll, qreal zoom);
    // The page was scrolled to `scroll`.
    void follow(QPointF scroll);
    void clear();
    // The element's box where the view shows it, in the view's pixels.
    QRect shownBox() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void place();
    int labelWidth() const;

    QRectF m_box;
    QString m_name;
    QPointF m_scroll;
    qreal m_zoom = 1;
    bool m_labelInside = false;
};

} // namespace markwright
