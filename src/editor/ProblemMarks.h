#pragma once

#include "editor/PaneIndicators.h"
#include "html/PageCheck.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace markwright {

class SourcePane;

// Shows a page's problems in the source pane: a squiggle under each (a
// quieter one for hints), a marker in the margin beside its line, and its
// message as a tooltip where the mouse rests. Only the lines in view (and a
// few around them) get marks; they are placed again as the view scrolls.
// The problems keep their place in the text through the edits made after
// the check, until the next check replaces them.
class ProblemMarks : public QObject {
    Q_OBJECT

  public:
    explicit ProblemMarks(SourcePane& pane);

    // The problems of the text in the pane (as checked, perhaps some edits
    // ago: the ranges follow the edits made since), or null for none known.
    void setProblems(const std::shared_ptr<const std::vector<html::Problem>>& problems);

    struct Item {
        long start = 0; // bytes of the pane's text
        long end = 0;
        bool hint = false;
        QString message;
    };
    const std::vector<Item>& items() const { return m_items; }
    int count() const { return static_cast<int>(m_items.size()); }
    // The line (1 for the first) item i stands on now.
    int lineOf(int i) const;

    // Selects problem i and scrolls to it; returns its message.
    QString goTo(int i);
    // Selects the first problem after the caret (or before it), from the
    // start (or the end) again past the last one; returns its message, or
    // an empty string when there is none.
    QString next();
    QString previous();

    static constexpr int ErrorIndicator = indicators::Problem;
    static constexpr int HintIndicator = indicators::Hint;
    static constexpr int Marker = indicators::ProblemMarker;
    static constexpr int MarkerMargin = 1;

  signals:
    // items() changed (a new check, or none).
    void changed();

  private:
    void place();
    void clearPlaced();
    void textChanging(int position, int type, int length);
    void dwell(int position, int x, int y);
    // The first item starting at or after `at`.
    std::size_t firstFrom(long at) const;

    SourcePane& m_pane;
    std::vector<Item> m_items; // by start
    // The bytes and lines marked last: [start, end) and [first, last].
    long m_placedStart = 0;
    long m_placedEnd = 0;
    std::vector<long> m_markedLines;
};

} // namespace markwright
