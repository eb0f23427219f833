// Preferences apply at once, to every slot, and are kept per user; Restore
// Defaults gives the editor back as it was.
#include "windows/PreferencesDialog.h"
#include "app/FrmEdit.h"
#include "core/Preferences.h"
#include "editor/ColorScheme.h"
#include "editor/SourcePane.h"
#include "support/TestWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace markwright;

TEST(PreferencesWindow, ChoicesApplyAtOnceToEverySlotAndAreKept) {
    TestWindow w;
    SourcePane& pane = w->source();
    w.run("mnuPreferences");
    auto* dialog = w->findChild<PreferencesDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    dialog->findChild<QSpinBox*>("tabWidth")->setValue(2);
    dialog->findChild<QComboBox*>("colorScheme")->setCurrentText("Dark");
    dialog->findChild<QCheckBox*>("wrapLines")->setChecked(true);
    dialog->findChild<QCheckBox*>("closeTags")->setChecked(false);

    const auto paper = [&] {
        return QColor(static_cast<QRgb>(pane.SendScintilla(QsciScintilla::SCI_STYLEGETBACK,
                                                           QsciScintilla::STYLE_DEFAULT)))
            .rgb();
    };
    const QColor dark = ColorScheme::dark().paper;
    // Scintilla keeps colours as BGR.
    const QRgb darkBgr = qRgb(dark.blue(), dark.green(), dark.red());
    EXPECT_EQ(pane.SendScintilla(QsciScintilla::SCI_GETTABWIDTH), 2);
    EXPECT_EQ(paper(), darkBgr);
    EXPECT_EQ(pane.wrapMode(), QsciScintilla::WrapWord);
    // Another slot has them too.
    w.select(3);
    EXPECT_EQ(pane.SendScintilla(QsciScintilla::SCI_GETTABWIDTH), 2);
    EXPECT_EQ(paper(), darkBgr);
    // End tags are no longer put in.
    pane.setText("\n");
    pane.setSelection(0, 0);
    for (const char c : QByteArray("<p>")) {
        QTest::keyClick(&pane, c);
    }
    EXPECT_EQ(pane.text(), "<p>\n");

    // Kept per user: what the next start reads.
    const Preferences kept = Preferences::load(w.settings);
    EXPECT_EQ(kept.tabWidth, 2);
    EXPECT_EQ(kept.colorScheme, "Dark");
    EXPECT_TRUE(kept.wrapLines);
    EXPECT_FALSE(kept.closeTags);

    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::RestoreDefaults)->click();
    EXPECT_EQ(Preferences::load(w.settings), Preferences());
    EXPECT_EQ(pane.SendScintilla(QsciScintilla::SCI_GETTABWIDTH), 4);
    EXPECT_EQ(pane.wrapMode(), QsciScintilla::WrapNone);
    dialog->close();
}
