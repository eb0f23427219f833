#include "app/MenuBuilder.h"

#include "core/CommandRegistry.h"

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace markwright {

void buildMenuBar(QMenuBar* bar, const std::vector<MenuItemDef>& table,
                  const CommandRegistry& commands) {
    QSet<QString> parents;
    for (const MenuItemDef& row : table) {
        parents.insert(QString::fromUtf8(row.parent));
    }

    QHash<QString, QMenu*> menus;
    for (const MenuItemDef& row : table) {
        const QString name = QString::fromUtf8(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        const QString parentName = QString::fromUtf8(row.parent);
        QMenu* parentMenu = parentName.isEmpty() ? nullptr : menus.value(parentName);
        if (!parentName.isEmpty() && parentMenu == nullptr) {
            continue; // a row whose parent is not a submenu: a fault in the table
        }

        if (caption == QLatin1String("-")) {
            parentMenu->addSeparator();
            continue;
        }

        QAction* action = nullptr;
        if (parents.contains(name)) {
            auto* menu = new QMenu(caption, parentMenu ? static_cast<QWidget*>(parentMenu)
                                                       : static_cast<QWidget*>(bar));
            menu->setObjectName(name);
            menus.insert(name, menu);
            action = menu->menuAction();
        } else {
            action = new QAction(caption, parentMenu ? static_cast<QObject*>(parentMenu)
                                                     : static_cast<QObject*>(bar));
            const QKeySequence shortcut(QString::fromUtf8(row.shortcut));
            if (!shortcut.isEmpty()) {
                action->setShortcut(shortcut);
                // The main window's keys: pressed in the about box or the
                // web pages window they do nothing to the page.
                action->setShortcutContext(Qt::WindowShortcut);
            }
            if (row.checked || row.checkable) {
                action->setCheckable(true);
                action->setChecked(row.checked);
            }
            if (commands.has(name)) {
                QObject::connect(action, &QAction::triggered, commands.context(),
                                 [&commands, name] { commands.run(name); });
            } else {
                action->setEnabled(false);
            }
        }
        action->setObjectName(name);
        action->setMenuRole(QAction::NoRole);
        if (parentMenu != nullptr) {
            parentMenu->addAction(action);
        } else {
            bar->addAction(action);
        }
    }
}

} // namespace markwright
