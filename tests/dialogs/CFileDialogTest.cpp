#include "dialogs/CFileDialog.h"
#include "dialogs/FileDialogBuffers.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace {
QString nul(const char* text, int size) {
    return QString::fromLatin1(text, size);
}
} // namespace

TEST(FileDialogBuffers, FilterBecomesANulSeparatedList) {
    EXPECT_EQ(filebuf::convertFilter("Web|*.htm"), nul("Web\0*.htm\0\0", 11));
    EXPECT_EQ(filebuf::convertFilter("Web|*.htm|"), nul("Web\0*.htm\0\0\0", 12));
    EXPECT_EQ(filebuf::convertFilter(""), nul("\0\0", 2));
    EXPECT_EQ(
        filebuf::nameFiltersFromList(filebuf::convertFilter(
            "Files (*.htm; *.html; *.mv; *.js; *.rtf)|*.htm; *.html; *.mv; *.js; *.rtf")),
        QStringList{"Files (*.htm; *.html; *.mv; *.js; *.rtf) (*.htm *.html *.mv *.js *.rtf)"});
}

TEST(FileDialogBuffers, TrimNullsCutsAtTheEndMarker) {
    // "abc\0\0": the pair is last, so it is no end marker.
    const std::pair<QString, QString> cases[] = {
        {"C:\\a.htm" + QString(246, QChar(0)), "C:\\a.htm"},
        {nul("dir\0one\0two\0\0\0", 15), "dir one two"},
        {nul("abc\0\0", 5), nul("abc\0\0", 5)},
        {nul("\0\0x", 3), ""},
        {nul("a\0b", 3), nul("a\0b", 3)},
        {"plain", "plain"},
        {QString(255, QChar(0)), ""}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(filebuf::trimNulls(in), out) << in.toStdString();
    }
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
