// The main window: its scenarios in tests/data/scenarios/main-window.txt, and
// what they cannot say: the start, the tab strips, the background writer,
// unusual text, the stacked panes and the splitter drag.
#include "app/FixedTabBar.h"
#include "core/PageTemplate.h"
#include "preview/BackgroundWriter.h"
#include "support/Scenario.h"
#include "support/TestWindow.h"

#include <QMimeData>

using panes::Control;

TEST(MainWindow, Scenarios) {
    runScenarios("scenarios/main-window.txt");
}

// The start-up load marks the preview stale, so the continuous preview shows
// the first page shortly after start.
TEST(MainWindow, StartsWithFiveNewPagesTheirTabsAndPreviewFiles) {
    TestWindow w;
    EXPECT_EQ(w->size(), QSize(800, 600));
    EXPECT_EQ(w.titles(), "Markwright | HTML Source: New Page 1 | IE Browser Preview: New Page 1");
    EXPECT_EQ(w->source().text(), pageTemplate());
    auto* source = w->findChild<FixedTabBar*>("TabStrip1");
    auto* preview = w->findChild<FixedTabBar*>("TabStrip2");
    ASSERT_EQ(source->count(), 5);
    ASSERT_EQ(preview->count(), 5);
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(source->tabText(n - 1), QStringLiteral("New Page %1").arg(n));
        EXPECT_EQ(source->keyAt(n - 1), QStringLiteral("Document %1").arg(n));
        EXPECT_EQ(preview->tabText(n - 1), QStringLiteral("Page %1").arg(n));
        EXPECT_EQ(preview->keyAt(n - 1), QStringLiteral("P%1").arg(n));
        EXPECT_EQ(w->documents().text(n), pageTemplate());
        EXPECT_EQ(w->documents().title(n), QStringLiteral("New Page %1").arg(n));
        EXPECT_EQ(w->documents().folder(n), w.docFolder());
        EXPECT_EQ(readBytes(w.previewFile(n)), pageTemplate().toUtf8());
    }
    EXPECT_EQ(w.changed(), "");
    EXPECT_EQ(w->state().startFolder(), w.docFolder());
    EXPECT_TRUE(w->documents().previewStale());
    EXPECT_TRUE(w->continuousPreview());
    EXPECT_TRUE(w->findChild<QTimer*>("refreshTimer")->isActive());
}

// A folder that does not exist, or a path through a plain file: the editor
// starts, stays usable, and the preview simply stays stale.
TEST(MainWindow, AnUnwritableOpenPathLeavesTheEditorUsable) {
    QTemporaryDir scratch;
    ASSERT_TRUE(writeBytes(scratch.filePath("plain"), ""));
    for (const QString& folder : {scratch.filePath("gone/deeper/"), scratch.filePath("plain/")}) {
        SCOPED_TRACE(folder.toStdString());
        TestWindow w(TestWindow::Ini::WithOpenPath, false, folder);
        EXPECT_EQ(w->documents().folder(1), folder);
        QTest::keyClicks(&w->source(), "x");
        w->refreshPreview();
        EXPECT_TRUE(w->documents().previewStale());
        EXPECT_TRUE(w.recording->navigations.isEmpty());
        w.select(2);
        EXPECT_EQ(w->source().text(), pageTemplate());
    }
}

// A missing INI file is reported once; the slots start with no folder, so
// the preview files are written to the current folder.
TEST(MainWindow, AMissingIniIsReportedAndPreviewFilesGoToTheCurrentFolder) {
    TestWindow w(TestWindow::Ini::Missing);
    EXPECT_EQ(w->state().openPath(), "");
    EXPECT_EQ(w->documents().folder(3), "");
    ASSERT_EQ(w.prompts.seen().size(), 1u);
    EXPECT_EQ(w.prompts.last().icon, Prompts::Icon::Information);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_TRUE(QFile::exists(w.previewFile(n))) << n;
    }
}

// The preview-side strip moves the source-side one, never the other way.
TEST(MainWindow, ClickingPageFourOnThePreviewStripSelectsDocumentFour) {
    TestWindow w;
    w->show();
    auto* preview = w->findChild<FixedTabBar*>("TabStrip2");
    QTest::mouseClick(preview, Qt::LeftButton, {}, preview->tabRect(3).center());
    EXPECT_EQ(w->findChild<FixedTabBar*>("TabStrip1")->currentKey(), "Document 4");
    EXPECT_EQ(w->currentSlot(), 4);
    EXPECT_EQ(w->windowTitle(), "New Page 4");
    w.select(2);
    EXPECT_EQ(preview->currentIndex(), 3);
}

// Refreshes in a row: copies of the first page, still being written in the
// background when the switch to slot 5 refreshes it, never land after the
// second page's files. (Several refreshes queue up more copies to land late.)
TEST(MainWindow, CopiesOfAnEarlierRefreshNeverLandAfterALaterOne) {
    TestWindow w;
    w->source().setText(QStringLiteral("<p>the first page</p>\n").repeated(1 << 19));
    for (int i = 0; i < 4; ++i) {
        w->refreshPreview();
    }
    w.select(5);
    w->flushPreviewFiles();
    const QByteArray second = w->source().text().toUtf8();
    for (int k = 1; k <= 5; ++k) {
        EXPECT_TRUE(readBytes(w.previewFile(k)) == second) << k;
    }
}

// The writer under those copies keeps its jobs in order: a large job given
// first never lands after a small one given next (tried a few times, as
// jobs run side by side could still land in order by chance).
TEST(MainWindow, TheBackgroundWriterLandsJobsInTheOrderGiven) {
    QTemporaryDir dir;
    const QStringList paths{dir.filePath("a"), dir.filePath("b"), dir.filePath("c")};
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    BackgroundWriter writer;
    for (int round = 0; round < 3; ++round) {
        writer.write(paths, QByteArray(24 << 20, 'x'), mode);
        writer.write(paths, QByteArray::number(round), mode);
        writer.waitForDone();
        for (const QString& path : paths) {
            ASSERT_TRUE(readBytes(path) == QByteArray::number(round)) << path.toStdString();
        }
    }
}

// Long lines, NUL characters and non-Latin text reach the slot and the
// preview file unchanged.
TEST(MainWindow, UnusualTextPassesThroughUnchanged) {
    TestWindow w;
    const QString text = QStringLiteral("caf\u00e9 \u4e2d ") + QString::fromUcs4(U"\U0001F600") +
                         QChar(0) + QStringLiteral("after NUL\r\n") + QString(1 << 20, 'x');
    w->source().setText(text);
    EXPECT_EQ(w->documents().text(1), text);
    w->refreshPreview();
    EXPECT_TRUE(readBytes(w.previewFile(1)) == text.toUtf8());
    w.select(2);
    w.select(1);
    EXPECT_EQ(w->source().text(), text);
}

TEST(MainWindow, StackedPanesShareTheWidth) {
    TestWindow w;
    w.run("HBoth");
    EXPECT_EQ(w->source().x(), qRound(40 / 15.0));
    EXPECT_LT(w->source().geometry().bottom(), w->preview().widget()->y());
    EXPECT_EQ(w->source().width(), w->preview().widget()->width());
}

// Far to the left the bar stops 500 twips from the edge, and the panes wait
// for the mouse to be released.
TEST(MainWindow, DraggingTheSplitterShowsTheBarAndKeepsItOffTheEdges) {
    TestWindow w;
    w->show();
    auto* grip = w->findChild<QWidget*>("imgSplitter");
    auto* bar = w->findChild<QWidget*>("picSplitter");
    EXPECT_FALSE(bar->isVisible());
    QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(2, 10));
    EXPECT_TRUE(bar->isVisible());
    QMouseEvent move(QEvent::MouseMove, QPointF(-grip->x() + 5, 10),
                     grip->mapToGlobal(QPointF(0, 0)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grip, &move);
    EXPECT_EQ(w->paneLayout()[Control::picSplitter].left, 500);
    EXPECT_EQ(w->paneLayout()[Control::htmlSource].width, 6000);
    QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(2, 10));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(w->paneLayout()[Control::htmlSource].width, 500);
    EXPECT_EQ(w->paneLayout()[Control::imgSplitter].left, 500);
}

// Files arriving from outside (a second start, a drop) go into slots that
// hold nothing, from the current one on; those left over are named, never
// dropped without a word.
TEST(MainWindow, ArrivingFilesFillEmptySlotsAndTheRestAreNamed) {
    TestWindow w;
    QTemporaryDir site;
    QStringList files;
    for (int i = 1; i <= 6; ++i) {
        files << site.filePath(QStringLiteral("p%1.htm").arg(i));
        ASSERT_TRUE(writeBytes(files.last(), QByteArray("<p>") + QByteArray::number(i)));
    }
    w.select(2);
    w->source().replaceSelection("mine ");
    w.select(3);
    w.prompts.expectMessage("Every document slot holds a page, so these files were not opened:\n" +
                                files[4] + "\n" + files[5],
                            "Markwright");
    w->openFiles(files);
    waitUntilIdle();
    const QStringList titles{files[3], "New Page 2", files[0], files[1], files[2]};
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(w->documents().title(n), titles[n - 1]) << n;
    }
    w.select(2);
    EXPECT_TRUE(w->source().text().startsWith("mine "));
}

// Files dropped on the window arrive as files named on the command line do;
// web addresses in the same drop are left alone.
TEST(MainWindow, DroppedLocalFilesOpenAfterTheDrop) {
    TestWindow w;
    QTemporaryDir site;
    const QString file = site.filePath("dropped.htm");
    ASSERT_TRUE(writeBytes(file, "<p>dropped"));
    QMimeData data;
    data.setUrls({QUrl("https://example.org/page.html"), QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.window.get(), &drop);
    EXPECT_EQ(w->documents().title(1), "New Page 1") << "not inside the drop";
    QCoreApplication::processEvents();
    waitUntilIdle();
    EXPECT_EQ(w->documents().title(1), file);
    EXPECT_EQ(w->source().text(), "<p>dropped");
}

// A desktop logout asks about unsaved pages as Close does; only Cancel keeps
// the session from ending, and without leave to ask the pages are kept.
TEST(MainWindow, ALogoutAsksAsCloseDoesAndOnlyCancelStopsIt) {
    TestWindow w;
    w->source().replaceSelection("unsaved ");
    w.prompts.expectQuestion("Do you want to save changes to New Page 1", Prompts::Answer::Cancel);
    EXPECT_FALSE(w->endSession(true));
    EXPECT_EQ(w.quits, 0);
    w.prompts.expectQuestion("Do you want to save changes to New Page 1", Prompts::Answer::No);
    EXPECT_TRUE(w->endSession(true));
    EXPECT_EQ(w.quits, 1);
    EXPECT_TRUE(w->endSession(true)) << "an ended program lets the session go";
    EXPECT_EQ(w.quits, 1);
}
