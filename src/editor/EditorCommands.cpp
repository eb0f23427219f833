#include "editor/EditorCommands.h"

#include "core/BusyGate.h"
#include "core/CommandRegistry.h"
#include "dialogs/Prompts.h"
#include "editor/Formatter.h"
#include "editor/SourcePane.h"

#include "core/DocumentSlots.h"

#include <QApplication>
#include <QClipboard>
#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>

namespace markwright {

EditorCommands::EditorCommands(SourcePane& pane, const DocumentSlots& documents, Prompts& prompts,
                               std::function<void(const QString&)> showStatus)
    : m_pane(pane), m_slots(documents), m_showStatus(std::move(showStatus)), m_prompts(prompts) {}

void EditorCommands::registerAll(CommandRegistry& commands) {
    commands.add("mnuEditUndo", [this] { undo(); });
    commands.add("mnuEditRedo", [this] { m_pane.redoOnce(); });
    commands.add("mnuGoToLine", [this] { goToLine(); });
    commands.add("mnuEditCut", [this] { cut(); });
    commands.add("mnuEditCopy", [this] { copy(); });
    commands.add("mnuEditPaste", [this] { paste(); });
    commands.add("mnuEditDSelectAll", [this] { selectAll(); });
    commands.add("mnuFormatHierarchal", [this] { format(Style::Hierarchal); });
    commands.add("mnuFormatSimple", [this] { format(Style::Simple); });
    commands.add("mnuFormatCompact", [this] { format(Style::Compact); });
    commands.add("mnuEditFind", [this] { find(); });
    commands.add("mnuFindNext", [this] { findNext(); });
    commands.add("mnuFindAndReplace", [this] { findAndReplace(); });
    commands.add("mnuNextTag", [this] { nextTag(); });
}

void EditorCommands::undo() {
    m_pane.undoOnce();
}

void EditorCommands::cut() {
    QApplication::clipboard()->setText(m_pane.selectedText());
    m_pane.replaceSelection(QString());
}

void EditorCommands::copy() {
    // Unicode text, unchanged, and nothing else: whatever else was on the
    // clipboard is gone, also when nothing is selected.
    QApplication::clipboard()->setText(m_pane.selectedText());
}

void EditorCommands::paste() {
    m_pane.paste();
}

void EditorCommands::selectAll() {
    m_pane.selectAllText();
}

bool EditorCommands::format(Style style) {
    if (m_formatting) {
        return false;
    }
    const QString selected = htmlformat::toCrLf(m_pane.selectedText());
    // Nothing selected formats to nothing: the text stays as it was.
    if (selected.isEmpty()) {
        return true;
    }
    m_formatting = true;
    const QString lineEnd = m_pane.enterText();
    const bool wasReadOnly = m_pane.isReadOnly();
    m_pane.setReadOnly(true);
    // The formatter runs on a worker while the window goes on (taking no
    // input: see BusyGate); its progress is shown from the event loop.
    auto busy = std::make_shared<BusyGate>();
    // The worker only writes how far it is; the window reads it.
    auto percent = std::make_shared<std::atomic<int>>(-1);
    const htmlformat::Progress progress = [percent](double done) {
        percent->store(qRound(done * 100));
    };
    auto* shower = new QTimer(&m_context);
    QObject::connect(shower, &QTimer::timeout, &m_context, [this, percent] {
        if (percent->load() >= 0) {
            m_showStatus(QStringLiteral("Formatting... %1%").arg(percent->load()));
        }
    });
    shower->start(100);
    const int slot = m_slots.paneSlot();
    const int start = m_pane.selectionStart();
    const int length = m_pane.selectionLength();
    auto* watcher = new QFutureWatcher<QString>(&m_context);
    QObject::connect(watcher, &QFutureWatcher<QString>::finished, &m_context, [=]() mutable {
        watcher->deleteLater();
        delete shower;
        m_pane.setReadOnly(wasReadOnly);
        m_showStatus(QString());
        m_formatting = false;
        busy.reset();
        // Nothing can have moved meanwhile; should it have, the result is
        // for a text no longer there.
        if (m_slots.paneSlot() == slot && m_pane.selectionStart() == start &&
            m_pane.selectionLength() == length) {
            m_pane.replaceSelection(watcher->result());
        }
    });
    watcher->setFuture(QtConcurrent::run([style, selected, progress, lineEnd] {
        switch (style) {
        case Style::Hierarchal:
            return htmlformat::formatHierarchal(selected, progress, lineEnd);
        case Style::Simple:
            return htmlformat::formatSimple(selected, lineEnd);
        case Style::Compact:
            break;
        }
        return htmlformat::formatCompact(selected, lineEnd);
    }));
    return true;
}

void EditorCommands::goToLine() {
    QString answer;
    if (m_prompts.inputBox(QStringLiteral("Go to line:"), QStringLiteral("Go to Line"), answer)) {
        bool ok = false;
        const int line = answer.trimmed().toInt(&ok);
        if (ok) {
            m_pane.goToLine(line);
            m_pane.giveFocus();
        }
    }
}

void EditorCommands::find() {
    QString answer = m_searchText;
    if (!m_prompts.inputBox(QStringLiteral("Enter the string to search for."),
                            QStringLiteral("Find"), answer)) {
        answer.clear(); // Cancel gives the empty answer
    }
    m_searchText = answer;
    if (m_searchText.isEmpty()) {
        return;
    }
    // With a selection the search stays inside it; without, the whole text.
    const int start = m_pane.selectionStart();
    const int length = m_pane.selectionLength();
    if (length > 0) {
        m_pane.findInRange(m_searchText, start, start + length);
    } else {
        m_pane.find(m_searchText, 0, Qt::CaseInsensitive);
    }
}

void EditorCommands::findNext() {
    if (m_searchText.isEmpty()) {
        return;
    }
    m_pane.find(m_searchText, m_pane.selectionStart() + m_pane.selectionLength(),
                Qt::CaseInsensitive);
}

void EditorCommands::findAndReplace() {
    QString what = m_searchText;
    if (!m_prompts.inputBox(QStringLiteral("Enter the string to be replaced."),
                            QStringLiteral("Find"), what) ||
        what.isEmpty()) {
        return;
    }
    QString with = m_searchText;
    if (!m_prompts.inputBox(QStringLiteral("Enter the string to replace with."),
                            QStringLiteral("Replace"), with)) {
        with.clear();
    }
    m_pane.replaceAll(what, with);
}

void EditorCommands::nextTag() {
    const int p = m_pane.selectionStart() + m_pane.selectionLength();
    const htmlformat::TagInfo tag = htmlformat::findTag(m_pane.text(), p);
    if (tag.tagText.isEmpty()) {
        return;
    }
    m_pane.find(tag.tagText, p, Qt::CaseInsensitive);
}

} // namespace markwright
