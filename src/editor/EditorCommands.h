#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace markwright {

class CommandRegistry;
class DocumentSlots;
class Prompts;
class SourcePane;

// The Edit and Format Source menus: undo, clipboard, select all, the three
// formatters, and find, find next, find and replace and next tag.
class EditorCommands {
  public:
    // `showStatus` puts a short progress text in the status bar ("" clears it).
    EditorCommands(SourcePane& pane, const DocumentSlots& documents, Prompts& prompts,
                   std::function<void(const QString&)> showStatus);

    void registerAll(CommandRegistry& commands);

    void undo();
    void cut();
    void copy();
    void paste();
    void selectAll();

    enum class Style { Hierarchal, Simple, Compact };
    // Formats the selection on a worker and puts the result in its place in
    // one edit once it is done; the busy gate is held meanwhile, and a
    // second format request is refused; returns false when refused.
    bool format(Style style);
    bool formatting() const { return m_formatting; }

    // Asks for a line number and puts the caret there.
    void goToLine();
    void find();
    void findNext();
    void findAndReplace();
    void nextTag();

    // The last answer to the Find prompt, shared by all five slots.
    const QString& searchText() const { return m_searchText; }

  private:
    SourcePane& m_pane;
    const DocumentSlots& m_slots;
    std::function<void(const QString&)> m_showStatus;
    Prompts& m_prompts;
    QString m_searchText;
    bool m_formatting = false;
    // Owns the connections to a format running on a worker.
    QObject m_context;
};

} // namespace markwright
