#include "editor/FindBar.h"

#include "editor/PaneIndicators.h"
#include "editor/SourcePane.h"
#include "editor/TextSearch.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace markwright {

namespace {
constexpr int MatchIndicator = indicators::FindMatch;
} // namespace

FindBar::FindBar(SourcePane& pane, QWidget* parent) : QWidget(parent), m_pane(pane) {
    setObjectName(QStringLiteral("findBar"));
    setAutoFillBackground(true);
    // Three short rows: it lives under the source pane, half the window wide.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(2);
    m_find = new QLineEdit(this);
    m_find->setPlaceholderText(tr("Find"));
    m_replace = new QLineEdit(this);
    m_replace->setPlaceholderText(tr("Replace with"));
    m_case = new QCheckBox(tr("Match case"), this);
    m_word = new QCheckBox(tr("Whole word"), this);
    m_regex = new QCheckBox(tr("Regular expression"), this);
    m_wrap = new QCheckBox(tr("Wrap around"), this);
    m_wrap->setChecked(true);
    m_inSelection = new QCheckBox(tr("In selection"), this);
    m_status = new QLabel(this);
    const auto button = [this](const QString& text, auto action) {
        auto* b = new QToolButton(this);
        b->setText(text);
        connect(b, &QToolButton::clicked, this, action);
        return b;
    };
    grid->addWidget(m_find, 0, 0);
    grid->addWidget(button(tr("Previous"), [this] { findNext(false); }), 0, 1);
    grid->addWidget(button(tr("Next"), [this] { findNext(true); }), 0, 2);
    grid->addWidget(m_status, 0, 3);
    grid->addWidget(m_replace, 1, 0);
    grid->addWidget(button(tr("Replace"), [this] { replaceOne(); }), 1, 1);
    grid->addWidget(button(tr("Replace All"), [this] { replaceAll(); }), 1, 2);
    auto* options = new QHBoxLayout;
    for (QCheckBox* box : {m_case, m_word, m_regex, m_wrap, m_inSelection}) {
        options->addWidget(box);
    }
    options->addStretch();
    grid->addLayout(options, 2, 0, 1, 4);
    grid->setColumnStretch(0, 1);
    connect(m_find, &QLineEdit::returnPressed, this, [this] { findNext(true); });
    m_pane.SendScintilla(QsciScintilla::SCI_INDICSETSTYLE, MatchIndicator,
                         QsciScintilla::INDIC_STRAIGHTBOX);
    m_pane.SendScintilla(QsciScintilla::SCI_INDICSETALPHA, MatchIndicator, 90);
    hide();
}

void FindBar::open() {
    const QString selected = m_pane.selectedText();
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n'))) {
        m_find->setText(selected);
    }
    show();
    m_find->setFocus();
    m_find->selectAll();
}

int FindBar::searchFlags() const {
    int flags = 0;
    if (m_case->isChecked()) {
        flags |= QsciScintilla::SCFIND_MATCHCASE;
    }
    if (m_word->isChecked()) {
        flags |= QsciScintilla::SCFIND_WHOLEWORD;
    }
    if (m_regex->isChecked()) {
        flags |= QsciScintilla::SCFIND_REGEXP | QsciScintilla::SCFIND_CXX11REGEX;
    }
    return flags;
}

std::pair<long, long> FindBar::search(long from, long to) const {
    const textsearch::Match match =
        textsearch::search(m_pane, m_find->text().toUtf8(), searchFlags(), from, to);
    return {match.start, match.end};
}

bool FindBar::findNext(bool forward) {
    const long length = m_pane.SendScintilla(QsciScintilla::SCI_GETLENGTH);
    const long start = m_pane.SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
    const long end = m_pane.SendScintilla(QsciScintilla::SCI_GETSELECTIONEND);
    auto found = forward ? search(end, length) : search(start, 0);
    // The empty match found last time: one further, so a zero-length match
    // cannot hold the search in place.
    if (forward && found.first >= 0 && found.first == found.second &&
        found.first == m_lastEmptyMatch && found.first < length) {
        found = search(found.first + 1, length);
    }
    if (found.first < 0 && m_wrap->isChecked()) {
        found = forward ? search(0, length) : search(length, 0);
    }
    if (found.first < 0) {
        m_status->setText(tr("Not found"));
        return false;
    }
    m_lastEmptyMatch = found.first == found.second ? found.first : -1;
    m_pane.SendScintilla(QsciScintilla::SCI_SETSEL, static_cast<unsigned long>(found.first),
                         found.second);
    m_pane.SendScintilla(QsciScintilla::SCI_SCROLLCARET);
    markAll();
    return true;
}

void FindBar::replaceOne() {
    const long start = m_pane.SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
    const long end = m_pane.SendScintilla(QsciScintilla::SCI_GETSELECTIONEND);
    const auto match = search(start, end);
    if (match.first == start && match.second == end && end > start) {
        const long written = replaceMatch(match, m_replace->text().toUtf8());
        m_pane.SendScintilla(QsciScintilla::SCI_GOTOPOS,
                             static_cast<unsigned long>(match.first + written));
    }
    findNext(true);
}

long FindBar::replaceMatch(std::pair<long, long> match, const QByteArray& with) {
    return textsearch::replace(m_pane, {match.first, match.second}, with, m_regex->isChecked());
}

int FindBar::replaceAll() {
    const QByteArray with = m_replace->text().toUtf8();
    long from = 0;
    long to = m_pane.SendScintilla(QsciScintilla::SCI_GETLENGTH);
    if (m_inSelection->isChecked()) {
        from = m_pane.SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
        to = m_pane.SendScintilla(QsciScintilla::SCI_GETSELECTIONEND);
    }
    const int count =
        textsearch::replaceAll(m_pane, m_find->text().toUtf8(), with, searchFlags(), from, to);
    m_status->setText(tr("Replaced %1").arg(count));
    return count;
}

void FindBar::markAll() {
    const long length = m_pane.SendScintilla(QsciScintilla::SCI_GETLENGTH);
    m_pane.SendScintilla(QsciScintilla::SCI_SETINDICATORCURRENT, MatchIndicator);
    m_pane.SendScintilla(QsciScintilla::SCI_INDICATORCLEARRANGE, 0UL, length);
    const long selected = m_pane.SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
    int count = 0;
    int current = 0;
    long from = 0;
    while (count < MarkLimit) {
        const auto match = search(from, length);
        if (match.first < 0) {
            break;
        }
        ++count;
        if (match.first == selected) {
            current = count;
        }
        m_pane.SendScintilla(QsciScintilla::SCI_INDICATORFILLRANGE,
                             static_cast<unsigned long>(match.first), match.second - match.first);
        from = match.second > match.first ? match.second : match.second + 1;
        if (from > length) {
            break;
        }
    }
    m_status->setText(count >= MarkLimit ? tr("%1 of more than %2").arg(current).arg(MarkLimit)
                                         : tr("%1 of %2").arg(current).arg(count));
}

QString FindBar::status() const {
    return m_status->text();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_pane.SendScintilla(QsciScintilla::SCI_SETINDICATORCURRENT, MatchIndicator);
        m_pane.SendScintilla(QsciScintilla::SCI_INDICATORCLEARRANGE, 0UL,
                             m_pane.SendScintilla(QsciScintilla::SCI_GETLENGTH));
        hide();
        m_pane.giveFocus();
        emit closed();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace markwright
