// The frames wizard on the real window, with scripted prompts.
#include "frames/FramesCommand.h"
#include "frames/FramesPages.h"
#include "support/TestWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using panes::Control;

namespace {
const QString Question = "Adding a Frames Page will overwrite the current page. Do you want to "
                         "save changes to current page first?";

class FramesCommandTest : public ::testing::Test {
  protected:
    FrmFrames* wizard() { return w->frames().wizard(); }
    double splitter() { return w->paneLayout()[Control::imgSplitter].left; }

    TestWindow w;
};
} // namespace

TEST_F(FramesCommandTest, AnUnchangedPageOpensTheWizardAcrossThePreview) {
    w.run("mnuFrames");
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(wizard()->isVisible());
    EXPECT_EQ(wizard()->windowTitle(), "Insert Frames");
    EXPECT_EQ(wizard()->findChildren<QToolButton*>().size(), 12);
    EXPECT_EQ(wizard()->findChild<QPushButton*>("Command11")->text(), "Exit");
    EXPECT_EQ(wizard()->findChild<QLabel*>("Label1")->text(),
              "Clcik on the above frame images to preview the Frames Page.");
    EXPECT_EQ(w->paneLayout()[Control::htmlSource].width, 0);
    EXPECT_EQ(splitter(), 0);
    wizard()->findChild<QPushButton*>("Command11")->click();
}

// Cancel, or Yes with a cancelled Save As, keeps the page and opens nothing.
TEST_F(FramesCommandTest, CancelOrACancelledSaveLeavesEverythingAsItWas) {
    w->source().replaceSelection("unsaved");
    const QString text = w->source().text();
    for (const bool save : {false, true}) {
        SCOPED_TRACE(save);
        w.prompts.expectQuestion(Question, save ? Prompts::Answer::Yes : Prompts::Answer::Cancel);
        if (save) {
            w.prompts.expectFile("Save File As", {});
        }
        w.run("mnuFrames");
        EXPECT_EQ(wizard(), nullptr);
        EXPECT_EQ(splitter(), 6000);
        EXPECT_EQ(w->source().text(), text);
        EXPECT_TRUE(w->documents().changed(1));
    }
}

// No opens the wizard; a layout then replaces the whole text, whatever was
// selected, and the slot is changed. One Undo brings the old page back.
TEST_F(FramesCommandTest, LayoutsReplaceTheWholePageAndClosingBringsThePanesBack) {
    w->source().replaceSelection("unsaved");
    const QString before = w->source().text();
    w.prompts.expectQuestion(Question, Prompts::Answer::No);
    w.run("mnuFrames");
    ASSERT_NE(wizard(), nullptr);
    w->source().setSelection(2, 3);
    wizard()->findChild<QToolButton*>("Command5")->click();
    const QString page = frames::page(*frames::layoutFor("Command5"), w.programDir.path());
    EXPECT_EQ(w->source().text(), page + " ");
    EXPECT_EQ(w->source().selectionStart(), page.size());
    EXPECT_TRUE(w->documents().changed(1));
    EXPECT_TRUE(w->documents().previewStale());
    w->source().undoOnce();
    EXPECT_EQ(w->source().text(), before);
    wizard()->findChild<QToolButton*>("Command13")->click();
    EXPECT_TRUE(w->source().text().startsWith("<html>\n"));
    EXPECT_TRUE(w->source().text().contains("Tophtmlframe.html"));

    wizard()->close(); // the close box, like Exit
    EXPECT_TRUE(w->findChild<QTimer*>("Timer1")->isActive());
    w->recentre();
    EXPECT_EQ(splitter(), 6000);
}
