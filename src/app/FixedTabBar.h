#pragma once

#include <QTabBar>

namespace markwright {

// A tab strip whose tabs share one fixed width (set by the pane layout) and
// carry a fixed key each, apart from their visible captions.
class FixedTabBar : public QTabBar {
    Q_OBJECT

  public:
    explicit FixedTabBar(QWidget* parent = nullptr);

    int addKeyedTab(const QString& key, const QString& caption);
    // Captions are shown as written: an "&" in a file name is a character,
    // not a keyboard mnemonic.
    void setCaption(int index, const QString& caption);
    QString caption(int index) const;
    QString keyAt(int index) const;
    QString currentKey() const { return keyAt(currentIndex()); }
    int indexOfKey(const QString& key) const;

    // Fixed width of every tab in pixels; 0 lets each tab fit its caption.
    void setFixedTabWidth(int pixels);

  protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;

  private:
    int m_tabWidth = 0;
};

} // namespace markwright
