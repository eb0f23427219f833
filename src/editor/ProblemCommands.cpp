#include "editor/ProblemCommands.h"

#include "core/CommandRegistry.h"
#include "editor/ProblemList.h"
#include "editor/ProblemMarks.h"
#include "editor/SourcePane.h"

namespace markwright {

ProblemCommands::ProblemCommands(SourcePane& pane, QWidget* window,
                                 std::function<void(const QString&)> status)
    : QObject(window), m_pane(pane), m_marks(new ProblemMarks(pane)),
      m_list(new ProblemList(*m_marks, pane, window)), m_status(std::move(status)) {
    connect(m_marks, &ProblemMarks::changed, this, [this] { emit countChanged(m_marks->count()); });
}

void ProblemCommands::registerAll(CommandRegistry& commands) {
    commands.add(QStringLiteral("mnuNextProblem"), [this] { step(true); });
    commands.add(QStringLiteral("mnuPreviousProblem"), [this] { step(false); });
    commands.add(QStringLiteral("mnuListProblems"), [this] { m_list->open(); });
}

void ProblemCommands::show(const std::shared_ptr<const std::vector<html::Problem>>& problems) {
    m_marks->setProblems(problems);
}

QString ProblemCommands::countText(int count) {
    if (count <= 0) {
        return {};
    }
    return count == 1 ? tr("1 problem") : tr("%1 problems").arg(count);
}

void ProblemCommands::step(bool forward) {
    const QString message = forward ? m_marks->next() : m_marks->previous();
    if (m_status) {
        m_status(message.isEmpty() ? tr("No problems found") : message);
    }
    m_pane.giveFocus();
}

} // namespace markwright
