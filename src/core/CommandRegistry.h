#pragma once

#include "core/BusyGate.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

namespace markwright {

// Maps command names (the menu item names, "mnuFileOpen", and toolbar keys)
// to the code that runs them. The window registers what is built; the menu
// and toolbar builders look commands up by name.
class CommandRegistry {
  public:
    using Command = std::function<void()>;

    void add(const QString& name, Command command) { m_commands.insert(name, std::move(command)); }
    // The context for connections that run commands (menu items, toolbar
    // buttons): they end when the registry does, so no click can reach a
    // command, or the code it calls, that is already gone.
    QObject* context() const { return &m_context; }
    bool has(const QString& name) const { return m_commands.contains(name); }
    // Runs the command; returns false when no command has that name. While
    // a long operation holds the busy gate nothing runs (a shortcut or a
    // timer could otherwise act on its half-done state); true all the same.
    bool run(const QString& name) const {
        const auto it = m_commands.constFind(name);
        if (it == m_commands.constEnd()) {
            return false;
        }
        if (!BusyGate::held()) {
            (*it)();
        }
        return true;
    }

  private:
    QHash<QString, Command> m_commands;
    mutable QObject m_context;
};

} // namespace markwright
