// Every insertion command run through its menu action on the real main
// window, with scripted dialogs.
#include "support/TestWindow.h"

namespace {
class InsertCommandsTest : public ::testing::Test {
  protected:
    InsertCommandsTest() { w.select(2); }

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

    const Prompts::FileRequest& lastFileRequest() { return w.prompts.last().file; }

    TestWindow w;
};
} // namespace

TEST_F(InsertCommandsTest, FixedTextsReplaceTheSelection) {
    const QList<QByteArrayList> rows = testdata::table("expected/insert-texts.txt");
    ASSERT_EQ(rows.size(), 60);
    for (const QByteArrayList& row : rows) {
        expectInserted(row[0].constData(), QString::fromUtf8(row.value(1)));
    }
}

TEST_F(InsertCommandsTest, TablesReplaceTheSelection) {
    expectInserted("mnu1x1", testdata::text("expected/tables/1x1.html"));
    expectInserted("mnu3x3", testdata::text("expected/tables/3x3.html"));
    expectInserted("mnu4x4", testdata::text("expected/tables/4x4.html"));
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

TEST_F(InsertCommandsTest, ColourCommandsInsertTheChosenColourAndCancelInsertsNothing) {
    const QString before = w->source().text();
    w.prompts.expectColor(std::nullopt); // Cancel inserts nothing
    trigger("mnuJustCode");
    EXPECT_EQ(w->source().text(), before);
    w.prompts.expectColor(QColor(255, 0, 0));
    expectInserted("mnuColorCode", "Color=\"#FF0000\"");
    EXPECT_EQ(w->commonDialog().color, 255);
    w.prompts.expectColor(std::nullopt); // and keeps the last colour
    trigger("mnuFontColor");
    w.prompts.expectColor(QColor(10, 10, 10));
    expectInserted("mnuJustCode", "\"#0A0A0A\"");
    EXPECT_EQ(w.prompts.last().color, QColor(255, 0, 0)) << "opens at the last colour";
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
