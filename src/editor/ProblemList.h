#pragma once

#include <QWidget>

class QTreeWidget;
class QLabel;

namespace markwright {

class ProblemMarks;
class SourcePane;

// A window beside the main one listing the page's problems (line and
// message); choosing a row selects the problem in the source pane. It does
// not block the main window and follows each new check while open.
class ProblemList : public QWidget {
    Q_OBJECT

  public:
    ProblemList(ProblemMarks& marks, SourcePane& pane, QWidget* parent);

    // Shows the window (raised, with the list as it stands now).
    void open();

  private:
    void fill();
    void choose(int row);

    ProblemMarks& m_marks;
    SourcePane& m_pane;
    QTreeWidget* m_list;
    QLabel* m_summary;
};

} // namespace markwright
