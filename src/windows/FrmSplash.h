#pragma once

#include <QWidget>
#include <functional>

class QTimer;

namespace markwright {

// The splash window: the product picture until its timer ticks or the
// picture is clicked, whichever comes first; then it closes and `done` runs,
// exactly once.
class FrmSplash : public QWidget {
    Q_OBJECT

  public:
    explicit FrmSplash(std::function<void()> done, int intervalMs = 6000);

    // Ends the splash (the timer tick and a click on the picture come here).
    void finish();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> m_done;
    QTimer* m_timer = nullptr;
    bool m_finished = false;
};

} // namespace markwright
