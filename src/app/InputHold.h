#pragma once

#include <QObject>

class QWidget;

namespace markwright {

// While work holds the busy gate (a file read in, a format running), the
// window takes no keys, clicks, wheel turns or drops, and shows a busy
// pointer: nothing can edit or switch a page the work is about to replace.
// The window's own repainting, its timers and other programs' messages go
// on; what they would start waits for the gate (see BusyGate::whenIdle).
class InputHold : public QObject {
    Q_OBJECT

  public:
    explicit InputHold(QWidget* window);
    ~InputHold() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* m_window;
    bool m_cursorSet = false;
};

} // namespace markwright
