// What the window shows about each page: line, column, encoding and line
// ends; captions as written with the path in a tooltip and a colour for
// unsaved changes; the keys that move between the slots.
#include "app/StatusPanels.h"
#include "core/DocumentSlots.h"
#include "editor/SourcePane.h"
#include "support/TestWindow.h"

#include <QFile>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

TEST(DocumentStatus, TheSeventhPanelTellsPlaceEncodingAndLineEnds) {
    TestWindow w;
    w->source().setText("<p>\n\tone\ntwo\r\n");
    w->source().setSelection(8, 0); // after "one"
    w->statusPanels().update();
    EXPECT_EQ(w->statusPanels().text(7), "Ln 2, Col 8   UTF-8   mixed");
}

TEST(DocumentStatus, CaptionsShowAnAmpersandAndThePathAndSlotsFollowTheKeys) {
    TestWindow w;
    QTemporaryDir site;
    const QString path = site.filePath("Q&A.htm");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<p>x</p>");
    file.close();
    w.prompts.expectFile("Open File", {path});
    ASSERT_TRUE(w->commands().run("mnuFileOpen"));
    auto* tabs = w->findChild<QTabBar*>("TabStrip1");
    EXPECT_EQ(w->tabCaption(1), "Q&A.htm");
    EXPECT_EQ(tabs->tabText(0), "Q&&A.htm") << "shown as written, not as a mnemonic";
    EXPECT_EQ(tabs->tabToolTip(0), path);

    EXPECT_FALSE(tabs->tabTextColor(0).isValid());
    w->source().replaceSelection("edit ");
    EXPECT_TRUE(tabs->tabTextColor(0).isValid()) << "unsaved changes are marked";

    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w.window.get());
    const std::pair<QKeyCombination, int> keys[] = {{Qt::CTRL | Qt::Key_Tab, 1},
                                                    {Qt::CTRL | Qt::Key_PageDown, 2},
                                                    {Qt::CTRL | Qt::Key_PageUp, 1},
                                                    {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 0},
                                                    {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 4}};
    for (const auto& [key, index] : keys) {
        QTest::keySequence(w.window.get(), QKeySequence(key));
        EXPECT_EQ(tabs->currentIndex(), index);
    }
}
