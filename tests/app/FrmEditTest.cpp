#include "app/FixedTabBar.h"
#include "core/PageTemplate.h"
#include "editor/SourcePane.h"
#include "support/TestWindow.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using panes::Control;

namespace {
QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

FixedTabBar* tabs(FrmEdit& w, const char* name) {
    return w.findChild<FixedTabBar*>(name);
}

void selectSlot(FrmEdit& w, int n) {
    tabs(w, "TabStrip1")->setCurrentIndex(n - 1);
}

void typeText(FrmEdit& w, const QString& text) {
    QTest::keyClicks(&w.source(), text);
}

QString label(FrmEdit& w, const char* name) {
    return w.findChild<QLabel*>(name)->text();
}
} // namespace

TEST(FrmEditStartUp, WindowSlotsTabsAndPreviewFiles) {
    TestWindow w;
    EXPECT_EQ(w->size(), QSize(800, 600));
    EXPECT_EQ(w->windowTitle(), "Markwright");
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
        EXPECT_EQ(readFile(w.docFolder() + QStringLiteral("~tmp%1-Mkwr.html").arg(n)),
                  pageTemplate().toUtf8());
    }
    EXPECT_EQ(w->state().startFolder(), w.docFolder());
    // The start-up load marks the preview stale, so the continuous preview
    // shows the first page shortly after start.
    EXPECT_TRUE(w->documents().previewStale());
    EXPECT_TRUE(w->continuousPreview());
    EXPECT_EQ(label(*w, "lblTitle0"), "HTML Source: New Page 1");
    EXPECT_EQ(label(*w, "lblTitle1"), "IE Browser Preview: New Page 1");

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
    QFile plain(scratch.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const QString& folder : {scratch.filePath("gone/deeper/"), scratch.filePath("plain/")}) {
        SCOPED_TRACE(folder.toStdString());
        TestWindow w(TestWindow::Ini::WithOpenPath, false, folder);
        EXPECT_EQ(w->documents().folder(1), folder);
        typeText(*w, "x");
        w->refreshPreview();
        EXPECT_TRUE(w->documents().previewStale());
        EXPECT_TRUE(w.recording->navigations.isEmpty());
        selectSlot(*w, 2);
        EXPECT_EQ(w->source().text(), pageTemplate());
    }
}

TEST(FrmEditSlots, TypingMarksOnlyTheCurrentSlotAndStampsTheEdit) {
    TestWindow w;
    selectSlot(*w, 3);
    w.clock.set(5000.0);
    typeText(*w, "Q");
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(w->documents().changed(n), n == 3) << n;
    }
    EXPECT_EQ(w->documents().text(3), w->source().text());
    EXPECT_TRUE(w->documents().text(3).startsWith("Q<html>"));
    EXPECT_EQ(w->documents().lastEditTime(), 5000.0);
    EXPECT_TRUE(w->documents().previewStale());
}

TEST(FrmEditSlots, EditsSurviveSwitchingAwayAndBack) {
    TestWindow w;
    selectSlot(*w, 2);
    typeText(*w, "edited ");
    const QString slot2 = w->source().text();
    selectSlot(*w, 3);
    EXPECT_EQ(w->source().text(), pageTemplate());
    EXPECT_EQ(w->documents().text(2), slot2);
    selectSlot(*w, 2);
    EXPECT_EQ(w->source().text(), slot2);
    EXPECT_EQ(w->windowTitle(), "New Page 2");
    EXPECT_EQ(label(*w, "lblTitle0"), "HTML Source: New Page 2");
    EXPECT_EQ(label(*w, "lblTitle1"), "IE Browser Preview: New Page 2");
}

// An untouched slot is never counted as changed; a slot whose text differs
// from the template counts as changed from the moment it is selected.
TEST(FrmEditSlots, SwitchingMarksOnlySlotsThatDifferFromTheTemplate) {
    TestWindow w;
    selectSlot(*w, 4);
    EXPECT_FALSE(w->documents().changed(4));
    w->documents().setStoredText(5, "<p>opened</p>");
    selectSlot(*w, 5);
    EXPECT_TRUE(w->documents().changed(5));
    EXPECT_EQ(w->source().text(), "<p>opened</p>");
    // The switch refreshes at once, so it leaves the preview fresh.
    EXPECT_FALSE(w->documents().previewStale());
    EXPECT_EQ(w.recording->navigations.last(), w.docFolder() + "~tmp5-Mkwr.html");
    EXPECT_EQ(w->source().canUndo(), false) << "a switch must not be undoable";
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
    selectSlot(*w, 2);
    EXPECT_EQ(preview->currentIndex(), 3);
}

TEST(FrmEditPreview, RefreshWritesTheSlotFileAndFiveCopiesInSlotOnesFolder) {
    TestWindow w;
    QTemporaryDir other;
    const QString otherFolder = other.path() + "/";
    w->documents().setFolder(3, otherFolder);
    selectSlot(*w, 3);
    typeText(*w, "three");
    w->refreshPreview();
    w->flushPreviewFiles();
    const QByteArray text = w->source().text().toUtf8();
    EXPECT_EQ(readFile(otherFolder + "~tmp3-Mkwr.html"), text);
    EXPECT_EQ(w.recording->navigations.last(), otherFolder + "~tmp3-Mkwr.html");
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(readFile(w.docFolder() + QStringLiteral("~tmp%1-Mkwr.html").arg(k)), text) << k;
    }
    EXPECT_FALSE(w->documents().previewStale());
    EXPECT_TRUE(w->source().hasFocus() || !w->isVisible());
}

// The continuous preview waits until typing has paused for more than a
// second, refreshes once, and only while its menu item is checked.
TEST(FrmEditPreview, ContinuousRefreshWaitsForAPauseAndRunsOnce) {
    TestWindow w;
    auto& nav = w.recording->navigations;
    typeText(*w, "a");
    w.clock.advance(0.5);
    w->continuousRefreshTick();
    EXPECT_TRUE(nav.isEmpty());
    w.clock.advance(0.5); // exactly 1.0 s: not yet
    w->continuousRefreshTick();
    EXPECT_TRUE(nav.isEmpty());
    w.clock.advance(0.01);
    w->continuousRefreshTick();
    EXPECT_EQ(nav.size(), 1);
    w.clock.advance(5);
    w->continuousRefreshTick();
    EXPECT_EQ(nav.size(), 1) << "nothing changed since the last refresh";

    auto* item = w->menuBar()->findChild<QAction*>("mnuPreviewContinuous");
    item->trigger();
    EXPECT_FALSE(w->continuousPreview());
    typeText(*w, "b");
    w.clock.advance(5);
    w->continuousRefreshTick();
    EXPECT_EQ(nav.size(), 1);
    w->menuBar()->findChild<QAction*>("mnuViewRefresh")->trigger();
    EXPECT_EQ(nav.size(), 2);
    EXPECT_EQ(w->menuBar()->findChild<QAction*>("mnuViewRefresh")->shortcut(),
              QKeySequence(Qt::Key_F5));
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
    QString text = QStringLiteral("caf\u00e9 \u4e2d\u6587 ") + QString::fromUcs4(U"\U0001F600") +
                   QChar(0) + QStringLiteral("after NUL\r\n");
    text += QString(1 << 20, QLatin1Char('x'));
    w->source().setText(text);
    EXPECT_EQ(w->documents().text(1), text);
    w->refreshPreview();
    EXPECT_EQ(readFile(w.docFolder() + "~tmp1-Mkwr.html"), text.toUtf8());
    selectSlot(*w, 2);
    selectSlot(*w, 1);
    EXPECT_EQ(w->source().text(), text);
}

namespace {
double sourceWidth(FrmEdit& w) {
    return w.paneLayout()[Control::htmlSource].width;
}
double splitterLeft(FrmEdit& w) {
    return w.paneLayout()[Control::imgSplitter].left;
}
} // namespace

// The mode commands, as the menu and the toolbar reach them by name.
TEST(FrmEditLayout, ModeCommandsPlaceTheSplitter) {
    TestWindow w;
    const double width = w->windowMetrics().width;
    ASSERT_EQ(width, 12000);
    struct Case {
        const char* command;
        double splitter;
        double sourceWidth;
    };
    const Case cases[] = {
        {"mnuPOnly", 0, 0},       {"mnuSOnly", 11850, 11850},  {"mnuBoth", 6000, 6000},
        {"Code10", 1200, 1200},   {"Preview10", 10800, 10800}, {"Preview", 0, 0},
        {"Source", 11850, 11850}, {"Both", 6000, 6000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(w->commands().run(c.command));
        EXPECT_EQ(splitterLeft(*w), c.splitter);
        EXPECT_EQ(sourceWidth(*w), c.sourceWidth);
        EXPECT_EQ(w->source().width(), qRound(c.sourceWidth / 15));
    }
    ASSERT_TRUE(w->commands().run("HBoth"));
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
    ASSERT_TRUE(w->commands().run("mnuSOnly"));
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

// A missing INI file is reported once; the slots start with no folder, so
// the preview files are written to the current folder.
TEST(FrmEditStartUp, MissingIniIsReportedAndPreviewFilesGoToTheCurrentFolder) {
    TestWindow w(TestWindow::Ini::Missing);
    EXPECT_EQ(w->state().openPath(), "");
    EXPECT_EQ(w->documents().folder(3), "");
    EXPECT_EQ(w.prompts.seen().size(), 1u);
    EXPECT_EQ(w.prompts.seen().front().icon, Prompts::Icon::Information);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_TRUE(QFile::exists(w.docFolder() + QStringLiteral("~tmp%1-Mkwr.html").arg(n))) << n;
    }
}
