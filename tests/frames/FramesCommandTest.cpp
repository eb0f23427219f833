// The frames wizard on the real window, with scripted prompts. (Cancelling
// the wizard is among the main-window scenarios.)
#include "frames/FramesCommand.h"
#include "frames/FramesPages.h"
#include "frames/FrmFrames.h"
#include "support/TestWindow.h"

using panes::Control;

TEST(FramesCommand, AnUnchangedPageOpensTheWizardAcrossThePreview) {
    TestWindow w;
    w.run("mnuFrames");
    FrmFrames* wizard = w->frames().wizard();
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->windowTitle(), "Insert Frames");
    EXPECT_EQ(wizard->findChildren<QToolButton*>().size(), 12);
    EXPECT_EQ(wizard->findChild<QPushButton*>("Command11")->text(), "Exit");
    EXPECT_EQ(wizard->findChild<QLabel*>("Label1")->text(),
              "Clcik on the above frame images to preview the Frames Page.");
    EXPECT_EQ(w->paneLayout()[Control::htmlSource].width, 0);
    EXPECT_EQ(w->paneLayout()[Control::imgSplitter].left, 0);
    wizard->findChild<QPushButton*>("Command11")->click();
}

// No opens the wizard; a layout then replaces the whole text, whatever was
// selected, and the slot is changed. One Undo brings the old page back.
// Closing the wizard, as Exit does, brings the panes back.
TEST(FramesCommand, LayoutsReplaceTheWholePageAndClosingBringsThePanesBack) {
    TestWindow w;
    w->source().replaceSelection("unsaved");
    const QString before = w->source().text();
    w.prompts.expectQuestion(testdata::prompt("frames"), Prompts::Answer::No);
    w.run("mnuFrames");
    FrmFrames* wizard = w->frames().wizard();
    ASSERT_NE(wizard, nullptr);
    w->source().setSelection(2, 3);
    wizard->findChild<QToolButton*>("Command5")->click();
    const QString page = frames::page(*frames::layoutFor("Command5"), w.programDir.path());
    EXPECT_EQ(w->source().text(), page + " ");
    EXPECT_EQ(w->source().selectionStart(), page.size());
    EXPECT_EQ(w.changed(), "1");
    EXPECT_TRUE(w->documents().previewStale());
    w->source().undoOnce();
    EXPECT_EQ(w->source().text(), before);
    wizard->findChild<QToolButton*>("Command13")->click();
    EXPECT_TRUE(w->source().text().startsWith("<html>\n"));
    EXPECT_TRUE(w->source().text().contains("Tophtmlframe.html"));

    wizard->close();
    EXPECT_TRUE(w->findChild<QTimer*>("Timer1")->isActive());
    w->recentre();
    EXPECT_EQ(w->paneLayout()[Control::imgSplitter].left, 6000);
}
