// The Edit and Format Source commands on the real window: the scenarios in
// tests/data/scenarios/editor-commands.txt, and what they cannot say.
#include "editor/EditorCommands.h"
#include "support/Scenario.h"
#include "support/TestWindow.h"

#include <QClipboard>
#include <QMimeData>

TEST(EditorCommands, Scenarios) {
    runScenarios("scenarios/editor-commands.txt");
}

// Copy and Paste keep every character; Copy with nothing selected leaves an
// empty text and nothing else.
TEST(EditorCommands, ClipboardKeepsEveryCharacter) {
    TestWindow w;
    const QString text =
        QStringLiteral("caf\u00e9 \u4e2d\u6587 ") + QString::fromUcs4(U"\U0001F600");
    w->source().setText("[" + text + "]");
    w->source().setSelection(1, static_cast<int>(text.size()));
    w.run("mnuEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), text);
    w->source().setSelection(0, 1);
    w.run("mnuEditPaste");
    EXPECT_EQ(w->source().text(), text + text + "]");

    auto* data = new QMimeData;
    data->setHtml("<b>other</b>");
    QApplication::clipboard()->setMimeData(data);
    w->source().setSelection(0, 0);
    w.run("mnuEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), "");
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
}

// A second format request while a long run yields is refused, and the run
// replaces the selection it started from exactly once.
TEST(EditorCommands, ASecondFormatWhileOneRunsIsRefused) {
    TestWindow w;
    const QString big = QString("<div><p>text</p></div>").repeated(50000);
    w->source().setText(big);
    w.run("mnuEditDSelectAll");
    bool secondRan = true;
    QTimer::singleShot(0, [&] { secondRan = w->editor().format(EditorCommands::Style::Compact); });
    w.run("mnuFormatHierarchal");
    QApplication::processEvents();
    EXPECT_FALSE(secondRan);
    const QString text = w->source().text();
    EXPECT_TRUE(text.startsWith("\r\n<div>\r\n\t<p>text\r\n</p>\r\n</div>\r\n<div>"));
    EXPECT_EQ(text.count("<div>"), big.count("<div>"));
}
