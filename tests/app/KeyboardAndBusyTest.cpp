// The keyboard stays where the user is, and nothing runs inside a long
// operation.
#include "editor/EditorCommands.h"
#include "windows/FrmAbout.h"
#include "windows/SideWindows.h"
#include "support/TestWindow.h"

#include <QMenu>

TEST(Keyboard, ARefreshLeavesTheKeyboardInAnOpenMenuAndTakesItBackAfter) {
    TestWindow w;
    activate(w.window.get());
    QMenu* file = w->menuBar()->findChild<QMenu*>("mnuFile");
    ASSERT_NE(file, nullptr);
    file->popup(w->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activePopupWidget(), file);
    w->source().clearFocus();
    w->refreshPreview();
    EXPECT_FALSE(w->source().hasFocus()) << "the refresh took the keyboard from the menu";
    file->close();
    activate(w.window.get());
    w->refreshPreview();
    EXPECT_TRUE(w->source().hasFocus());
}

TEST(Keyboard, TheWindowsShortcutsDoNothingInTheAboutBox) {
    TestWindow w;
    activate(w.window.get());
    EXPECT_TRUE(w->source().hasFocus()) << "keys typed at once go into the page";
    const QString page = w->source().text();
    w.run("mnuAbout");
    FrmAbout* about = w->sideWindows().about();
    ASSERT_NE(about, nullptr);
    activate(about);
    QTest::keyClick(about, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(about, Qt::Key_F3);
    EXPECT_EQ(w->source().text(), page);
    about->close();
}

// Files handed over by a second start (or dropped) while a large file is
// read in, or while a long format runs, wait until it is done and then
// open whole into slots of their own; the page being worked on is never
// mixed with them, renamed after them or left read-only.
TEST(Busy, FilesHandedOverDuringALoadOrAFormatEachEndUpWholeInTheirOwnSlot) {
    const QString line = QStringLiteral("<p>a line of a large page</p>\n");
    for (const bool formatting : {false, true}) {
        SCOPED_TRACE(formatting ? "during a format" : "during a load");
        TestWindow w;
        QTemporaryDir site;
        const QString a = site.filePath("a.htm"), b = site.filePath("b.htm");
        const QString big = line.repeated(formatting ? 40000 : 350000); // 10 MB to load
        ASSERT_TRUE(writeBytes(a, big.toUtf8()));
        ASSERT_TRUE(writeBytes(b, "<p>b</p>"));
        if (formatting) {
            w.open(a);
        }
        // As a second start's files do: they arrive from the event loop.
        QTimer::singleShot(0, w.window.get(), [&] { w->openFiles({b}); });
        if (formatting) {
            w->source().selectAllText();
            w->editor().format(EditorCommands::Style::Hierarchal);
        } else {
            w->openFiles({a});
        }
        waitUntilIdle();
        EXPECT_EQ(w->documents().title(1), a);
        EXPECT_EQ(w->documents().title(2), b);
        EXPECT_EQ(w->documents().text(2), "<p>b</p>");
        EXPECT_FALSE(w->source().isReadOnly());
        w.select(1);
        const QString one = w->documents().text(1);
        if (formatting) {
            EXPECT_EQ(one.count("<p>"), 40000);
            EXPECT_TRUE(one.startsWith("\n<p>a line of a large page\n</p>\n<p>"));
        } else {
            EXPECT_TRUE(one == big) << one.size() << " of " << big.size();
        }
    }
}
