#pragma once

#include "editor/UserSnippets.h"

#include <QObject>
#include <vector>

namespace markwright {

class SourcePane;

// A snippet just put in the pane, while Tab and Shift+Tab go between its
// places: each place's text is selected in turn (typing replaces it), a
// number standing in several places gets in all of them what is typed in
// its first, and the caret ends at $0 (or after the snippet). The places
// keep to their text through the edits made meanwhile.
class SnippetSession : public QObject {
    Q_OBJECT

  public:
    // `text` was put in at byte `at`.
    SnippetSession(SourcePane& pane, long at, const SnippetText& text);

    bool active() const { return m_current >= 0; }
    // Goes to the next (or the previous) place; the session ends after the
    // last.
    void next();
    void previous();
    void end();

  private:
    struct Place {
        int number = 0;
        long start = 0; // bytes
        long end = 0;
    };
    void visit(int index);
    void textChanging(int position, int type, int length);
    void mirror();

    SourcePane& m_pane;
    std::vector<Place> m_places;
    std::vector<int> m_order; // the stop numbers in the order Tab visits them
    int m_current = -1;       // index into m_order; -1: ended
    int m_editing = -1;       // the place an edit of the text goes into
    bool m_mirroring = false;
};

} // namespace markwright
