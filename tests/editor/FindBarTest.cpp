// The find bar: options, counts, wrap, replace one and all (one undo step),
// zero-length matches, Escape.
#include "editor/FindBar.h"
#include "editor/SourcePane.h"
#include "support/TestData.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {
struct Bar {
    explicit Bar(const QByteArray& text, const QByteArray& options = "") : bar(pane) {
        pane.setText(QString::fromUtf8(text));
        pane.setSelection(0, 0);
        bar.matchCase()->setChecked(options.contains('c'));
        bar.wholeWord()->setChecked(options.contains('w'));
        bar.regularExpression()->setChecked(options.contains('r'));
    }
    SourcePane pane;
    FindBar bar;
};
} // namespace

// The cases of tests/data/expected/find-bar.txt: what each set of options
// finds and counts, and what Replace and Replace All make of the page or the
// selection.
TEST(FindBar, OptionsDecideWhatMatchesAndReplaceAllIsOneUndoStep) {
    for (const QByteArrayList& c : testdata::table("expected/find-bar.txt")) {
        SCOPED_TRACE(c.join('|').toStdString());
        Bar b(c[1], c[0] == "find" ? c[3] : c[4]);
        b.bar.findField()->setText(QString::fromUtf8(c[2]));
        if (c[0] == "find") {
            b.bar.findNext();
            EXPECT_EQ(b.bar.status(), QString::fromUtf8(c[4]));
            EXPECT_EQ(b.pane.selectionStart(), c[5].toInt());
            continue;
        }
        b.bar.replaceField()->setText(QString::fromUtf8(c[3]));
        if (c[0] == "one") {
            b.bar.findNext();
            b.bar.replaceOne();
            EXPECT_EQ(b.pane.text(), QString::fromUtf8(c[5]));
            continue;
        }
        b.bar.inSelection()->setChecked(!c[5].isEmpty());
        if (!c[5].isEmpty()) {
            b.pane.setSelection(c[5].split(',')[0].toInt(), c[5].split(',')[1].toInt());
        }
        EXPECT_EQ(b.bar.replaceAll(), c[6].toInt());
        EXPECT_EQ(b.bar.status(), "Replaced " + c[6]);
        EXPECT_EQ(b.pane.text(), QString::fromUtf8(c[7]));
        b.pane.undoOnce();
        EXPECT_EQ(b.pane.text(), QString::fromUtf8(c[1]));
    }
}

TEST(FindBar, NextWrapsAroundOnlyWhenAskedAndPreviousGoesBack) {
    Bar b("a x a x a");
    b.bar.findField()->setText("a");
    for (int expected : {0, 4, 8, 0}) {
        ASSERT_TRUE(b.bar.findNext());
        EXPECT_EQ(b.pane.selectionStart(), expected);
    }
    EXPECT_EQ(b.bar.status(), "1 of 3");
    b.bar.findNext(false);
    EXPECT_EQ(b.pane.selectionStart(), 8) << "back round to the last";
    b.bar.wrapAround()->setChecked(false);
    EXPECT_FALSE(b.bar.findNext());
}

TEST(FindBar, EscapeClosesIt) {
    Bar b("text");
    b.bar.open();
    ASSERT_TRUE(b.bar.isVisible());
    QTest::keyClick(&b.bar, Qt::Key_Escape);
    EXPECT_FALSE(b.bar.isVisible());
}
