#include "app/StatusPanels.h"

#include "editor/SourcePane.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

namespace markwright {

const char* const StatusPanels::ProductText = "  M A R K W R I G H T";

StatusPanels::StatusPanels(QStatusBar* bar, SourcePane& pane,
                           std::function<QString()> documentFacts)
    : QObject(bar), m_pane(pane), m_documentFacts(std::move(documentFacts)) {
    // 4320 twips for the product name, 1440 (one inch) for each other panel;
    // the document's panel takes what is left of the bar.
    const int widths[] = {288, 96, 96, 96, 96, 96, 0};
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        if (widths[i] > 0) {
            label->setFixedWidth(widths[i]);
        } else {
            label->setMinimumWidth(0);
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        }
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(i == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        bar->addWidget(label, widths[i] > 0 ? 0 : 1);
        m_panels[i] = label;
    }
    m_panels[0]->setText(QLatin1String(ProductText));
    // Keys typed into the pane and into the window; other windows' keys are
    // not this window's business.
    m_pane.installEventFilter(this);
    bar->window()->installEventFilter(this);
    m_timer = new QTimer(this);
    m_timer->setInterval(250);
    connect(m_timer, &QTimer::timeout, this, &StatusPanels::update);
    m_timer->start();
    update();
}

QString StatusPanels::text(int panel) const {
    return m_panels[static_cast<std::size_t>(panel - 1)]->text();
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (typed.size() == 1 && typed[0].isLetter() && typed[0].toUpper() != typed[0].toLower()) {
            // An upper-case letter without Shift, or lower case with it.
            const bool shift = key->modifiers() & Qt::ShiftModifier;
            m_seenCaps = typed[0].isUpper() != shift;
        }
        if (key->modifiers() & Qt::KeypadModifier && typed.size() == 1 && typed[0].isDigit()) {
            m_seenNum = true;
        }
        // The key states the platform reported last: no reading of the
        // system on every key press.
        QTimer::singleShot(0, this, &StatusPanels::showKeys);
    }
    return QObject::eventFilter(watched, event);
}

void StatusPanels::update() {
    m_platformCaps = platform::capsLockOn();
    m_platformNum = platform::numLockOn();
    showKeyStates();
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    m_panels[4]->setText(locale.toString(now.time(), QLocale::ShortFormat));
    m_panels[5]->setText(locale.toString(now.date(), QLocale::ShortFormat));
    // Asked at the tick only: a key press shows the facts as they were.
    m_facts = m_documentFacts ? m_documentFacts() : QString();
    showDocument();
}

void StatusPanels::setNote(const QString& note) {
    m_note = note;
    showDocument();
}

void StatusPanels::showDocument() {
    const long caret = m_pane.SendScintilla(QsciScintilla::SCI_GETCURRENTPOS);
    const long line = m_pane.SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, caret);
    // The column counts characters (tabs to their stops); on a line of many
    // kilobytes that would cost a scan per tick, so there it counts bytes.
    const long lineStart = m_pane.SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line);
    const long column = caret - lineStart > 4096
                            ? caret - lineStart
                            : m_pane.SendScintilla(QsciScintilla::SCI_GETCOLUMN, caret);
    QString text = tr("Ln %1, Col %2").arg(line + 1).arg(column + 1);
    if (!m_facts.isEmpty()) {
        text += QStringLiteral("   ") + m_facts;
    }
    if (!m_note.isEmpty()) {
        text += QStringLiteral("   ") + m_note;
    }
    m_panels[6]->setText(text);
    m_panels[6]->setToolTip(text);
}

void StatusPanels::showKeys() {
    showKeyStates();
    showDocument();
}

void StatusPanels::showKeyStates() {
    const bool caps = m_platformCaps.value_or(m_seenCaps);
    const bool num = m_platformNum.value_or(m_seenNum);
    m_panels[1]->setText(caps ? QStringLiteral("CAPS") : QString());
    m_panels[2]->setText(num ? QStringLiteral("NUM") : QString());
    m_panels[3]->setText(m_pane.overwriteMode() ? QString() : QStringLiteral("INS"));
}

} // namespace markwright
