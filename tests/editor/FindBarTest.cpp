// The find bar: options, counts, wrap, replace one and all (one undo step),
// zero-length matches, Escape.
#include "editor/FindBar.h"
#include "editor/SourcePane.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct Bar {
    explicit Bar(const QString& text) : bar(pane) {
        pane.setText(text);
        pane.setSelection(0, 0);
    }
    void options(bool matchCase, bool word, bool regex) {
        bar.matchCase()->setChecked(matchCase);
        bar.wholeWord()->setChecked(word);
        bar.regularExpression()->setChecked(regex);
    }
    SourcePane pane;
    FindBar bar;
};
} // namespace

TEST(FindBar, OptionsDecideWhatMatchesAndTheCountSaysWhichOneIsSelected) {
    const struct {
        const char* what;
        bool matchCase, word, regex;
        const char* status; // after the first Find Next
        int selected;       // where that match starts
    } cases[] = {
        {"cat", false, false, false, "1 of 4", 0},    {"cat", true, false, false, "1 of 2", 4},
        {"cat", false, true, false, "1 of 3", 0},     {"c[a]t", false, false, true, "1 of 4", 0},
        {"^", false, false, true, "1 of 2", 0}, // empty matches, one per line
        {"dog", false, false, false, "Not found", 0},
    };
    for (const auto& c : cases) {
        Bar b("Cat cat CAT\nconcat");
        b.options(c.matchCase, c.word, c.regex);
        b.bar.findField()->setText(c.what);
        b.bar.findNext();
        EXPECT_EQ(b.bar.status(), c.status) << c.what;
        EXPECT_EQ(b.pane.selectionStart(), c.selected) << c.what;
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

TEST(FindBar, ReplaceAllInThePageOrTheSelectionIsOneUndoStep) {
    Bar b("cat Cat cat");
    b.options(true, false, false);
    b.bar.findField()->setText("cat");
    b.bar.replaceField()->setText("dog");
    EXPECT_EQ(b.bar.replaceAll(), 2);
    EXPECT_EQ(b.bar.status(), "Replaced 2");
    EXPECT_EQ(b.pane.text(), "dog Cat dog");
    b.pane.undoOnce();
    EXPECT_EQ(b.pane.text(), "cat Cat cat");

    b.options(false, false, true);
    b.bar.findField()->setText("(c)at");
    b.bar.replaceField()->setText("\\1ow");
    b.bar.inSelection()->setChecked(true);
    b.pane.setSelection(4, 7);
    EXPECT_EQ(b.bar.replaceAll(), 2);
    EXPECT_EQ(b.pane.text(), "cat Cow cow");

    b.bar.findField()->setText("x*");
    b.bar.replaceField()->setText("-");
    b.bar.inSelection()->setChecked(false);
    b.pane.setText("ab");
    EXPECT_EQ(b.bar.replaceAll(), 3) << "an empty match at each place, and the loop ends";
}

TEST(FindBar, EscapeClosesIt) {
    Bar b("text");
    b.bar.open();
    ASSERT_TRUE(b.bar.isVisible());
    QTest::keyClick(&b.bar, Qt::Key_Escape);
    EXPECT_FALSE(b.bar.isVisible());
}
