#include "dialogs/CFileDialog.h"
#include "dialogs/FileDialogBuffers.h"
#include "support/ScriptedPrompts.h"
#include "support/TestData.h"

// The cases of tests/data/expected/file-dialog-buffers.txt.
TEST(FileDialogBuffers, FiltersBecomeNulSeparatedListsAndNamesAreTrimmedAtTheEndMarker) {
    for (const QByteArrayList& c : testdata::table("expected/file-dialog-buffers.txt")) {
        const QString in = QString::fromLatin1(c[1]), out = QString::fromLatin1(c.value(2));
        EXPECT_EQ(c[0] == "filter" ? filebuf::convertFilter(in) : filebuf::trimNulls(in), out)
            << c[1].toHex().data();
    }
    EXPECT_EQ(
        filebuf::nameFiltersFromList(filebuf::convertFilter(
            "Files (*.htm; *.html; *.mv; *.js; *.rtf)|*.htm; *.html; *.mv; *.js; *.rtf")),
        QStringList{"Files (*.htm; *.html; *.mv; *.js; *.rtf) (*.htm *.html *.mv *.js *.rtf)"});
}

TEST(CFileDialog, HandsItsSettingsToTheDialog) {
    ScriptedPrompts prompts;
    CFileDialog dialog(prompts);
    dialog.setDialogTitle("Open");
    dialog.setFilter("A|*.a|B|*.b;*.c");
    dialog.setFilterIndex(2);
    dialog.setInitialDir("/start");
    dialog.setDefaultExt("htm");
    dialog.setFlags(CFileDialog::OverwritePrompt);
    prompts.expectFile("Open", {"/x/y/page.htm"});
    ASSERT_TRUE(dialog.Show(false)); // false shows the save dialog whatever the title says
    const Prompts::FileRequest& request = prompts.last().file;
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.nameFilters, (QStringList{"A (*.a)", "B (*.b *.c)"}));
    EXPECT_EQ(request.selectedFilter, "B (*.b *.c)");
    EXPECT_EQ(request.folder, "/start");
    EXPECT_EQ(request.defaultSuffix, "htm");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(dialog.fileName(), "/x/y/page.htm");
    EXPECT_EQ(dialog.fileTitle(), "page.htm");

    // Cancel keeps every member, and a reused object returns exactly the
    // path picked next, however long the earlier one was.
    prompts.expectFile("Open", {});
    EXPECT_FALSE(dialog.Show(true));
    EXPECT_EQ(dialog.fileName(), "/x/y/page.htm");
    EXPECT_EQ(dialog.fileTitle(), "page.htm");
    prompts.expectFile("Open", {"/a.htm"});
    ASSERT_TRUE(dialog.Show(true));
    EXPECT_EQ(dialog.fileName(), "/a.htm");
    EXPECT_TRUE(prompts.last().file.open);
}

TEST(CFileDialog, AMultiSelectionListsTheFolderAndTheNames) {
    ScriptedPrompts prompts;
    CFileDialog dialog(prompts);
    dialog.setFlags(CFileDialog::AllowMultiSelect);
    prompts.expectFile("", {"/site/a.htm", "/site/b.htm"});
    ASSERT_TRUE(dialog.Show(true));
    EXPECT_TRUE(prompts.last().file.multiSelect);
    EXPECT_EQ(dialog.fileName(), "/site a.htm b.htm");
}
