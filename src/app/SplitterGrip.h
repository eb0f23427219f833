#pragma once

#include <QWidget>

namespace markwright {

// The invisible grab area between the panes. It only reports the mouse: x is
// in pixels relative to the grip itself.
class SplitterGrip : public QWidget {
    Q_OBJECT

  public:
    explicit SplitterGrip(QWidget* parent = nullptr);

  signals:
    void pressed();
    void moved(int x);
    void released();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace markwright
