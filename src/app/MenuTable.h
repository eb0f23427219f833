#pragma once

#include <vector>

namespace markwright {

// One row of the main window's menu tree, in display order. A row whose
// caption is "-" is a separator (it has no name). A row is a submenu when
// another row names it as parent; otherwise it is a command (a leaf).
struct MenuItemDef {
    const char* name;       // objectName of the action (and of the QMenu for a submenu)
    const char* caption;    // exactly as shown, "&" marks the access key
    const char* shortcut;   // QKeySequence portable text ("Ctrl+N", "F5"), "" for none
    const char* parent;     // name of the parent row, "" for a top-level menu
    bool checked;           // checkable and checked at start
    bool checkable = false; // checkable (and unchecked at start)
};

// The whole menu bar of the main window, top-level menus left to right, each
// followed by its items in display order (depth first).
const std::vector<MenuItemDef>& menuTable();

} // namespace markwright
