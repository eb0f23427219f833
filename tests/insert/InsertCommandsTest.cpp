// Every insertion command run through its menu action on the real main
// window, with scripted dialogs.
#include "editor/SourcePane.h"
#include "support/TestWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <gtest/gtest.h>

namespace {
struct Expected {
    const char* command;
    const char* text;
};

// The texts the commands must insert, written out line by line.
const Expected FixedTexts[] = {
    {"mnuBold", "<strong>"},
    {"mnuUnderline", "<u>"},
    {"mnuItalics", "<em>"},
    {"mnuStrike", "<strike>"},
    {"mnuTT", "<tt>"},
    {"mnuBlinking", "<blink>"},
    {"mnuStartSup", "<sup>"},
    {"mnuStartSub", "<sub>"},
    {"mnuEndBold", "</strong>\n"},
    {"mnuEndUnderline", "</u>\n"},
    {"mnuEndItalics", "</em>\n"},
    {"mnuEndStrike", "</strike>\n"},
    {"mnuEndTT", "</tt>\n"},
    {"mnuEndBlinking", "</blink>\n"},
    {"mnuEndSup", "</sup>\n"},
    {"mnuEndSub", "</sub>\n"},
    {"mnuEndHyperLink", "</a>\n"},
    {"mnuBoldText", "<p><strong>Bold Text</strong></p>\n"},
    {"mnuUnderlinedText", "<p><u>Underlined Text</u></p>\n"},
    {"mnuItalicText", "<p><em>Italic Text</em></p>\n"},
    {"mnuBoldItalic", "<p><strong><em>Bold Italic Text</strong></em></p>\n"},
    {"mnuBoldItalicUnderlined",
     "<p><strong><em><u>Bold Italic Underlined Text</strong></em></u></p>\n"},
    {"mnuTWText", "<p><tt>Typewriter Text</tt></p>\n"},
    {"mnuStrikedText", "<p><strike>Striked Text</strike></p>\n"},
    {"mnuBlinkingText", "<p><blink>Blinking Text</blink></p>\n"},
    {"mnuSuperscriptText", "<p><sup>Superscript Text</sup></p>\n"},
    {"mnuSubscriptText", "<p><sub>Subscript Text</sub></p>\n"},
    {"mnuBr", "<br>\n"},
    {"mnuBRLeft", "<br clear=\"left\">\n"},
    {"mnuBRRight", "<br clear=\"right\">\n"},
    {"mnuBrClear", "<br clear=\"all\">\n"},
    {"mnuBlankLine", "<p>&nbsp;</p>"},
    {"mnuDivLeft", "<div align=\"left\">"},
    {"mnuDivCenter", "<div align=\"center\">"},
    {"mnuDivRight", "<div align=\"right\">"},
    {"mnuEndDiv", "</div>"},
    {"mnuHR", "<hr>\n"},
    {"mnuBullets", "<ul>\n<li>Bullet 1</li>\n<li>Bullet 2</li>\n<li>Bullet 3</li>\n</ul>\n"},
    {"mnuNumbered", "<ol>\n<li>Bullet 1</li>\n<li>Bullet 2</li>\n<li>Bullet 3</li>\n</ol>\n"},
    {"mnuComments", "<!-- Your comments go in here -->\n"},
    {"mnuFontSize1", "<font size =\"1\">"},
    {"mnuFontSize7", "<font size =\"7\">"},
    {"mnuFontSize10", "<font size =\"10\">"},
    {"mnuEndFontSize", "</font>\n"},
    {"mnuArial", "<font face=\"Arial\">"},
    {"mnuArialBlack", "<font face=\"Arial Black\">"},
    {"mnuArialNarrow", "<font face=\"Arial Narrow\">"},
    {"mnuCourier", "<font face=\"Courier\">"},
    {"mnuTimes", "<font face=\"Times New Roman\">"},
    {"mnuEndFontFace", "</font>\n"},
    {"mnuForm", "<form action=\"\" method=\"POST\" name=\"Form1\">\n"
                "<p>enter your field label name <input type=\"text\" size=\"20\" name=\"T1\"></p>\n"
                "<p>enter your field label name <input type=\"text\" size=\"20\" name=\"T1\"></p>\n"
                "<p><input type=\"submit\" name=\"B1\" value=\"Submit\"><input type=\"reset\" "
                "name=\"B2\" value=\"Reset\"></p>\n"
                "</form>\n"},
    {"mnuScrollingTextBox",
     "<form action=\"\" method=\"POST\" name=\"Form1\">\n"
     "<p>Label Here<br><textarea rows=\"4\" name=\"S1\" cols=\"30\"></textarea>\n"
     "<p><input type=\"submit\" name=\"B1\" value=\"Submit\"><input type=\"reset\" name=\"B2\" "
     "value=\"Reset\"></p>\n"
     "</form>\n"},
    {"mnu1and2", "<form action=\"\" method=\"POST\" name=\"Form1\">\n"
                 "<p>enter your field label name<br><input type=\"text\" size=\"20\" "
                 "name=\"T1\"></p>\n"
                 "<p>Label Here<br><textarea rows=\"4\" name=\"S1\" cols=\"30\"></textarea>\n"
                 "<p><input type=\"submit\" name=\"B1\" value=\"Submit\"><input type=\"reset\" "
                 "name=\"B2\" value=\"Reset\"></p>\n"
                 "</form>\n"},
    {"mnuRadioButton",
     "<p><input type=\"radio\" value=\"V1\" checked name=\"R1\">Radio Button label</p>\n"},
    {"mnuCheckBox",
     "<p><input type=\"checkbox\" value=\"ON\" checked name=\"C1\">Check box label</p>\n"},
    {"mnuButton", "<p><input type=\"button\" value=\"Button label\" name=\"B1\"></p>\n"},
    {"mnuScrollingTextBox2", "<p><textarea rows=\"4\" name=\"S1\" cols=\"30\"></textarea></p>\n"},
    {"mnuBookMark", "<a name=\"Bookmark Name Here\">Bookmarked Object Here</a>"},
    {"mnuBookMarkLink", "<!-- The # must be before the Bookmark Name -->\n"
                        "<a href=\"#Bookmark Name Here\">Bookmark Link Object Here</a>"},
    {"mnuDropDown",
     "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\n"
     "<tr>\n"
     "<td width=\"50%\"><font color=\"#400000\" face=\"Arial\"><form NAME=\"LWform\" "
     "align=\"left\" target=\"_self\">\n"
     "<div align=\"center\"><center><p><small><font color=\"#400000\"><strong>Goto</strong>"
     "</font></small>\n"
     "<font face=\"Arial\" color=\"#0080FF\"><select NAME=\"list\" onChange = "
     "\"top.location.href=this.form.list.options[this.form.list.selectedIndex].value\" "
     "size=\"1\">\n"
     "<option SELECTED VALUE>Make Selection</option>\n"
     "<option VALUE=\"Add lnk to Page 1 here\">Page 1</option>\n"
     "<option VALUE=\"Add lnk to Page 2 here\">Page 2</option>\n"
     "<option VALUE=\"Add lnk to Page 3 here\">Page 3</option>\n"
     "</select></font></font></p>\n"
     "</center></div>\n"
     "</form>\n"
     "</td>\n"
     "</tr>\n"
     "</table>\n"},
};

class InsertCommandsTest : public ::testing::Test {
  protected:
    InsertCommandsTest() { selectSlot(2); }

    void selectSlot(int n) {
        w->findChild<QTabBar*>("TabStrip1")->setCurrentIndex(n - 1);
        for (int k = 1; k <= 5; ++k) {
            w->documents().setChanged(k, false);
        }
    }

    void trigger(const char* command) {
        auto* action = w->menuBar()->findChild<QAction*>(command);
        ASSERT_NE(action, nullptr) << command;
        ASSERT_TRUE(action->isEnabled()) << command;
        action->trigger();
    }

    // Runs the command over "0123456789" with "34" selected and checks the
    // selection was replaced, the caret ended after the text, and only the
    // current slot is marked changed.
    void expectInserted(const char* command, const QString& text) {
        SCOPED_TRACE(command);
        w->source().setText("0123456789");
        w->source().setSelection(3, 2);
        for (int k = 1; k <= 5; ++k) {
            w->documents().setChanged(k, false);
        }
        const auto navigations = w.recording->navigations.size();
        trigger(command);
        EXPECT_EQ(w->source().text(), "012" + text + "56789");
        EXPECT_EQ(w->source().selectionStart(), 3 + text.size());
        EXPECT_EQ(w->source().selectionLength(), 0);
        for (int k = 1; k <= 5; ++k) {
            EXPECT_EQ(w->documents().changed(k), k == 2) << k;
        }
        EXPECT_EQ(w.recording->navigations.size(), navigations) << "no refresh by the command";
    }

    const Prompts::FileRequest& lastFileRequest() { return w.prompts.seen().back().file; }

    TestWindow w;
};
} // namespace

TEST_F(InsertCommandsTest, FixedTextsReplaceTheSelection) {
    for (const Expected& e : FixedTexts) {
        expectInserted(e.command, QString::fromUtf8(e.text));
    }
}

TEST_F(InsertCommandsTest, TablesReplaceTheSelection) {
    expectInserted("mnu1x1", "<div align=\"center\"><center>\n"
                             "<table border=\"1\" cellspacing=\"1\" width=\"100%\" "
                             "bgcolor=\"#FFFFFF\">\n"
                             "<tr>\n"
                             "<td width=\"100%\" background=\" \" bgcolor=\"#FFFFFF\">\n"
                             "<p align=\"center\"><font color=\"#000000\" face=\"Arial\" "
                             "size=\"3\"><strong>\n"
                             "Enter Text Here\n"
                             "</strong></font></td>\n"
                             "</tr>\n"
                             "</table></center></div>\n"
                             "</center></div>\n");
    w->source().setText(QString());
    trigger("mnu4x4");
    EXPECT_EQ(w->source().text().count("Enter Text Here"), 16);
}

TEST_F(InsertCommandsTest, EveryInsertItemIsEnabled) {
    for (const char* menu : {"mnuInsert", "mnuFontTags", "mnuTable"}) {
        for (QAction* action : w->menuBar()->findChild<QMenu*>(menu)->findChildren<QAction*>()) {
            if (!action->isSeparator() && !action->objectName().isEmpty()) {
                EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
            }
        }
    }
}

TEST_F(InsertCommandsTest, AtTheEndTwiceAndOverAnEqualSelection) {
    w->source().setText("x");
    w->source().setSelection(1, 0);
    trigger("mnuBr");
    trigger("mnuBr");
    EXPECT_EQ(w->source().text(), "x<br>\n<br>\n");
    EXPECT_EQ(w->source().selectionStart(), 11);

    w->source().setSelection(1, 5);
    w->documents().setChanged(2, false);
    trigger("mnuBr");
    EXPECT_EQ(w->source().text(), "x<br>\n<br>\n");
    EXPECT_TRUE(w->documents().changed(2)) << "an insertion marks the slot even if nothing differs";
}

TEST_F(InsertCommandsTest, ColourCommandsInsertTheDialogsColour) {
    w.prompts.expectColor(std::nullopt); // cancelled at first use: black
    expectInserted("mnuJustCode", "\"#000000\"");
    w.prompts.expectColor(QColor(255, 0, 0));
    expectInserted("mnuColorCode", "Color=\"#FF0000\"");
    EXPECT_EQ(w->commonDialog().color, 255);
    w.prompts.expectColor(std::nullopt); // cancelled later: the last colour
    expectInserted("mnuFontColor", "Font Color=\"#FF0000\"");
    w.prompts.expectColor(QColor(10, 10, 10));
    expectInserted("mnuJustCode", "\"#0A0A0A\"");
    EXPECT_EQ(w.prompts.seen().back().color, QColor(255, 0, 0)) << "opens at the last colour";
}

TEST_F(InsertCommandsTest, LinksUseTheChosenPageWithTheirTargets) {
    const std::pair<const char*, const char*> targets[] = {
        {"mnuSameFrame", "_self"},
        {"mnuWholePage", "_top"},
        {"mnuNewWindow", "_blank"},
        {"mnuParentFrame", "_parent"},
    };
    for (const auto& [command, target] : targets) {
        w.prompts.expectFile(QString(), {"C:\\site\\a.htm"});
        expectInserted(command, QStringLiteral("<a href=\"C:/site/a.htm\" Target=\"%1\">Link "
                                               "Object Here</a>")
                                    .arg(target));
        EXPECT_EQ(lastFileRequest().nameFilters,
                  QStringList{"web pages (*.htm;*.html) (*.htm *.html)"});
    }
    EXPECT_EQ(w->insertCommands().linkPath(), "C:/site/a.htm");

    w->source().setText("keep");
    w.prompts.expectFile(QString(), {});
    trigger("mnuNewWindow");
    EXPECT_EQ(w->source().text(), "keep");
    EXPECT_EQ(w->insertCommands().linkPath(), "C:/site/a.htm");
}

TEST_F(InsertCommandsTest, ImagesGoInAsTypedAndTheFilterCarriesOver) {
    const QString path = "C:\\a b\\x+y^z%1~(a){b}[c].gif";
    const QString typed = "C:/a b/x+y^z%1~(a){b}[c].gif";
    w.prompts.expectFile("Open", {path});
    expectInserted("mnuImagePath", "<img src=\"" + typed + "\">");
    EXPECT_EQ(lastFileRequest().nameFilters,
              QStringList{"Image Files (*.gif;*.jpg) (*.gif *.jpg)"});
    w.prompts.expectFile("Open", {path});
    expectInserted("mnuImage", "\r\n<p>\r\n<img src=\"" + typed +
                                   "\" alt=\"Alternate Text\" Border=\"0\" align=\"top\">\r\n"
                                   "</p>\r\n");
    w.prompts.expectFile("Open", {path});
    expectInserted("mnuImageBackground", "background=\"" + typed + "\"");

    // The file-path command shows what the image command left, and inserts
    // the bare path.
    w.prompts.expectFile("Open", {"D:\\pages\\index.html"});
    expectInserted("mnuInsertFilePath", "D:/pages/index.html");
    EXPECT_EQ(lastFileRequest().nameFilters,
              QStringList{"Image Files (*.gif;*.jpg) (*.gif *.jpg)"});

    // Any cancelled dialog inserts nothing.
    w->source().setText("keep");
    for (const char* command :
         {"mnuImage", "mnuImagePath", "mnuImageBackground", "mnuInsertFilePath"}) {
        w.prompts.expectFile("Open", {});
        trigger(command);
    }
    EXPECT_EQ(w->source().text(), "keep");
}
