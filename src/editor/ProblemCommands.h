#pragma once

#include "html/PageCheck.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace markwright {

class CommandRegistry;
class ProblemList;
class ProblemMarks;
class SourcePane;

// The page's problems in the window: their marks in the source pane, the
// commands that go from one to the next, and the list of them all.
class ProblemCommands : public QObject {
    Q_OBJECT

  public:
    // `status` shows a line in the status bar.
    ProblemCommands(SourcePane& pane, QWidget* window, std::function<void(const QString&)> status);

    // Next Problem, Previous Problem and List Problems.
    void registerAll(CommandRegistry& commands);
    // The problems of the text in the pane, or null for none known.
    void show(const std::shared_ptr<const std::vector<html::Problem>>& problems);

    ProblemMarks& marks() { return *m_marks; }
    ProblemList& list() { return *m_list; }

    // "2 problems", "1 problem", or an empty string for none.
    static QString countText(int count);

  signals:
    void countChanged(int count);

  private:
    void step(bool forward);

    SourcePane& m_pane;
    ProblemMarks* m_marks;
    ProblemList* m_list;
    std::function<void(const QString&)> m_status;
};

} // namespace markwright
