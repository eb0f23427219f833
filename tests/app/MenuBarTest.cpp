// The menu bar built from menuTable(), walked depth first and compared line
// by line with the menu tree written out in tests/data: names, captions
// (exact, with access keys and trailing blanks), the shortcuts listed and no
// others, nesting, separators and the one checkable item; and which items
// are enabled.
#include "app/MenuBuilder.h"
#include "app/MenuTable.h"
#include "support/TestWindow.h"

#include <QKeySequence>
#include <QMenu>

namespace {
// The menus written as the data file writes them, each item checked to be
// enabled just when `enabled` says.
void walk(const QList<QAction*>& actions, const QString& indent, QStringList& out,
          const std::function<bool(const QAction*)>& enabled) {
    for (QAction* a : actions) {
        const QString mark = a->isCheckable() ? (a->isChecked() ? "checked" : "unchecked") : "";
        const QString keys = QKeySequence::listToString(a->shortcuts(), QKeySequence::PortableText);
        out << indent + (a->isSeparator()
                             ? "-"
                             : a->objectName() + '|' + a->text() + '|' + keys + '|' + mark);
        EXPECT_TRUE(a->isSeparator() || a->isEnabled() == enabled(a))
            << a->objectName().toStdString();
        if (a->menu() != nullptr) {
            EXPECT_EQ(a->menu()->objectName(), a->objectName());
            walk(a->menu()->actions(), indent + "  ", out, enabled);
        }
    }
}

std::string wanted() {
    QStringList lines = testdata::text("expected/menu-tree.txt").split('\n');
    lines.removeIf([](const QString& line) { return line.isEmpty() || line.startsWith('#'); });
    return lines.join('\n').toStdString();
}
} // namespace

// Only the registered commands' leaves are enabled (a leaf without a command
// is disabled, never a silent no-op); submenus stay enabled. Each trigger
// runs its own command exactly once, "Insert Frames" on the bar too.
TEST(MenuBar, TreeMatchesRequiredMenusAndWiresCommands) {
    int open = 0;
    int frames = 0;
    auto registry = std::make_unique<CommandRegistry>();
    registry->add("mnuFileOpen", [&open] { ++open; });
    registry->add("mnuFrames", [&frames] { ++frames; });
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), *registry);
    QStringList got;
    walk(bar.actions(), "", got, [](const QAction* a) {
        return a->menu() || a->objectName() == "mnuFileOpen" || a->objectName() == "mnuFrames";
    });
    EXPECT_EQ(got.join('\n').toStdString(), wanted());

    bar.findChild<QAction*>("mnuFileOpen")->trigger();
    EXPECT_EQ(open, 1);
    EXPECT_EQ(frames, 0);
    bar.findChild<QAction*>("mnuFrames")->trigger();
    bar.findChild<QAction*>("mnuFrames")->trigger();
    EXPECT_EQ(open, 1);
    EXPECT_EQ(frames, 2);

    // Items outliving their commands (a window being taken down) do nothing.
    registry.reset();
    bar.findChild<QAction*>("mnuFileOpen")->trigger();
    EXPECT_EQ(open, 1);
}

// In the real window every item has its command: none is left disabled.
TEST(MenuBar, EveryItemOfTheRealWindowIsEnabled) {
    TestWindow w;
    QStringList got;
    walk(w->menuBar()->actions(), "", got, [](const QAction*) { return true; });
    EXPECT_EQ(got.join('\n').toStdString(), wanted());
}
