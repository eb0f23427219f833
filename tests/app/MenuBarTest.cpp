// The menu bar built from menuTable(), walked depth first and compared row by
// row with the menu tree as the requirements list it: names, captions (exact,
// with access keys and trailing blanks), the eleven shortcuts and no others,
// nesting, submenus, separators, the one checkable item, and enabled state.

#include "core/CommandRegistry.h"
#include "app/MenuBuilder.h"
#include "app/MenuTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Row {
    const char* name;
    const char* caption;
    const char* parent;
    const char* shortcut = "";
    bool checked = false;
};

const auto sep = [](const char* parent) { return Row{"", "-", parent}; };

// Top-level menus left to right, each followed depth first by its items.
const std::vector<Row> kExpected = {
    {"mnuFile", "&File", ""},
    {"mnuFileNew", "&New", "mnuFile", "Ctrl+N"},
    {"mnuFileOpen", "&Open", "mnuFile", "Ctrl+O"},
    {"mnuFileClose", "Close", "mnuFile", "Ctrl+W"},
    sep("mnuFile"),
    {"mnuPrint", "Print Source", "mnuFile"},
    sep("mnuFile"),
    {"mnuFileSave", "Save", "mnuFile", "Ctrl+S"},
    {"mnuSaveAs", "Save As", "mnuFile"},
    sep("mnuFile"),
    {"mnuExit", "Exit", "mnuFile"},
    {"mnuEdit", "&Edit", ""},
    {"mnuEditUndo", "&Undo", "mnuEdit"},
    sep("mnuEdit"),
    {"mnuEditCut", "Cu&t", "mnuEdit"},
    {"mnuEditCopy", "&Copy", "mnuEdit"},
    {"mnuEditPaste", "&Paste", "mnuEdit"},
    {"mnuEditDSelectAll", "Select &All", "mnuEdit", "Ctrl+A"},
    sep("mnuEdit"),
    {"mnuEditFind", "Find", "mnuEdit", "Ctrl+F"},
    {"mnuFindNext", "Find Next", "mnuEdit"},
    {"mnuFindAndReplace", "Find and &Replace", "mnuEdit", "Ctrl+R"},
    sep("mnuEdit"),
    {"mnuNextTag", "Next Tag", "mnuEdit"},
    {"mnuFormatSource", "Format Source", ""},
    {"mnuFormatHierarchal", "Hierarchal", "mnuFormatSource", "F1"},
    {"mnuFormatSimple", "Simple", "mnuFormatSource", "F2"},
    {"mnuFormatCompact", "Compact", "mnuFormatSource", "F3"},
    {"mnuInsert", "Insert &Objects", ""},
    {"mnuInsertFilePath", "&File Path", "mnuInsert"},
    {"mnuHR", "Horizontal Line", "mnuInsert"},
    {"mnuBullets", "Bullet Text", "mnuInsert"},
    {"mnuNumbered", "Numbered Text", "mnuInsert"},
    {"mnuComments", "Comments Line", "mnuInsert"},
    {"mnuImagegg", "Image", "mnuInsert"},
    {"mnuImage", "Image with complete tags", "mnuImagegg"},
    {"mnuImagePath", "Image Path Only", "mnuImagegg"},
    {"mnuImageBackground", "Image as Background", "mnuImagegg"},
    {"mnuColor", "Color Code", "mnuInsert"},
    {"mnuJustCode", "\"#??????\" ", "mnuColor"},
    {"mnuColorCode", "Color = \"#??????", "mnuColor"},
    {"mnuFontColor", "Font Color = \"??????\"", "mnuColor"},
    {"mnuF", "Forms", "mnuInsert"},
    {"mnuForm", "Simple Form 1 (Text Box)", "mnuF"},
    {"mnuScrollingTextBox", "Simple Form 2 (Scrolling Text Box)", "mnuF"},
    {"mnu1and2", "Simple Form 3 (1 and 2 combined)", "mnuF"},
    {"mnuRadioButton", "Radio Button", "mnuF"},
    {"mnuCheckBox", "Check Box", "mnuF"},
    {"mnuButton", "Button", "mnuF"},
    {"mnuScrollingTextBox2", "Scrolling Text Box", "mnuF"},
    {"mnulinebreaks", "Line Breaks", "mnuInsert"},
    {"mnuBr", "<br> Line Break", "mnulinebreaks"},
    {"mnuBRLeft", "Line Break Left", "mnulinebreaks"},
    {"mnuBRRight", "Line Break Right", "mnulinebreaks"},
    {"mnuBrClear", "Line Break Clear All", "mnulinebreaks"},
    {"mnuBlankLine", "Blank Line", "mnulinebreaks"},
    {"mnuDiv", "Justify ", "mnuInsert"},
    {"mnuDivLeft", "<div Align=\"Left\"> Left Justify", "mnuDiv"},
    {"mnuDivCenter", "<div Align=\"Center\"> Center Justify", "mnuDiv"},
    {"mnuDivRight", "<div Align=\"right\"> Right Justify", "mnuDiv"},
    {"mnuEndDiv", "</div> End Justify", "mnuDiv"},
    {"mnuHyperLink", "Hyper Links", "mnuInsert"},
    {"mnuSameFrame", "Same Frame", "mnuHyperLink"},
    {"mnuWholePage", "Whole Page", "mnuHyperLink"},
    {"mnuNewWindow", "New Window", "mnuHyperLink"},
    {"mnuParentFrame", "Parent Frame", "mnuHyperLink"},
    {"mnuBookMark", "BookMark ", "mnuHyperLink"},
    {"mnuBookMarkLink", "BookMark Hyper Link", "mnuHyperLink"},
    {"mnuEndHyperLink", "</a> End Hyper Link", "mnuHyperLink"},
    {"mnuJava", "Java ", "mnuInsert"},
    {"mnuDropDown", "Drop Down Menu", "mnuJava"},
    // Insert Font Tags: eight tag pairs, ten samples, sizes and faces
    {"mnuFontTags", "Insert F&ont Tags", ""},
    {"mnuB", "Bold Tags", "mnuFontTags"},
    {"mnuBold", "<Strong> Start Bold Text", "mnuB"},
    {"mnuEndBold", "</strong> End Bold Text", "mnuB"},
    {"mnuU", "Underline Tags", "mnuFontTags"},
    {"mnuUnderline", "<u> Start Underlined Text", "mnuU"},
    {"mnuEndUnderline", "</u> End Underlined Text", "mnuU"},
    {"mnuI", "Italics Tags", "mnuFontTags"},
    {"mnuItalics", "<em> Start Italics Text", "mnuI"},
    {"mnuEndItalics", "</em> End Italic Text", "mnuI"},
    {"mnuS", "Strike Tags", "mnuFontTags"},
    {"mnuStrike", "<strike> Start Striked Text", "mnuS"},
    {"mnuEndStrike", "</strike> End Striked Text", "mnuS"},
    {"mnuT", "Typewriter Tags", "mnuFontTags"},
    {"mnuTT", "<tt> Start Typewriter Text", "mnuT"},
    {"mnuEndTT", "</tt> End Typewriter Text ", "mnuT"},
    {"mnuBT", "Blinking Text Tags", "mnuFontTags"},
    {"mnuBlinking", "<blink> Start Blinking Text", "mnuBT"},
    {"mnuEndBlinking", "</blink> End Blinking Text", "mnuBT"},
    {"mnusup", "Superscript Tags", "mnuFontTags"},
    {"mnuStartSup", "<sup> Start Superscript Text", "mnusup"},
    {"mnuEndSup", "</sup> End Superscript Text", "mnusup"},
    {"mnuSub", "Subscript Tags", "mnuFontTags"},
    {"mnuStartSub", "<sub> Start Subscript text", "mnuSub"},
    {"mnuEndSub", "</sub> End Subscript text", "mnuSub"},
    sep("mnuFontTags"),
    {"mnuBoldText", "Bold Text", "mnuFontTags"},
    {"mnuUnderlinedText", "Underlined Text", "mnuFontTags"},
    {"mnuItalicText", "Italic Text ", "mnuFontTags"},
    {"mnuBoldItalic", "Bold Italic Text", "mnuFontTags"},
    {"mnuBoldItalicUnderlined", "Bold Italic Underlined text", "mnuFontTags"},
    {"mnuTWText", "Typewriter Text", "mnuFontTags"},
    {"mnuStrikedText", "Striked Text", "mnuFontTags"},
    {"mnuBlinkingText", "Blinking Text", "mnuFontTags"},
    {"mnuSuperscriptText", "Superscript Text", "mnuFontTags"},
    {"mnuSubscriptText", "Subscript Text", "mnuFontTags"},
    sep("mnuFontTags"),
    {"mnuFontSize", "Font Size", "mnuFontTags"},
    {"mnuFontSize1", "1", "mnuFontSize"},
    {"mnuFontSize2", "2", "mnuFontSize"},
    {"mnuFontSize3", "3", "mnuFontSize"},
    {"mnuFontSize4", "4", "mnuFontSize"},
    {"mnuFontSize5", "5", "mnuFontSize"},
    {"mnuFontSize6", "6", "mnuFontSize"},
    {"mnuFontSize7", "7", "mnuFontSize"},
    {"mnuFontSize8", "8", "mnuFontSize"},
    {"mnuFontSize9", "9", "mnuFontSize"},
    {"mnuFontSize10", "10", "mnuFontSize"},
    {"mnuEndFontSize", "</font> End Font Size", "mnuFontSize"},
    sep("mnuFontTags"),
    {"mnuFontFace", "Font Face", "mnuFontTags"},
    {"mnuArial", "Arial", "mnuFontFace"},
    {"mnuArialBlack", "Arial Black", "mnuFontFace"},
    {"mnuArialNarrow", "Arial Narrow", "mnuFontFace"},
    {"mnuCourier", "Courier", "mnuFontFace"},
    {"mnuTimes", "Times New Roman", "mnuFontFace"},
    {"mnuEndFontFace", "</font> End Font Face", "mnuFontFace"},
    // Insert Tables: four "N Rows by" submenus, each with four column counts
    {"mnuTable", "Insert &Tables", ""},
    {"mnu1Row", "1 Row by", "mnuTable"},
    {"mnu1x1", "1 column", "mnu1Row"},
    {"mnu1x2", "2 columns", "mnu1Row"},
    {"mnu1x3", "3 columns", "mnu1Row"},
    {"mnu1x4", "4 columns", "mnu1Row"},
    {"mnu2Rows", "2 Rows by", "mnuTable"},
    {"mnu2x1", "1 column", "mnu2Rows"},
    {"mnu2x2", "2 columns", "mnu2Rows"},
    {"mnu2x3", "3 columns", "mnu2Rows"},
    {"mnu2x4", "4 columns", "mnu2Rows"},
    {"mnu3Rows", "3 Rows by", "mnuTable"},
    {"mnu3x1", "1 column", "mnu3Rows"},
    {"mnu3x2", "2 columns", "mnu3Rows"},
    {"mnu3x3", "3 columns", "mnu3Rows"},
    {"mnu3x4", "4 columns", "mnu3Rows"},
    {"mnu4Rows", "4 Rows by", "mnuTable"},
    {"mnu4x1", "1 column", "mnu4Rows"},
    {"mnu4x2", "2 columns", "mnu4Rows"},
    {"mnu4x3", "3 columns", "mnu4Rows"},
    {"mnu4x4", "4 columns", "mnu4Rows"},
    // Insert Frames: a top-level command, not a menu
    {"mnuFrames", "Insert F&rames", ""},
    {"mnuPreview", "&Preview", ""},
    {"mnuViewRefresh", "&Refresh Now", "mnuPreview", "F5"},
    {"mnuPreviewContinuous", "Refresh Continuously", "mnuPreview", "", true},
    sep("mnuPreview"),
    {"mnuTR", "Test Resulotions", "mnuPreview"},
    {"mnu640", "640x480", "mnuTR"},
    {"mnu800", "800x600", "mnuTR"},
    {"mnu1024", "1024x768", "mnuTR"},
    sep("mnuPreview"),
    {"mnuNetscape", "Netscape", "mnuPreview"},
    {"mnuNetscapeLocation", "Locate", "mnuNetscape"},
    {"mnuNetscapePreview", "Preview", "mnuNetscape"},
    {"mnuIE", "Internet Explorer", "mnuPreview"},
    {"mnuIELocate", "Locate", "mnuIE"},
    {"mnuIEPreview", "Preview", "mnuIE"},
    {"mnuMode", "Mode", "mnuPreview"},
    {"mnuBoth", "Source and Preview", "mnuMode"},
    {"mnuSOnly", "Source Only", "mnuMode"},
    {"mnuPOnly", "Preview Only", "mnuMode"},
    {"mnuA", "About", ""},
    {"mnuWeb", "Website", "mnuA"},
    {"mnuAbout", "About", "mnuA"},
};

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

} // namespace

// Only the two registered commands' leaves are enabled (a leaf without a
// command is disabled, never a silent no-op); submenus stay enabled. Each
// trigger runs its own command exactly once, "Insert Frames" on the bar too.
TEST(MenuBar, TreeMatchesRequiredMenusAndWiresCommands) {
    int open = 0;
    int frames = 0;
    CommandRegistry registry; // must outlive the bar
    registry.add("mnuFileOpen", [&open] { ++open; });
    registry.add("mnuFrames", [&frames] { ++frames; });
    QMenuBar bar;
    buildMenuBar(&bar, menuTable(), registry);

    std::vector<std::string> want;
    for (const Row& r : kExpected) {
        const std::string name = r.name;
        const bool menu =
            !name.empty() && std::any_of(kExpected.begin(), kExpected.end(),
                                         [&](const Row& c) { return name == c.parent; });
        const bool on = menu || name.empty() || name == "mnuFileOpen" || name == "mnuFrames";
        const QString marks =
            QString(r.checked ? "[x]" : "") + (menu ? "menu" : "") + (on ? "" : "off");
        want.push_back(entry(r.parent, r.name, r.caption, r.shortcut, marks));
    }
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
