#pragma once

#include <QString>
#include <vector>

class QToolBar;

namespace markwright {

class CommandRegistry;

// One button of the main toolbar, left to right.
struct ToolButtonDef {
    const char* key;     // the button's key; also its objectName
    const char* tooltip; // "" for none
    bool separatorAfter;
    const char* command;   // the registry command the key runs
    const char* themeIcon; // the platform's icon of this name, where it has one
    const char* ownIcon;   // our own drawing, used where the platform has none
};

const std::vector<ToolButtonDef>& toolbarTable();

// Runs the command of the first button whose key is exactly `key`; a key no
// button has does nothing. Returns whether a command ran.
bool runToolbarKey(const QString& key, const CommandRegistry& commands);

// Fills the toolbar from the table; each click runs its key.
void buildToolbar(QToolBar* toolbar, const CommandRegistry& commands);

} // namespace markwright
