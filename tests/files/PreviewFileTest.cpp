// Preview files never write through a planted link and are never more
// readable than the page they show.
#include "files/PreviewFile.h"
#include "support/TestData.h"

#include <unistd.h>

namespace {
constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadUser | QFileDevice::WriteUser;
} // namespace

TEST(PreviewFile, ReplacesAPlantedLinkInsteadOfWritingThroughIt) {
    QTemporaryDir dir;
    const QString victim = dir.filePath("victim.txt");
    ASSERT_TRUE(writeBytes(victim, "precious"));
    const QString symbolic = dir.filePath("~tmp3-Mkwr.html");
    const QString hard = dir.filePath("~tmp4-Mkwr.html");
    ASSERT_TRUE(QFile::link(victim, symbolic));
    ASSERT_EQ(::link(QFile::encodeName(victim).constData(), QFile::encodeName(hard).constData()),
              0);
    for (const QString& path : {symbolic, hard}) {
        ASSERT_TRUE(previewfile::write(path, "<p>page</p>", OwnerOnly));
        EXPECT_EQ(readBytes(path), "<p>page</p>");
        EXPECT_FALSE(QFileInfo(path).isSymLink());
    }
    EXPECT_EQ(readBytes(victim), "precious");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3)
        << "no temporary file is left behind";
}

TEST(PreviewFile, IsNoMoreReadableThanItsPage) {
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    ASSERT_TRUE(writeBytes(page, ""));
    const QString preview = dir.filePath("~tmp1-Mkwr.html");
    for (const auto mode :
         {OwnerOnly, OwnerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther}) {
        ASSERT_TRUE(QFile::setPermissions(page, mode));
        ASSERT_TRUE(previewfile::write(preview, "x", previewfile::permissionsFor(page)));
        EXPECT_EQ(QFile::permissions(preview), mode);
    }
    EXPECT_EQ(previewfile::permissionsFor("New Page 1"), OwnerOnly) << "a page with no file yet";
}
