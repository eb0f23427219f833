#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace markwright {

class SourcePane;

// The find bar under the source pane, beside the Edit menu's Find commands:
// match case, whole word, regular expression and wrap around; next and
// previous; every match marked, with "3 of 57"; replace one, or replace all
// in the selection or the page as one undoable step. Escape closes it.
class FindBar : public QWidget {
    Q_OBJECT

  public:
    explicit FindBar(SourcePane& pane, QWidget* parent = nullptr);

    // Shows the bar with the pane's selection (one line of it) to find.
    void open();
    bool findNext(bool forward = true);
    // Replaces the match that is selected, then finds the next one.
    void replaceOne();
    // Replaces every match in the selection (when "In selection" is ticked)
    // or in the page; returns how many.
    int replaceAll();

    QString status() const;
    QLineEdit* findField() const { return m_find; }
    QLineEdit* replaceField() const { return m_replace; }
    QCheckBox* matchCase() const { return m_case; }
    QCheckBox* wholeWord() const { return m_word; }
    QCheckBox* regularExpression() const { return m_regex; }
    QCheckBox* wrapAround() const { return m_wrap; }
    QCheckBox* inSelection() const { return m_inSelection; }

    // Matches marked at most; beyond it the count says "more than".
    static constexpr int MarkLimit = 10000;

  signals:
    void closed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int searchFlags() const;
    // Finds the first match in [from, to) (backwards when from > to);
    // the match's byte range, or start -1.
    std::pair<long, long> search(long from, long to) const;
    // Replaces `match`, just found by search(), with `with`; returns the
    // length written.
    long replaceMatch(std::pair<long, long> match, const QByteArray& with);
    // Marks every match and counts them; `current` is the selected one.
    void markAll();

    SourcePane& m_pane;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_case = nullptr;
    QCheckBox* m_word = nullptr;
    QCheckBox* m_regex = nullptr;
    QCheckBox* m_wrap = nullptr;
    QCheckBox* m_inSelection = nullptr;
    QLabel* m_status = nullptr;
    long m_lastEmptyMatch = -1;
};

} // namespace markwright
