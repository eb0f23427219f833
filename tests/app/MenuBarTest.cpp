// Holds the menu bar built from menuTable() against the menu tree of the main
// window as the requirements list it: names, captions (character-exact, with
// access keys and trailing blanks), shortcuts, nesting, check marks and
// separators, in display order. Also checks how the builder wires leaves to
// the command registry.

#include "app/CommandRegistry.h"
#include "app/MenuBuilder.h"
#include "app/MenuTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One walked (or expected) menu entry. For separators only `separator` and
// `parent` are compared.
struct Row {
    std::string name;
    std::string caption;
    std::string shortcut;
    std::string parent;
    bool checked = false;
    bool separator = false;
};

// One entry of the walk together with the live action, for the tests that
// look at enabled state, checkability and triggering.
struct Walked {
    Row row;
    QAction* action = nullptr;
    bool submenu = false;
    std::string menuObjectName; // objectName of the QMenu for a submenu
};

Row item(const char* name, const char* caption, const char* parent, const char* shortcut = "",
         bool checked = false) {
    return Row{name, caption, shortcut, parent, checked, false};
}

Row sep(const char* parent) {
    return Row{"", "-", "", parent, false, true};
}

// The menu tree, top-level menus left to right, each followed depth first by
// its items in display order.
std::vector<Row> expectedRows() {
    std::vector<Row> r;

    // File
    r.push_back(item("mnuFile", "&File", ""));
    r.push_back(item("mnuFileNew", "&New", "mnuFile", "Ctrl+N"));
    r.push_back(item("mnuFileOpen", "&Open", "mnuFile", "Ctrl+O"));
    r.push_back(item("mnuFileClose", "Close", "mnuFile", "Ctrl+W"));
    r.push_back(sep("mnuFile"));
    r.push_back(item("mnuPrint", "Print Source", "mnuFile"));
    r.push_back(sep("mnuFile"));
    r.push_back(item("mnuFileSave", "Save", "mnuFile", "Ctrl+S"));
    r.push_back(item("mnuSaveAs", "Save As", "mnuFile"));
    r.push_back(sep("mnuFile"));
    r.push_back(item("mnuExit", "Exit", "mnuFile"));

    // Edit
    r.push_back(item("mnuEdit", "&Edit", ""));
    r.push_back(item("mnuEditUndo", "&Undo", "mnuEdit"));
    r.push_back(sep("mnuEdit"));
    r.push_back(item("mnuEditCut", "Cu&t", "mnuEdit"));
    r.push_back(item("mnuEditCopy", "&Copy", "mnuEdit"));
    r.push_back(item("mnuEditPaste", "&Paste", "mnuEdit"));
    r.push_back(item("mnuEditDSelectAll", "Select &All", "mnuEdit", "Ctrl+A"));
    r.push_back(sep("mnuEdit"));
    r.push_back(item("mnuEditFind", "Find", "mnuEdit", "Ctrl+F"));
    r.push_back(item("mnuFindNext", "Find Next", "mnuEdit"));
    r.push_back(item("mnuFindAndReplace", "Find and &Replace", "mnuEdit", "Ctrl+R"));
    r.push_back(sep("mnuEdit"));
    r.push_back(item("mnuNextTag", "Next Tag", "mnuEdit"));

    // Format Source
    r.push_back(item("mnuFormatSource", "Format Source", ""));
    r.push_back(item("mnuFormatHierarchal", "Hierarchal", "mnuFormatSource", "F1"));
    r.push_back(item("mnuFormatSimple", "Simple", "mnuFormatSource", "F2"));
    r.push_back(item("mnuFormatCompact", "Compact", "mnuFormatSource", "F3"));

    // Insert Objects
    r.push_back(item("mnuInsert", "Insert &Objects", ""));
    r.push_back(item("mnuInsertFilePath", "&File Path", "mnuInsert"));
    r.push_back(item("mnuHR", "Horizontal Line", "mnuInsert"));
    r.push_back(item("mnuBullets", "Bullet Text", "mnuInsert"));
    r.push_back(item("mnuNumbered", "Numbered Text", "mnuInsert"));
    r.push_back(item("mnuComments", "Comments Line", "mnuInsert"));
    r.push_back(item("mnuImagegg", "Image", "mnuInsert"));
    r.push_back(item("mnuImage", "Image with complete tags", "mnuImagegg"));
    r.push_back(item("mnuImagePath", "Image Path Only", "mnuImagegg"));
    r.push_back(item("mnuImageBackground", "Image as Background", "mnuImagegg"));
    r.push_back(item("mnuColor", "Color Code", "mnuInsert"));
    r.push_back(item("mnuJustCode", "\"#??????\" ", "mnuColor"));
    r.push_back(item("mnuColorCode", "Color = \"#??????", "mnuColor"));
    r.push_back(item("mnuFontColor", "Font Color = \"??????\"", "mnuColor"));
    r.push_back(item("mnuF", "Forms", "mnuInsert"));
    r.push_back(item("mnuForm", "Simple Form 1 (Text Box)", "mnuF"));
    r.push_back(item("mnuScrollingTextBox", "Simple Form 2 (Scrolling Text Box)", "mnuF"));
    r.push_back(item("mnu1and2", "Simple Form 3 (1 and 2 combined)", "mnuF"));
    r.push_back(item("mnuRadioButton", "Radio Button", "mnuF"));
    r.push_back(item("mnuCheckBox", "Check Box", "mnuF"));
    r.push_back(item("mnuButton", "Button", "mnuF"));
    r.push_back(item("mnuScrollingTextBox2", "Scrolling Text Box", "mnuF"));
    r.push_back(item("mnulinebreaks", "Line Breaks", "mnuInsert"));
    r.push_back(item("mnuBr", "<br> Line Break", "mnulinebreaks"));
    r.push_back(item("mnuBRLeft", "Line Break Left", "mnulinebreaks"));
    r.push_back(item("mnuBRRight", "Line Break Right", "mnulinebreaks"));
    r.push_back(item("mnuBrClear", "Line Break Clear All", "mnulinebreaks"));
    r.push_back(item("mnuBlankLine", "Blank Line", "mnulinebreaks"));
    r.push_back(item("mnuDiv", "Justify ", "mnuInsert"));
    r.push_back(item("mnuDivLeft", "<div Align=\"Left\"> Left Justify", "mnuDiv"));
    r.push_back(item("mnuDivCenter", "<div Align=\"Center\"> Center Justify", "mnuDiv"));
    r.push_back(item("mnuDivRight", "<div Align=\"right\"> Right Justify", "mnuDiv"));
    r.push_back(item("mnuEndDiv", "</div> End Justify", "mnuDiv"));
    r.push_back(item("mnuHyperLink", "Hyper Links", "mnuInsert"));
    r.push_back(item("mnuSameFrame", "Same Frame", "mnuHyperLink"));
    r.push_back(item("mnuWholePage", "Whole Page", "mnuHyperLink"));
    r.push_back(item("mnuNewWindow", "New Window", "mnuHyperLink"));
    r.push_back(item("mnuParentFrame", "Parent Frame", "mnuHyperLink"));
    r.push_back(item("mnuBookMark", "BookMark ", "mnuHyperLink"));
    r.push_back(item("mnuBookMarkLink", "BookMark Hyper Link", "mnuHyperLink"));
    r.push_back(item("mnuEndHyperLink", "</a> End Hyper Link", "mnuHyperLink"));
    r.push_back(item("mnuJava", "Java ", "mnuInsert"));
    r.push_back(item("mnuDropDown", "Drop Down Menu", "mnuJava"));

    // Insert Font Tags: eight start/end tag pairs
    r.push_back(item("mnuFontTags", "Insert F&ont Tags", ""));
    r.push_back(item("mnuB", "Bold Tags", "mnuFontTags"));
    r.push_back(item("mnuBold", "<Strong> Start Bold Text", "mnuB"));
    r.push_back(item("mnuEndBold", "</strong> End Bold Text", "mnuB"));
    r.push_back(item("mnuU", "Underline Tags", "mnuFontTags"));
    r.push_back(item("mnuUnderline", "<u> Start Underlined Text", "mnuU"));
    r.push_back(item("mnuEndUnderline", "</u> End Underlined Text", "mnuU"));
    r.push_back(item("mnuI", "Italics Tags", "mnuFontTags"));
    r.push_back(item("mnuItalics", "<em> Start Italics Text", "mnuI"));
    r.push_back(item("mnuEndItalics", "</em> End Italic Text", "mnuI"));
    r.push_back(item("mnuS", "Strike Tags", "mnuFontTags"));
    r.push_back(item("mnuStrike", "<strike> Start Striked Text", "mnuS"));
    r.push_back(item("mnuEndStrike", "</strike> End Striked Text", "mnuS"));
    r.push_back(item("mnuT", "Typewriter Tags", "mnuFontTags"));
    r.push_back(item("mnuTT", "<tt> Start Typewriter Text", "mnuT"));
    r.push_back(item("mnuEndTT", "</tt> End Typewriter Text ", "mnuT"));
    r.push_back(item("mnuBT", "Blinking Text Tags", "mnuFontTags"));
    r.push_back(item("mnuBlinking", "<blink> Start Blinking Text", "mnuBT"));
    r.push_back(item("mnuEndBlinking", "</blink> End Blinking Text", "mnuBT"));
    r.push_back(item("mnusup", "Superscript Tags", "mnuFontTags"));
    r.push_back(item("mnuStartSup", "<sup> Start Superscript Text", "mnusup"));
    r.push_back(item("mnuEndSup", "</sup> End Superscript Text", "mnusup"));
    r.push_back(item("mnuSub", "Subscript Tags", "mnuFontTags"));
    r.push_back(item("mnuStartSub", "<sub> Start Subscript text", "mnuSub"));
    r.push_back(item("mnuEndSub", "</sub> End Subscript text", "mnuSub"));
    r.push_back(sep("mnuFontTags"));
    // ten text samples
    r.push_back(item("mnuBoldText", "Bold Text", "mnuFontTags"));
    r.push_back(item("mnuUnderlinedText", "Underlined Text", "mnuFontTags"));
    r.push_back(item("mnuItalicText", "Italic Text ", "mnuFontTags"));
    r.push_back(item("mnuBoldItalic", "Bold Italic Text", "mnuFontTags"));
    r.push_back(item("mnuBoldItalicUnderlined", "Bold Italic Underlined text", "mnuFontTags"));
    r.push_back(item("mnuTWText", "Typewriter Text", "mnuFontTags"));
    r.push_back(item("mnuStrikedText", "Striked Text", "mnuFontTags"));
    r.push_back(item("mnuBlinkingText", "Blinking Text", "mnuFontTags"));
    r.push_back(item("mnuSuperscriptText", "Superscript Text", "mnuFontTags"));
    r.push_back(item("mnuSubscriptText", "Subscript Text", "mnuFontTags"));
    r.push_back(sep("mnuFontTags"));
    r.push_back(item("mnuFontSize", "Font Size", "mnuFontTags"));
    r.push_back(item("mnuFontSize1", "1", "mnuFontSize"));
    r.push_back(item("mnuFontSize2", "2", "mnuFontSize"));
    r.push_back(item("mnuFontSize3", "3", "mnuFontSize"));
    r.push_back(item("mnuFontSize4", "4", "mnuFontSize"));
    r.push_back(item("mnuFontSize5", "5", "mnuFontSize"));
    r.push_back(item("mnuFontSize6", "6", "mnuFontSize"));
    r.push_back(item("mnuFontSize7", "7", "mnuFontSize"));
    r.push_back(item("mnuFontSize8", "8", "mnuFontSize"));
    r.push_back(item("mnuFontSize9", "9", "mnuFontSize"));
    r.push_back(item("mnuFontSize10", "10", "mnuFontSize"));
    r.push_back(item("mnuEndFontSize", "</font> End Font Size", "mnuFontSize"));
    r.push_back(sep("mnuFontTags"));
    r.push_back(item("mnuFontFace", "Font Face", "mnuFontTags"));
    r.push_back(item("mnuArial", "Arial", "mnuFontFace"));
    r.push_back(item("mnuArialBlack", "Arial Black", "mnuFontFace"));
    r.push_back(item("mnuArialNarrow", "Arial Narrow", "mnuFontFace"));
    r.push_back(item("mnuCourier", "Courier", "mnuFontFace"));
    r.push_back(item("mnuTimes", "Times New Roman", "mnuFontFace"));
    r.push_back(item("mnuEndFontFace", "</font> End Font Face", "mnuFontFace"));

    // Insert Tables: four "N Rows by" submenus, each with four column counts
    r.push_back(item("mnuTable", "Insert &Tables", ""));
    r.push_back(item("mnu1Row", "1 Row by", "mnuTable"));
    r.push_back(item("mnu1x1", "1 column", "mnu1Row"));
    r.push_back(item("mnu1x2", "2 columns", "mnu1Row"));
    r.push_back(item("mnu1x3", "3 columns", "mnu1Row"));
    r.push_back(item("mnu1x4", "4 columns", "mnu1Row"));
    r.push_back(item("mnu2Rows", "2 Rows by", "mnuTable"));
    r.push_back(item("mnu2x1", "1 column", "mnu2Rows"));
    r.push_back(item("mnu2x2", "2 columns", "mnu2Rows"));
    r.push_back(item("mnu2x3", "3 columns", "mnu2Rows"));
    r.push_back(item("mnu2x4", "4 columns", "mnu2Rows"));
    r.push_back(item("mnu3Rows", "3 Rows by", "mnuTable"));
    r.push_back(item("mnu3x1", "1 column", "mnu3Rows"));
    r.push_back(item("mnu3x2", "2 columns", "mnu3Rows"));
    r.push_back(item("mnu3x3", "3 columns", "mnu3Rows"));
    r.push_back(item("mnu3x4", "4 columns", "mnu3Rows"));
    r.push_back(item("mnu4Rows", "4 Rows by", "mnuTable"));
    r.push_back(item("mnu4x1", "1 column", "mnu4Rows"));
    r.push_back(item("mnu4x2", "2 columns", "mnu4Rows"));
    r.push_back(item("mnu4x3", "3 columns", "mnu4Rows"));
    r.push_back(item("mnu4x4", "4 columns", "mnu4Rows"));

    // Insert Frames: a top-level command, not a menu
    r.push_back(item("mnuFrames", "Insert F&rames", ""));

    // Preview
    r.push_back(item("mnuPreview", "&Preview", ""));
    r.push_back(item("mnuViewRefresh", "&Refresh Now", "mnuPreview", "F5"));
    r.push_back(item("mnuPreviewContinuous", "Refresh Continuously", "mnuPreview", "", true));
    r.push_back(sep("mnuPreview"));
    r.push_back(item("mnuTR", "Test Resulotions", "mnuPreview"));
    r.push_back(item("mnu640", "640x480", "mnuTR"));
    r.push_back(item("mnu800", "800x600", "mnuTR"));
    r.push_back(item("mnu1024", "1024x768", "mnuTR"));
    r.push_back(sep("mnuPreview"));
    r.push_back(item("mnuNetscape", "Netscape", "mnuPreview"));
    r.push_back(item("mnuNetscapeLocation", "Locate", "mnuNetscape"));
    r.push_back(item("mnuNetscapePreview", "Preview", "mnuNetscape"));
    r.push_back(item("mnuIE", "Internet Explorer", "mnuPreview"));
    r.push_back(item("mnuIELocate", "Locate", "mnuIE"));
    r.push_back(item("mnuIEPreview", "Preview", "mnuIE"));
    r.push_back(item("mnuMode", "Mode", "mnuPreview"));
    r.push_back(item("mnuBoth", "Source and Preview", "mnuMode"));
    r.push_back(item("mnuSOnly", "Source Only", "mnuMode"));
    r.push_back(item("mnuPOnly", "Preview Only", "mnuMode"));

    // About
    r.push_back(item("mnuA", "About", ""));
    r.push_back(item("mnuWeb", "Website", "mnuA"));
    r.push_back(item("mnuAbout", "About", "mnuA"));

    return r;
}

void walkActions(const QList<QAction*>& actions, const std::string& parent,
                 std::vector<Walked>& out) {
    for (QAction* action : actions) {
        Walked w;
        w.action = action;
        w.row.name = action->objectName().toStdString();
        w.row.caption = action->text().toStdString();
        w.row.shortcut = action->shortcut().toString(QKeySequence::PortableText).toStdString();
        w.row.parent = parent;
        w.row.checked = action->isChecked();
        w.row.separator = action->isSeparator();
        QMenu* menu = action->menu();
        w.submenu = menu != nullptr;
        if (menu != nullptr) {
            w.menuObjectName = menu->objectName().toStdString();
        }
        out.push_back(w);
        if (menu != nullptr) {
            walkActions(menu->actions(), menu->objectName().toStdString(), out);
        }
    }
}

// Depth-first walk of the whole bar: each submenu's entries follow its own row.
std::vector<Walked> walkBar(const QMenuBar& bar) {
    std::vector<Walked> out;
    walkActions(bar.actions(), "", out);
    return out;
}

std::string describe(const Row& r) {
    std::ostringstream s;
    if (r.separator) {
        s << "separator in \"" << r.parent << "\"";
        return s.str();
    }
    s << r.name << " \"" << r.caption << "\" shortcut=\"" << r.shortcut << "\" parent=\""
      << r.parent << "\" checked=" << (r.checked ? "yes" : "no");
    return s.str();
}

bool sameRow(const Row& a, const Row& b) {
    if (a.separator || b.separator) {
        return a.separator == b.separator && a.parent == b.parent;
    }
    return a.name == b.name && a.caption == b.caption && a.shortcut == b.shortcut &&
           a.parent == b.parent && a.checked == b.checked;
}

const Walked* findByName(const std::vector<Walked>& walked, const std::string& name) {
    for (const Walked& w : walked) {
        if (!w.row.separator && w.row.name == name) {
            return &w;
        }
    }
    return nullptr;
}

bool isLeaf(const Walked& w) {
    return !w.row.separator && !w.submenu;
}

} // namespace

// The built bar must match the whole menu tree, row for row, in display order.
TEST(MenuBar, TreeMatchesRequiredMenusInDisplayOrder) {
    CommandRegistry registry;
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    const std::vector<Row> expected = expectedRows();
    const std::vector<Walked> walked = walkBar(bar);

    const std::size_t common = std::min(expected.size(), walked.size());
    int mismatches = 0;
    for (std::size_t i = 0; i < common && mismatches < 10; ++i) {
        if (!sameRow(expected[i], walked[i].row)) {
            ++mismatches;
            ADD_FAILURE() << "row " << i << " differs\n  expected: " << describe(expected[i])
                          << "\n  actual:   " << describe(walked[i].row);
        }
    }
    for (std::size_t i = common; i < expected.size() && i < common + 5; ++i) {
        ADD_FAILURE() << "missing row " << i << ": " << describe(expected[i]);
    }
    for (std::size_t i = common; i < walked.size() && i < common + 5; ++i) {
        ADD_FAILURE() << "extra row " << i << ": " << describe(walked[i].row);
    }
    EXPECT_EQ(walked.size(), expected.size());
}

// The top-level entries are the nine required menus, and only "Insert Frames"
// is a plain command rather than a menu.
TEST(MenuBar, TopLevelEntriesAndWhichAreMenus) {
    CommandRegistry registry;
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    struct Top {
        const char* name;
        bool isMenu;
    };
    const Top tops[] = {{"mnuFile", true},    {"mnuEdit", true},     {"mnuFormatSource", true},
                        {"mnuInsert", true},  {"mnuFontTags", true}, {"mnuTable", true},
                        {"mnuFrames", false}, {"mnuPreview", true},  {"mnuA", true}};

    const QList<QAction*> actions = bar.actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(tops)));
    for (std::size_t i = 0; i < std::size(tops); ++i) {
        QAction* a = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(a->objectName().toStdString(), tops[i].name) << "position " << i;
        EXPECT_EQ(a->menu() != nullptr, tops[i].isMenu) << tops[i].name;
    }
}

// Exactly the listed shortcuts exist, each on its own item; nothing else
// (not even Cut, Copy, Paste or Undo) carries a key.
TEST(MenuBar, ShortcutsAreExactlyTheRequiredOnes) {
    CommandRegistry registry;
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    const QMap<QString, QString> required = {
        {"mnuFileNew", "Ctrl+N"},        {"mnuFileOpen", "Ctrl+O"},
        {"mnuFileClose", "Ctrl+W"},      {"mnuFileSave", "Ctrl+S"},
        {"mnuEditDSelectAll", "Ctrl+A"}, {"mnuEditFind", "Ctrl+F"},
        {"mnuFindAndReplace", "Ctrl+R"}, {"mnuFormatHierarchal", "F1"},
        {"mnuFormatSimple", "F2"},       {"mnuFormatCompact", "F3"},
        {"mnuViewRefresh", "F5"},
    };

    const std::vector<Walked> walked = walkBar(bar);
    QSet<QString> seen;
    for (const Walked& w : walked) {
        const QString name = QString::fromStdString(w.row.name);
        const QString actual = QString::fromStdString(w.row.shortcut);
        const QString want = required.value(name);
        EXPECT_EQ(actual.toStdString(), want.toStdString())
            << "shortcut of " << (w.row.separator ? std::string("a separator") : w.row.name);
        if (required.contains(name)) {
            seen.insert(name);
        }
    }
    for (auto it = required.cbegin(); it != required.cend(); ++it) {
        EXPECT_TRUE(seen.contains(it.key())) << it.key().toStdString() << " not in the menu bar";
    }

    // The clipboard and undo items must not claim the usual keys either.
    for (const char* name : {"mnuEditUndo", "mnuEditCut", "mnuEditCopy", "mnuEditPaste"}) {
        const Walked* w = findByName(walked, name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_TRUE(w->action->shortcut().isEmpty()) << name;
        EXPECT_TRUE(w->action->shortcuts().isEmpty()) << name;
    }
}

// Only "Refresh Continuously" can carry a check mark, and it is checked as
// soon as the bar is built.
TEST(MenuBar, OnlyRefreshContinuouslyIsCheckableAndStartsChecked) {
    CommandRegistry registry;
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    const std::vector<Walked> walked = walkBar(bar);
    for (const Walked& w : walked) {
        if (w.row.separator) {
            continue;
        }
        const bool want = w.row.name == "mnuPreviewContinuous";
        EXPECT_EQ(w.action->isCheckable(), want) << w.row.name;
        EXPECT_EQ(w.action->isChecked(), want) << w.row.name;
    }
    ASSERT_NE(findByName(walked, "mnuPreviewContinuous"), nullptr);
}

// With no commands registered every leaf is disabled (never a silent no-op),
// while the submenus stay enabled so the tree can still be browsed.
TEST(MenuBar, EmptyRegistryDisablesEveryLeafButNoSubmenu) {
    CommandRegistry registry;
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    const std::vector<Walked> walked = walkBar(bar);
    int leaves = 0;
    for (const Walked& w : walked) {
        if (w.row.separator) {
            continue;
        }
        if (w.submenu) {
            EXPECT_TRUE(w.action->isEnabled()) << "submenu " << w.row.name;
        } else {
            ++leaves;
            EXPECT_FALSE(w.action->isEnabled()) << "leaf " << w.row.name;
        }
    }
    EXPECT_GT(leaves, 0);
}

// A registered command enables its item, including "Insert Frames" which
// sits directly on the bar, and triggering the item runs that command once
// and no other.
TEST(MenuBar, RegisteredCommandsEnableTheirItemsAndRunOncePerTrigger) {
    struct Case {
        const char* name;
        int runs = 0;
    };
    Case cases[] = {{"mnuFileOpen"}, {"mnuFrames"}};

    CommandRegistry registry; // must outlive the bar
    for (Case& c : cases) {
        registry.add(QString::fromUtf8(c.name), [&c] { ++c.runs; });
    }
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    const std::vector<Walked> walked = walkBar(bar);
    for (const Walked& w : walked) {
        if (!isLeaf(w)) {
            continue;
        }
        const bool registered = w.row.name == "mnuFileOpen" || w.row.name == "mnuFrames";
        EXPECT_EQ(w.action->isEnabled(), registered) << w.row.name;
    }

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Walked* w = findByName(walked, cases[i].name);
        ASSERT_NE(w, nullptr) << cases[i].name;
        ASSERT_FALSE(w->submenu) << cases[i].name << " must be a command, not a menu";
        w->action->trigger();
        for (std::size_t j = 0; j < std::size(cases); ++j) {
            EXPECT_EQ(cases[j].runs, j <= i ? 1 : 0)
                << "after triggering " << cases[i].name << ", runs of " << cases[j].name;
        }
    }
}

// Every item and submenu is addressable by a unique, non-empty name (other
// parts of the program look commands up by it); a submenu's QMenu carries the
// same name as its menu action.
TEST(MenuBar, NamesAreNonEmptyAndUnique) {
    CommandRegistry registry;
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    const std::vector<Walked> walked = walkBar(bar);
    QSet<QString> names;
    for (std::size_t i = 0; i < walked.size(); ++i) {
        const Walked& w = walked[i];
        if (w.row.separator) {
            continue;
        }
        EXPECT_FALSE(w.row.name.empty()) << "row " << i << " \"" << w.row.caption << "\"";
        if (w.row.name.empty()) {
            continue;
        }
        const QString name = QString::fromStdString(w.row.name);
        EXPECT_FALSE(names.contains(name)) << "duplicate name " << w.row.name;
        names.insert(name);
        if (w.submenu) {
            EXPECT_EQ(w.menuObjectName, w.row.name) << "QMenu name of " << w.row.name;
        }
    }
}
