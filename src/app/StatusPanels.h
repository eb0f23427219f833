#pragma once

#include <QObject>
#include <array>
#include <optional>

class QLabel;
class QStatusBar;
class QTimer;
class SourcePane;

// The six panels of the status bar: the product name, CAPS, NUM and INS as
// the keyboard and the pane stand, the time and the date. They keep
// themselves up to date.
class StatusPanels : public QObject {
    Q_OBJECT

  public:
    StatusPanels(QStatusBar* bar, SourcePane& pane);

    QString text(int panel) const; // 1 to 6
    // Reads the key states, the pane's mode and the clock now.
    void update();

    static const char* const ProductText;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SourcePane& m_pane;
    std::array<QLabel*, 6> m_panels{};
    QTimer* m_timer = nullptr;
    // What typing showed, for platforms that cannot be asked.
    bool m_seenCaps = false;
    bool m_seenNum = false;
    // What the platform said at the last tick (nullopt: it cannot tell).
    std::optional<bool> m_platformCaps;
    std::optional<bool> m_platformNum;
    void showKeys();
};
