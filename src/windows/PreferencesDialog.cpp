#include "windows/PreferencesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace markwright {

namespace {
QCheckBox* box(const QString& text, QWidget* parent) {
    return new QCheckBox(text, parent);
}
} // namespace

PreferencesDialog::PreferencesDialog(const Preferences& current, const QStringList& schemes,
                                     QWidget* parent)
    : QDialog(parent), m_font(new QFontComboBox(this)), m_fontSize(new QSpinBox(this)),
      m_tabWidth(new QSpinBox(this)), m_tabs(box(tr("Indent with &tabs"), this)),
      m_whiteSpace(box(tr("Show &white space"), this)),
      m_lineEnds(box(tr("Show line &ends"), this)), m_wrap(box(tr("&Wrap long lines"), this)),
      m_lineNumbers(box(tr("Show line &numbers"), this)), m_scheme(new QComboBox(this)),
      m_closeTags(box(tr("&Close tags as they are typed"), this)),
      m_completion(box(tr("Complete &names, values and paths"), this)),
      m_abbreviations(box(tr("Expand &abbreviations with Tab"), this)),
      m_snippets(box(tr("Expand &snippets with Tab"), this)),
      m_checks(box(tr("Check the page for &problems"), this)),
      m_hints(box(tr("Point out &obsolete markup"), this)), m_pause(new QSpinBox(this)),
      m_follow(box(tr("&Follow the caret in the preview"), this)) {
    setObjectName(QStringLiteral("Preferences"));
    setWindowTitle(tr("Preferences"));
    setModal(false);
    m_font->setObjectName(QStringLiteral("fontFamily"));
    m_font->setFontFilters(QFontComboBox::MonospacedFonts);
    m_fontSize->setRange(Preferences::MinFontSize, Preferences::MaxFontSize);
    m_fontSize->setSuffix(tr(" pt"));
    m_tabWidth->setRange(1, Preferences::MaxTabWidth);
    m_scheme->addItems(schemes);
    m_scheme->setObjectName(QStringLiteral("colorScheme"));
    m_tabWidth->setObjectName(QStringLiteral("tabWidth"));
    m_wrap->setObjectName(QStringLiteral("wrapLines"));
    m_closeTags->setObjectName(QStringLiteral("closeTags"));
    m_pause->setRange(Preferences::MinPauseMs, Preferences::MaxPauseMs);
    m_pause->setSingleStep(100);
    m_pause->setSuffix(tr(" ms"));

    auto* pane = new QGroupBox(tr("Source pane"), this);
    auto* paneForm = new QFormLayout(pane);
    paneForm->addRow(tr("&Font:"), m_font);
    paneForm->addRow(tr("Si&ze:"), m_fontSize);
    paneForm->addRow(tr("Ta&b width:"), m_tabWidth);
    paneForm->addRow(tr("Colou&rs:"), m_scheme);
    for (QCheckBox* check : {m_tabs, m_whiteSpace, m_lineEnds, m_wrap, m_lineNumbers}) {
        paneForm->addRow(check);
    }
    auto* helps = new QGroupBox(tr("Writing and checking"), this);
    auto* helpsForm = new QVBoxLayout(helps);
    for (QCheckBox* check :
         {m_closeTags, m_completion, m_abbreviations, m_snippets, m_checks, m_hints}) {
        helpsForm->addWidget(check);
    }
    auto* preview = new QGroupBox(tr("Preview"), this);
    auto* previewForm = new QFormLayout(preview);
    previewForm->addRow(tr("Refresh after a &pause of:"), m_pause);
    previewForm->addRow(m_follow);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::RestoreDefaults, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] {
                fill(Preferences());
                emit changed(chosen());
            });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pane);
    layout->addWidget(helps);
    layout->addWidget(preview);
    layout->addWidget(buttons);

    fill(current);
    const auto report = [this] {
        if (!m_filling) {
            emit changed(chosen());
        }
    };
    connect(m_font, &QFontComboBox::currentFontChanged, this, [this, report] {
        if (!m_filling) {
            m_fontFamilyTouched = true;
        }
        report();
    });
    for (QSpinBox* spin : {m_fontSize, m_tabWidth, m_pause}) {
        connect(spin, &QSpinBox::valueChanged, this, report);
    }
    connect(m_scheme, &QComboBox::currentIndexChanged, this, report);
    for (QCheckBox* check : findChildren<QCheckBox*>()) {
        connect(check, &QCheckBox::toggled, this, report);
    }
}

void PreferencesDialog::show(const Preferences& current) {
    fill(current);
    QDialog::show();
    raise();
    activateWindow();
}

void PreferencesDialog::fill(const Preferences& p) {
    m_filling = true;
    m_base = p;
    if (!p.fontFamily.isEmpty()) {
        m_font->setCurrentFont(QFont(p.fontFamily));
    }
    m_fontSize->setValue(p.fontSize == 0 ? 9 : p.fontSize);
    m_tabWidth->setValue(p.tabWidth);
    m_tabs->setChecked(p.indentWithTabs);
    m_whiteSpace->setChecked(p.showWhiteSpace);
    m_lineEnds->setChecked(p.showLineEnds);
    m_wrap->setChecked(p.wrapLines);
    m_lineNumbers->setChecked(p.lineNumbers);
    m_scheme->setCurrentIndex(std::max(0, m_scheme->findText(p.colorScheme)));
    m_closeTags->setChecked(p.closeTags);
    m_completion->setChecked(p.completion);
    m_abbreviations->setChecked(p.abbreviations);
    m_snippets->setChecked(p.snippets);
    m_checks->setChecked(p.checks);
    m_hints->setChecked(p.obsoleteHints);
    m_pause->setValue(p.previewPauseMs);
    m_follow->setChecked(p.followCaret);
    m_fontFamilyTouched = false;
    m_filling = false;
}

Preferences PreferencesDialog::chosen() const {
    Preferences p = m_base;
    // The pane's own font stays the default until another is picked.
    if (!p.fontFamily.isEmpty() || m_fontFamilyTouched) {
        p.fontFamily = m_font->currentFont().family();
    }
    p.fontSize = m_fontSize->value() == 9 && m_base.fontSize == 0 ? 0 : m_fontSize->value();
    p.tabWidth = m_tabWidth->value();
    p.indentWithTabs = m_tabs->isChecked();
    p.showWhiteSpace = m_whiteSpace->isChecked();
    p.showLineEnds = m_lineEnds->isChecked();
    p.wrapLines = m_wrap->isChecked();
    p.lineNumbers = m_lineNumbers->isChecked();
    p.colorScheme = m_scheme->currentText();
    p.closeTags = m_closeTags->isChecked();
    p.completion = m_completion->isChecked();
    p.abbreviations = m_abbreviations->isChecked();
    p.snippets = m_snippets->isChecked();
    p.checks = m_checks->isChecked();
    p.obsoleteHints = m_hints->isChecked();
    p.previewPauseMs = m_pause->value();
    p.followCaret = m_follow->isChecked();
    return p;
}

} // namespace markwright
