#pragma once

#include "app/MenuTable.h"

#include <vector>

class QMenuBar;

namespace markwright {

class CommandRegistry;

// Builds the menu bar from the table. Every action and submenu carries the
// row's name as objectName. A leaf is connected to the registry command of the
// same name; a leaf with no command yet is shown disabled, never silently
// doing nothing. The registry must outlive the menu bar.
void buildMenuBar(QMenuBar* bar, const std::vector<MenuItemDef>& table,
                  const CommandRegistry& commands);

} // namespace markwright
