// The keyboard stays where the user is, and nothing acts on a half-done
// long operation.
#include "startup/FrmAbout.h"
#include "startup/SideWindows.h"
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

// A refresh that comes due while a large text is still going into the pane
// waits for the whole text: it never writes part of it.
TEST(Busy, ARefreshDuringALoadWaitsForTheWholeText) {
    TestWindow w;
    const QString path = w->documents().previewPath(1);
    QFile::remove(path);
    const QString big = QStringLiteral("<p>a line of a large page</p>\n").repeated(400000);
    QTimer::singleShot(0, w.window.get(), [&] { w->refreshPreview(); });
    w->source().setText(big);
    EXPECT_FALSE(QFile::exists(path)) << "a preview of part of the text was written";
    EXPECT_TRUE(w->documents().previewStale());
    w->refreshPreview();
    EXPECT_EQ(QFileInfo(path).size(), big.size());
}
