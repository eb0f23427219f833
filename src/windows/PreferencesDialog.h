#pragma once

#include "core/Preferences.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QSpinBox;

namespace markwright {

// Preferences: one window whose every change applies at once (`changed`
// carries the whole set), with Restore Defaults. It does not block the main
// window; each field has a keyboard accelerator.
class PreferencesDialog : public QDialog {
    Q_OBJECT

  public:
    PreferencesDialog(const Preferences& current, const QStringList& schemes, QWidget* parent);

    // Shows `current` in the fields (without reporting a change).
    void show(const Preferences& current);
    Preferences chosen() const;

  signals:
    void changed(const Preferences& preferences);

  private:
    void fill(const Preferences& p);

    QFontComboBox* m_font;
    QSpinBox* m_fontSize;
    QSpinBox* m_tabWidth;
    QCheckBox* m_tabs;
    QCheckBox* m_whiteSpace;
    QCheckBox* m_lineEnds;
    QCheckBox* m_wrap;
    QCheckBox* m_lineNumbers;
    QComboBox* m_scheme;
    QCheckBox* m_closeTags;
    QCheckBox* m_completion;
    QCheckBox* m_abbreviations;
    QCheckBox* m_snippets;
    QCheckBox* m_checks;
    QCheckBox* m_hints;
    QSpinBox* m_pause;
    QCheckBox* m_follow;
    bool m_filling = false;
    bool m_fontFamilyTouched = false; // a font was picked since the last fill
    Preferences m_base;               // what the window keeps of fields it does not show
};

} // namespace markwright
