// The menu bar built from menuTable(), walked depth first and compared row by
// row with the menu tree written out in tests/data: names, captions (exact,
// with access keys and trailing blanks), the shortcuts listed and no others,
// nesting, separators, the one checkable item, and enabled state.
#include "app/MenuBuilder.h"
#include "app/MenuTable.h"
#include "core/CommandRegistry.h"
#include "support/TestWindow.h"

#include <QKeySequence>
#include <QMenu>

namespace {
// One entry as text, so a mismatch shows both sides whole. `marks` holds
// "[x]"/"[ ]" for a checkable item, "menu" for a submenu, "off" when disabled.
std::string entry(const QString& parent, const QString& name, const QString& caption,
                  const QString& keys, const QString& marks) {
    return QStringLiteral("%1/%2 \"%3\" keys=%4 %5")
        .arg(parent, name, caption, keys, marks)
        .toStdString();
}

void walk(const QList<QAction*>& actions, const QString& parent, std::vector<std::string>& out) {
    for (QAction* a : actions) {
        QString marks = a->isCheckable() ? (a->isChecked() ? "[x]" : "[ ]") : "";
        marks += QString(a->menu() ? "menu" : "") + (a->isEnabled() ? "" : "off");
        out.push_back(entry(parent, a->objectName(), a->isSeparator() ? "-" : a->text(),
                            QKeySequence::listToString(a->shortcuts(), QKeySequence::PortableText),
                            a->isSeparator() ? "" : marks));
        if (a->menu() != nullptr) {
            walk(a->menu()->actions(), a->menu()->objectName(), out);
        }
    }
}

// The tree as the table writes it out, with only `enabled` leaves enabled.
std::vector<std::string> expectedTree(const QStringList& enabled) {
    const QList<QByteArrayList> rows = testdata::table("expected/menu-tree.txt");
    const auto depth = [&rows](qsizetype i) {
        return i < rows.size() ? rows[i][0].size() - rows[i][0].trimmed().size() : 0;
    };
    QStringList menuAt{QString()}; // the menu that holds the items two blanks in per level
    std::vector<std::string> want;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString name = QString::fromUtf8(rows[i][0].trimmed());
        const QString parent = menuAt[depth(i) / 2];
        menuAt.resize(depth(i) / 2 + 1);
        menuAt.append(name);
        if (name == "-") {
            want.push_back(entry(parent, "", "-", "", ""));
            continue;
        }
        EXPECT_EQ(rows[i].size(), 4) << name.toStdString();
        const bool menu = depth(i + 1) > depth(i);
        const QString marks = QString(rows[i].value(3) == "checked" ? "[x]" : "") +
                              (menu ? "menu" : "") + (menu || enabled.contains(name) ? "" : "off");
        want.push_back(entry(parent, name, QString::fromUtf8(rows[i].value(1)),
                             QString::fromUtf8(rows[i].value(2)), marks));
    }
    return want;
}
} // namespace

// Only the registered commands' leaves are enabled (a leaf without a command
// is disabled, never a silent no-op); submenus stay enabled. Each trigger
// runs its own command exactly once, "Insert Frames" on the bar too.
TEST(MenuBar, TreeMatchesRequiredMenusAndWiresCommands) {
    int open = 0;
    int frames = 0;
    CommandRegistry registry; // must outlive the bar
    registry.add("mnuFileOpen", [&open] { ++open; });
    registry.add("mnuFrames", [&frames] { ++frames; });
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    const std::vector<std::string> want = expectedTree({"mnuFileOpen", "mnuFrames"});
    std::vector<std::string> got;
    walk(bar.actions(), "", got);
    for (std::size_t i = 0; i < std::min(want.size(), got.size()); ++i) {
        ASSERT_EQ(got[i], want[i]) << "row " << i;
    }
    ASSERT_EQ(got.size(), want.size());

    bar.findChild<QAction*>("mnuFileOpen")->trigger();
    EXPECT_EQ(open, 1);
    EXPECT_EQ(frames, 0);
    bar.findChild<QAction*>("mnuFrames")->trigger();
    bar.findChild<QAction*>("mnuFrames")->trigger();
    EXPECT_EQ(open, 1);
    EXPECT_EQ(frames, 2);
}

// In the real window every item has its command: none is left disabled.
TEST(MenuBar, EveryItemOfTheRealWindowIsEnabled) {
    TestWindow w;
    std::vector<std::string> got;
    walk(w->menuBar()->actions(), "", got);
    ASSERT_EQ(got.size(), expectedTree({}).size());
    for (const std::string& item : got) {
        EXPECT_FALSE(QString::fromStdString(item).endsWith("off")) << item;
    }
}
