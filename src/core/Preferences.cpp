#include "core/Preferences.h"

#include "core/UserSettings.h"

#include <tuple>

namespace markwright {

namespace {
// Each preference's key and where it lives in the struct. "FollowCaret" and
// "ObsoleteHints" are the keys their menu switches have always used.
template <typename Visit> void eachSwitch(Preferences& p, Visit visit) {
    visit("Preferences/IndentWithTabs", p.indentWithTabs);
    visit("Preferences/ShowWhiteSpace", p.showWhiteSpace);
    visit("Preferences/ShowLineEnds", p.showLineEnds);
    visit("Preferences/WrapLines", p.wrapLines);
    visit("Preferences/LineNumbers", p.lineNumbers);
    visit("Preferences/CloseTags", p.closeTags);
    visit("Preferences/Completion", p.completion);
    visit("Preferences/Abbreviations", p.abbreviations);
    visit("Preferences/Snippets", p.snippets);
    visit("Preferences/Checks", p.checks);
    visit("ObsoleteHints", p.obsoleteHints);
    visit("FollowCaret", p.followCaret);
    visit("Preferences/Spelling", p.spelling);
}

template <typename Visit> void eachNumber(Preferences& p, Visit visit) {
    visit("Preferences/FontSize", p.fontSize, 0, Preferences::MaxFontSize);
    visit("Preferences/TabWidth", p.tabWidth, 1, Preferences::MaxTabWidth);
    visit("Preferences/PreviewPause", p.previewPauseMs, Preferences::MinPauseMs,
          Preferences::MaxPauseMs);
}

template <typename Visit> void eachText(Preferences& p, Visit visit) {
    visit("Preferences/FontFamily", p.fontFamily);
    visit("Preferences/ColorScheme", p.colorScheme);
    visit("Preferences/SpellingLanguage", p.spellingLanguage);
}

auto tied(const Preferences& p) {
    return std::tie(p.fontFamily, p.fontSize, p.tabWidth, p.indentWithTabs, p.showWhiteSpace,
                    p.showLineEnds, p.wrapLines, p.lineNumbers, p.colorScheme, p.closeTags,
                    p.completion, p.abbreviations, p.snippets, p.checks, p.obsoleteHints,
                    p.previewPauseMs, p.followCaret, p.spelling, p.spellingLanguage);
}
} // namespace

Preferences Preferences::load(const UserSettings& settings) {
    Preferences p;
    eachSwitch(p, [&](const char* key, bool& on) {
        const QString stored = settings.value(QLatin1String(key), QString());
        if (stored == QLatin1String("1") || stored == QLatin1String("0")) {
            on = stored == QLatin1String("1");
        }
    });
    eachNumber(p, [&](const char* key, int& number, int low, int high) {
        bool ok = false;
        const int stored = settings.value(QLatin1String(key), QString()).toInt(&ok);
        if (ok && stored >= low && stored <= high) {
            number = stored;
        }
    });
    eachText(p, [&](const char* key, QString& text) {
        const QString stored = settings.value(QLatin1String(key), QString()).trimmed();
        if (!stored.isEmpty()) {
            text = stored;
        }
    });
    if (p.fontSize != 0 && p.fontSize < MinFontSize) {
        p.fontSize = 0;
    }
    if (p.colorScheme != QLatin1String("Light") && p.colorScheme != QLatin1String("Dark")) {
        p.colorScheme = QStringLiteral("Light");
    }
    return p;
}

void Preferences::save(UserSettings& settings) const {
    Preferences p = *this;
    eachSwitch(p, [&](const char* key, bool& on) {
        settings.setValue(QLatin1String(key), on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    eachNumber(p, [&](const char* key, int& number, int, int) {
        settings.setValue(QLatin1String(key), QString::number(number));
    });
    eachText(p,
             [&](const char* key, QString& text) { settings.setValue(QLatin1String(key), text); });
}

bool Preferences::operator==(const Preferences& other) const {
    return tied(*this) == tied(other);
}

} // namespace markwright
