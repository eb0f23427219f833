// What the window shows about each page: captions as written, with the path
// in a tooltip and a colour for unsaved changes, and the keys that move
// between the slots. (The status panel is among the main-window scenarios.)
#include "support/TestWindow.h"

TEST(DocumentStatus, CaptionsShowAnAmpersandAndThePathAndSlotsFollowTheKeys) {
    TestWindow w;
    QTemporaryDir site;
    const QString path = site.filePath("Q&A.htm");
    ASSERT_TRUE(writeBytes(path, "<p>x</p>"));
    w.open(path);
    auto* tabs = w->findChild<QTabBar*>("TabStrip1");
    EXPECT_EQ(w->tabCaption(1), "Q&A.htm");
    EXPECT_EQ(tabs->tabText(0), "Q&&A.htm") << "shown as written, not as a mnemonic";
    EXPECT_EQ(tabs->tabToolTip(0), path);
    EXPECT_FALSE(tabs->tabTextColor(0).isValid());
    w->source().replaceSelection("edit ");
    EXPECT_TRUE(tabs->tabTextColor(0).isValid()) << "unsaved changes are marked";

    activate(w.window.get());
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
