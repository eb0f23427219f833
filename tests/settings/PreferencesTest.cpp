// Preferences as kept per user: the defaults are the editor without any
// choice; every value survives a save and a load; stored values that make
// no sense read back as the default (tests/data/expected/preferences-read.txt).
#include "core/Preferences.h"
#include "support/MemorySettings.h"
#include "support/TestData.h"

using markwright::Preferences;

namespace {
QString field(const Preferences& p, const QByteArray& key) {
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    if (key == "Preferences/TabWidth")
        return QString::number(p.tabWidth);
    if (key == "Preferences/FontSize")
        return QString::number(p.fontSize);
    if (key == "Preferences/PreviewPause")
        return QString::number(p.previewPauseMs);
    if (key == "Preferences/ColorScheme")
        return p.colorScheme;
    if (key == "Preferences/FontFamily")
        return p.fontFamily;
    if (key == "Preferences/WrapLines")
        return flag(p.wrapLines);
    if (key == "Preferences/LineNumbers")
        return flag(p.lineNumbers);
    if (key == "FollowCaret")
        return flag(p.followCaret);
    if (key == "ObsoleteHints")
        return flag(p.obsoleteHints);
    if (key == "Preferences/Spelling")
        return flag(p.spelling);
    if (key == "Preferences/SpellingLanguage")
        return p.spellingLanguage;
    ADD_FAILURE() << "no field for " << key.toStdString();
    return {};
}
} // namespace

TEST(Preferences, DefaultsAreTheEditorWithoutAnyChoice) {
    MemorySettings settings;
    const Preferences p = Preferences::load(settings);
    EXPECT_EQ(p, Preferences());
    EXPECT_TRUE(p.fontFamily.isEmpty());
    EXPECT_EQ(p.tabWidth, 4);
    EXPECT_TRUE(p.indentWithTabs && p.lineNumbers && p.followCaret && p.checks);
    EXPECT_TRUE(p.closeTags && p.completion && p.abbreviations && p.snippets);
    EXPECT_FALSE(p.wrapLines || p.showWhiteSpace || p.obsoleteHints || p.spelling);
    EXPECT_EQ(p.colorScheme, "Light");
    EXPECT_EQ(p.previewPauseMs, 1000);
}

TEST(Preferences, EveryValueSurvivesASaveAndALoad) {
    Preferences p;
    p.fontFamily = "Liberation Mono";
    p.fontSize = 14;
    p.tabWidth = 2;
    p.indentWithTabs = p.lineNumbers = p.followCaret = p.checks = false;
    p.closeTags = p.completion = p.abbreviations = p.snippets = false;
    p.showWhiteSpace = p.showLineEnds = p.wrapLines = p.obsoleteHints = p.spelling = true;
    p.colorScheme = "Dark";
    p.previewPauseMs = 3000;
    p.spellingLanguage = "fr_FR";
    MemorySettings settings;
    p.save(settings);
    EXPECT_EQ(Preferences::load(settings), p);
    EXPECT_FALSE(settings.values.contains("Preferences/Nothing"));
}

TEST(Preferences, NonsenseReadsBackAsTheDefault) {
    for (const QByteArrayList& row : testdata::table("expected/preferences-read.txt")) {
        MemorySettings settings;
        settings.values[QString::fromUtf8(row[0])] = QString::fromUtf8(row[1]);
        EXPECT_EQ(field(Preferences::load(settings), row[0]), QString::fromUtf8(row[2]))
            << row[0].toStdString() << " = " << row[1].toStdString();
    }
}
