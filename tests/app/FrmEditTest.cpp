#include "app/BackgroundWriter.h"
#include "app/FixedTabBar.h"
#include "core/PageTemplate.h"
#include "support/TestWindow.h"

#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

using panes::Control;

namespace {
FixedTabBar* tabs(FrmEdit& w, const char* name) {
    return w.findChild<FixedTabBar*>(name);
}

double sourceWidth(FrmEdit& w) {
    return w.paneLayout()[Control::htmlSource].width;
}

double splitterLeft(FrmEdit& w) {
    return w.paneLayout()[Control::imgSplitter].left;
}
} // namespace

TEST(FrmEditStartUp, WindowSlotsTabsAndPreviewFiles) {
    TestWindow w;
    EXPECT_EQ(w->size(), QSize(800, 600));
    EXPECT_EQ(w.titles(), "Markwright | HTML Source: New Page 1 | IE Browser Preview: New Page 1");
    EXPECT_EQ(w->source().text(), pageTemplate());
    FixedTabBar* source = tabs(*w, "TabStrip1");
    FixedTabBar* preview = tabs(*w, "TabStrip2");
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
        EXPECT_FALSE(w->documents().changed(n));
        EXPECT_EQ(readBytes(w.previewFile(n)), pageTemplate().toUtf8());
    }
    EXPECT_EQ(w->state().startFolder(), w.docFolder());
    // The start-up load marks the preview stale, so the continuous preview
    // shows the first page shortly after start.
    EXPECT_TRUE(w->documents().previewStale());
    EXPECT_TRUE(w->continuousPreview());
    auto* refreshTimer = w->findChild<QTimer*>("refreshTimer");
    auto* timer1 = w->findChild<QTimer*>("Timer1");
    ASSERT_TRUE(refreshTimer && timer1);
    EXPECT_EQ(refreshTimer->interval(), 500);
    EXPECT_TRUE(refreshTimer->isActive());
    EXPECT_EQ(timer1->interval(), 110);
    EXPECT_TRUE(timer1->isSingleShot());
}

// A folder that does not exist, or a path through a plain file: the editor
// starts, stays usable, and the preview simply stays stale.
TEST(FrmEditStartUp, UnwritableOpenPathLeavesTheEditorUsable) {
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
TEST(FrmEditStartUp, MissingIniIsReportedAndPreviewFilesGoToTheCurrentFolder) {
    TestWindow w(TestWindow::Ini::Missing);
    EXPECT_EQ(w->state().openPath(), "");
    EXPECT_EQ(w->documents().folder(3), "");
    ASSERT_EQ(w.prompts.seen().size(), 1u);
    EXPECT_EQ(w.prompts.last().icon, Prompts::Icon::Information);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_TRUE(QFile::exists(w.previewFile(n))) << n;
    }
}

// Typing marks only the current slot and stamps the edit; the edit survives
// switching away and back.
TEST(FrmEditSlots, TypingMarksOnlyTheCurrentSlotAndSurvivesSwitching) {
    TestWindow w;
    w.select(3);
    w.clock.set(5000.0);
    QTest::keyClicks(&w->source(), "Q");
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(w->documents().changed(n), n == 3) << n;
    }
    EXPECT_EQ(w->documents().lastEditTime(), 5000.0);
    EXPECT_TRUE(w->documents().previewStale());
    const QString slot3 = w->source().text();
    EXPECT_TRUE(slot3.startsWith("Q<html>"));
    w.select(2);
    EXPECT_EQ(w->source().text(), pageTemplate());
    EXPECT_EQ(w->documents().text(3), slot3);
    w.select(3);
    EXPECT_EQ(w->source().text(), slot3);
    EXPECT_EQ(w.titles(), "New Page 3 | HTML Source: New Page 3 | IE Browser Preview: New Page 3");
}

// An untouched slot is never counted as changed; a slot whose text differs
// from the template counts as changed from the moment it is selected.
TEST(FrmEditSlots, SwitchingMarksOnlySlotsThatDifferFromTheTemplate) {
    TestWindow w;
    w.select(4);
    EXPECT_FALSE(w->documents().changed(4));
    w->documents().setStoredText(5, "<p>opened</p>");
    w.select(5);
    EXPECT_TRUE(w->documents().changed(5));
    EXPECT_EQ(w->source().text(), "<p>opened</p>");
    // The switch refreshes at once, so it leaves the preview fresh.
    EXPECT_FALSE(w->documents().previewStale());
    ASSERT_FALSE(w.recording->navigations.isEmpty());
    EXPECT_EQ(w.recording->navigations.last(), w.previewFile(5));
    EXPECT_FALSE(w->source().canUndo()) << "a switch must not be undoable";
}

TEST(FrmEditSlots, ClickingPageFourOnThePreviewStripSelectsDocumentFour) {
    TestWindow w;
    w->show();
    FixedTabBar* preview = tabs(*w, "TabStrip2");
    QTest::mouseClick(preview, Qt::LeftButton, {}, preview->tabRect(3).center());
    EXPECT_EQ(tabs(*w, "TabStrip1")->currentKey(), "Document 4");
    EXPECT_EQ(w->currentSlot(), 4);
    EXPECT_EQ(w->windowTitle(), "New Page 4");
    // The source-side strip does not move the preview-side strip.
    w.select(2);
    EXPECT_EQ(preview->currentIndex(), 3);
}

TEST(FrmEditPreview, RefreshWritesTheSlotFileAndFiveCopiesInSlotOnesFolder) {
    TestWindow w;
    QTemporaryDir other;
    const QString otherFolder = other.path() + "/";
    w->documents().setFolder(3, otherFolder);
    w.select(3);
    QTest::keyClicks(&w->source(), "three");
    w->refreshPreview();
    w->flushPreviewFiles();
    const QByteArray text = w->source().text().toUtf8();
    EXPECT_EQ(readBytes(w.previewFile(3, otherFolder)), text);
    ASSERT_FALSE(w.recording->navigations.isEmpty());
    EXPECT_EQ(w.recording->navigations.last(), w.previewFile(3, otherFolder));
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(readBytes(w.previewFile(k)), text) << k;
    }
    EXPECT_FALSE(w->documents().previewStale());
    EXPECT_TRUE(w->source().hasFocus() || !w->isVisible());
}

// Refreshes in a row: copies of the first page, still being written in the
// background when the switch to slot 5 refreshes it, never land after the
// second page's files. (Several refreshes queue up more copies to land late.)
TEST(FrmEditPreview, CopiesOfAnEarlierRefreshNeverLandAfterALaterOne) {
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
TEST(FrmEditPreview, TheBackgroundWriterLandsJobsInTheOrderGiven) {
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

// The continuous preview waits until typing has paused for more than a
// second, refreshes once, and only while its menu item is checked.
TEST(FrmEditPreview, ContinuousRefreshWaitsForAPauseAndRunsOnce) {
    TestWindow w;
    QTest::keyClicks(&w->source(), "a");
    QList<qsizetype> shown; // the number of pages shown after each tick
    for (const double wait : {0.5, 0.5 /* exactly 1.0 s: not yet */, 0.01, 5.0}) {
        w.clock.advance(wait);
        w->continuousRefreshTick();
        shown << w.recording->navigations.size();
    }
    EXPECT_EQ(shown, (QList<qsizetype>{0, 0, 1, 1}));
    w->menuBar()->findChild<QAction*>("mnuPreviewContinuous")->trigger();
    EXPECT_FALSE(w->continuousPreview());
    QTest::keyClicks(&w->source(), "b");
    w.clock.advance(5);
    w->continuousRefreshTick();
    EXPECT_EQ(w.recording->navigations.size(), 1);
    w->menuBar()->findChild<QAction*>("mnuViewRefresh")->trigger();
    EXPECT_EQ(w.recording->navigations.size(), 2);
}

TEST(FrmEditPreview, BackAndNextStepThroughThePreviewHistory) {
    TestWindow w;
    w->findChild<QToolButton*>("Back")->click();
    w->findChild<QToolButton*>("cmdNext")->click();
    w->findChild<QToolButton*>("cmdNext")->click();
    EXPECT_EQ(w.recording->backs, 1);
    EXPECT_EQ(w.recording->forwards, 2);
}

// Long lines, NUL characters and non-Latin text reach the slot and the
// preview file unchanged.
TEST(FrmEditPreview, UnusualTextPassesThroughUnchanged) {
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

// The mode commands, as the menu and the toolbar reach them by name: where
// the splitter goes, which is also the source pane's width.
TEST(FrmEditLayout, ModeCommandsPlaceTheSplitter) {
    TestWindow w;
    ASSERT_EQ(w->windowMetrics().width, 12000);
    const std::pair<const char*, double> cases[] = {
        {"mnuPOnly", 0},      {"mnuSOnly", 11850}, {"mnuBoth", 6000}, {"Code10", 1200},
        {"Preview10", 10800}, {"Preview", 0},      {"Source", 11850}, {"Both", 6000}};
    for (const auto& [command, splitter] : cases) {
        SCOPED_TRACE(command);
        w.run(command);
        EXPECT_EQ(splitterLeft(*w), splitter);
        EXPECT_EQ(sourceWidth(*w), splitter);
        EXPECT_EQ(w->source().width(), qRound(splitter / 15));
    }
    w.run("HBoth");
    EXPECT_EQ(w->source().x(), qRound(40 / 15.0));
    EXPECT_LT(w->source().geometry().bottom(), w->preview().widget()->y());
    EXPECT_EQ(w->source().width(), w->preview().widget()->width());
}

TEST(FrmEditLayout, DraggingTheSplitterShowsTheBarAndKeepsItOffTheEdges) {
    TestWindow w;
    w->show();
    auto* grip = w->findChild<QWidget*>("imgSplitter");
    auto* bar = w->findChild<QWidget*>("picSplitter");
    EXPECT_FALSE(bar->isVisible());
    QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(2, 10));
    EXPECT_TRUE(bar->isVisible());
    // Far to the left: the bar stops 500 twips from the edge; the panes wait.
    QMouseEvent move(QEvent::MouseMove, QPointF(-grip->x() + 5, 10),
                     grip->mapToGlobal(QPointF(0, 0)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grip, &move);
    EXPECT_EQ(w->paneLayout()[Control::picSplitter].left, 500);
    EXPECT_EQ(sourceWidth(*w), 6000);
    QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(2, 10));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(sourceWidth(*w), 500);
    EXPECT_EQ(splitterLeft(*w), 500);
}

TEST(FrmEditLayout, ResizeKeepsTheSplitThenRecentresAndRefusesTinyWidths) {
    TestWindow w;
    w->show();
    w.run("mnuSOnly");
    w->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(splitterLeft(*w), 11850) << "the split holds until the timer fires";
    EXPECT_TRUE(w->findChild<QTimer*>("Timer1")->isActive());
    w->recentre();
    EXPECT_EQ(splitterLeft(*w), 7500);
    // Both panes start 1300 twips down whatever the height.
    EXPECT_EQ(w->paneLayout()[Control::htmlSource].top, 1300);
    EXPECT_EQ(w->paneLayout()[Control::htmlPreview].top, 1300);

    w->resize(100, 500);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(w->width(), 200);
}
