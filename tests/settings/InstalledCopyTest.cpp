// An installed copy, whose folder is the system's, keeps its INI file in the
// user's configuration folder; a copy that may write beside itself keeps it
// there. Dropped files open like Open.
#include "settings/SettingsStore.h"
#include "support/TestWindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

TEST(InstalledCopy, TheIniFileGoesWhereItCanBeWritten) {
    QTemporaryDir user;
    ScriptedPrompts prompts;
    const SettingsStore installed("/nonexistent/system/folder", prompts, user.path());
    QString folder = "/home/me/site/";
    ASSERT_TRUE(installed.writeIniKey("OpenPath", folder));
    EXPECT_EQ(installed.iniPath(), QDir(user.path()).filePath("Markwright.ini"));
    EXPECT_EQ(installed.readIniKey("OpenPath"), "/home/me/site/");

    QTemporaryDir portable;
    const SettingsStore beside(portable.path(), prompts, user.path());
    EXPECT_EQ(beside.iniPath(), QDir(portable.path()).filePath("Markwright.ini"));
}

// Dropped files need no starting folder, so a missing INI file is told once,
// at start-up, not again for every file.
TEST(InstalledCopy, FilesDroppedOnTheWindowOpenIntoTheActiveSlotAndTheNext) {
    TestWindow w(TestWindow::Ini::Missing);
    QTemporaryDir site;
    QList<QUrl> urls;
    for (const char* name : {"one.htm", "two.htm"}) {
        ASSERT_TRUE(writeBytes(site.filePath(name), QByteArray("<p>") + name + "</p>"));
        urls << QUrl::fromLocalFile(site.filePath(name));
    }
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.window.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    QTest::qWait(50);
    EXPECT_EQ(w->documents().title(1), site.filePath("one.htm"));
    EXPECT_EQ(w->documents().title(2), site.filePath("two.htm"));
    EXPECT_EQ(w->source().text(), "<p>two.htm</p>");
    EXPECT_EQ(w.prompts.seen().size(), 1u);
}
