#pragma once

#include <QString>

namespace markwright {

class UserSettings;

// What the user chooses in Preferences, kept per user (never in the INI file
// beside the program). The defaults are the editor as it is without any
// choice made; values read back that make no sense fall back to them.
struct Preferences {
    // The source pane.
    QString fontFamily; // empty: the pane's own fixed-pitch font
    int fontSize = 0;   // points; 0: that font's size
    int tabWidth = 4;
    bool indentWithTabs = true;
    bool showWhiteSpace = false;
    bool showLineEnds = false;
    bool wrapLines = false;
    bool lineNumbers = true;
    QString colorScheme = QStringLiteral("Light");
    // The writing helps.
    bool closeTags = true; // end tags put in, "</" finished, pairs renamed
    bool completion = true;
    bool abbreviations = true;
    bool snippets = true;
    // The checks of the page.
    bool checks = true;
    bool obsoleteHints = false;
    // The preview.
    int previewPauseMs = 1000;
    bool followCaret = true;
    // Spelling of the page's text.
    bool spelling = false;
    QString spellingLanguage = QStringLiteral("en_US");

    static Preferences load(const UserSettings& settings);
    void save(UserSettings& settings) const;

    bool operator==(const Preferences& other) const;
    bool operator!=(const Preferences& other) const { return !(*this == other); }

    static constexpr int MinFontSize = 6;
    static constexpr int MaxFontSize = 72;
    static constexpr int MaxTabWidth = 16;
    static constexpr int MinPauseMs = 200;
    static constexpr int MaxPauseMs = 10000;
};

} // namespace markwright
