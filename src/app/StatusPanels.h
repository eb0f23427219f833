#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QStatusBar;
class QTimer;

namespace markwright {

class SourcePane;

// The panels of the status bar: the product name, CAPS, NUM and INS as the
// keyboard and the pane stand, the time and the date; then the caret's line
// and column with the page's encoding and line ends. They keep themselves up
// to date.
class StatusPanels : public QObject {
    Q_OBJECT

  public:
    // `documentFacts` words the active page's encoding and line ends for
    // the seventh panel, after the caret's line and column.
    StatusPanels(QStatusBar* bar, SourcePane& pane, std::function<QString()> documentFacts);

    QString text(int panel) const; // 1 to 7
    // Reads the key states, the pane's mode and the clock now.
    void update();
    // A note on the page shown at the end of the seventh panel ("2
    // problems"); empty for none.
    void setNote(const QString& note);

    static const char* const ProductText;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SourcePane& m_pane;
    std::array<QLabel*, 7> m_panels{};
    QString m_note;
    std::function<QString()> m_documentFacts;
    QTimer* m_timer = nullptr;
    // What typing showed, for platforms that cannot be asked.
    bool m_seenCaps = false;
    bool m_seenNum = false;
    // What the platform said at the last tick (nullopt: it cannot tell).
    std::optional<bool> m_platformCaps;
    std::optional<bool> m_platformNum;
    // After a key press: the key states and the caret's place.
    void showKeys();
    void showKeyStates();
    void showDocument();
    QString m_facts; // the page's encoding and line ends, as of the last tick
};

} // namespace markwright
