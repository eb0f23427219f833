#include "app/ToolbarTable.h"

#include "app/Resources.h"
#include "core/CommandRegistry.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

namespace markwright {

const std::vector<ToolButtonDef>& toolbarTable() {
    static const std::vector<ToolButtonDef> table{
        {"New", "New Blank Page", false, "mnuFileNew", "document-new", "new"},
        {"Open", "Open File", false, "mnuFileOpen", "document-open", "open"},
        {"Save", "Save File", false, "mnuFileSave", "document-save", "save"},
        {"Print", "Print Source Code", false, "mnuPrint", "document-print", "print"},
        // "Delete" replaces the page with a new one, exactly as "New" does.
        {"Delete", "Remove From Page", true, "mnuFileNew", "edit-delete", "delete"},
        {"Copy", "Copy", false, "mnuEditCopy", "edit-copy", "copy"},
        {"Cut", "Cut", false, "mnuEditCut", "edit-cut", "cut"},
        {"Paste", "Paste", true, "mnuEditPaste", "edit-paste", "paste"},
        {"Undo", "Undo", true, "mnuEditUndo", "edit-undo", "undo"},
        // The layouts have no icons in the platform themes: always our own.
        {"Source", "Show Source Only", false, "Source", "", "source"},
        {"Preview", "Show Preview Only", false, "Preview", "", "preview"},
        {"Both", "Show Both Source and Preview ", false, "Both", "", "both"},
        {"Code10", "Code 10% Preview 90% Split", false, "Code10", "", "code10"},
        {"Preview10", "Code 90% Preview 10% Split", false, "Preview10", "", "preview10"},
        {"HBoth", "", true, "HBoth", "", "hboth"},
        {"Netscape", "Preview with browser", false, "mnuNetscapePreview", "internet-web-browser",
         "browser"},
        {"Refresh", "Refresh Preview", false, "Refresh", "view-refresh", "refresh"},
    };
    return table;
}

bool runToolbarKey(const QString& key, const CommandRegistry& commands) {
    for (const ToolButtonDef& button : toolbarTable()) {
        if (key == QLatin1String(button.key)) {
            return commands.run(QLatin1String(button.command));
        }
    }
    return false;
}

void buildToolbar(QToolBar* toolbar, const CommandRegistry& commands) {
    initResources();
    toolbar->setIconSize(QSize(24, 24));
    for (const ToolButtonDef& button : toolbarTable()) {
        const QIcon own(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(button.ownIcon)));
        const QString theme = QLatin1String(button.themeIcon);
        const QIcon icon = theme.isEmpty() ? own : QIcon::fromTheme(theme, own);
        QAction* action = toolbar->addAction(icon, QString());
        const QString key = QLatin1String(button.key);
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(QLatin1String(button.tooltip));
        QObject::connect(action, &QAction::triggered, commands.context(),
                         [key, &commands] { runToolbarKey(key, commands); });
        if (button.separatorAfter) {
            toolbar->addSeparator();
        }
    }
}

} // namespace markwright
