// The preview's files and what it tells when it cannot show the page: Close
// cleans every folder written to, a failed write is told and not retried at
// every tick, and the watch of a page's folder ignores preview files.
#include "files/DiskWatch.h"
#include "files/PreviewFile.h"
#include "support/Scenario.h"
#include "support/TestWindow.h"

#include <QSignalSpy>

TEST(PreviewRefresh, Scenarios) {
    runScenarios("scenarios/preview-files.txt");
}

TEST(PreviewRefresh, AFailedWriteIsToldAndTriedAgainOnlyAfterTheNextEdit) {
    TestWindow w;
    QTemporaryDir site;
    const QString folder = site.filePath("later/");
    w->documents().setFolder(2, folder);
    const QStringList& shown = w.recording->navigations;
    const qsizetype before = shown.size();
    w.select(2);
    EXPECT_EQ(shown.size(), before);
    ASSERT_FALSE(w.recording->notices.isEmpty());
    EXPECT_TRUE(w.recording->notices.last().contains(QDir::toNativeSeparators(folder)))
        << w.recording->notices.last().toStdString();

    ASSERT_TRUE(QDir().mkpath(folder));
    w.clock.advance(30);
    w->continuousRefreshTick();
    EXPECT_EQ(shown.size(), before) << "no new try before an edit";
    w->source().replaceSelection("x");
    w.clock.advance(30);
    w->continuousRefreshTick();
    ASSERT_EQ(shown.size(), before + 1);
    EXPECT_EQ(shown.last(), w.previewFile(2, folder));
    EXPECT_EQ(w.recording->notices.last(), "");
}

// Looked into only when the page's own file changed: a preview file written
// beside a page that changed on disk (and was not offered yet, the window
// being elsewhere) does not tell the change again.
TEST(PreviewRefresh, PreviewFilesBesideAWatchedPageAreNotLookedInto) {
    QTemporaryDir site;
    const QString page = site.filePath("page.htm");
    ASSERT_TRUE(writeBytes(page, "<p>a</p>"));
    DiskWatch watch;
    watch.remember(1, page);
    QSignalSpy changes(&watch, &DiskWatch::outsideChange);
    ASSERT_TRUE(writeBytes(page, "<p>changed elsewhere</p>"));
    ASSERT_TRUE(changes.wait(5000));
    QTest::qWait(200);
    changes.clear();
    ASSERT_TRUE(previewfile::write(site.filePath("~tmp1-Mkwr.html"), "<p>b</p>",
                                   previewfile::permissionsFor(page)));
    QTest::qWait(300);
    EXPECT_EQ(changes.count(), 0);
    // The page deleted and made again is still noticed through its folder.
    ASSERT_TRUE(QFile::remove(page));
    ASSERT_TRUE(changes.wait(5000));
    QTest::qWait(200);
    changes.clear();
    ASSERT_TRUE(writeBytes(page, "<p>back</p>"));
    EXPECT_TRUE(changes.wait(5000));
}
