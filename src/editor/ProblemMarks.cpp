#include "editor/ProblemMarks.h"

#include "editor/SourcePane.h"
#include "editor/TextShift.h"

#include <QColor>
#include <QStringList>
#include <QToolTip>
#include <algorithm>

namespace markwright {

namespace {
using Sci = QsciScintillaBase;
// Lines marked beyond those in view, so a short scroll shows marks at once.
constexpr long LinesAround = 40;
} // namespace

ProblemMarks::ProblemMarks(SourcePane& pane) : QObject(&pane), m_pane(pane) {
    m_pane.SendScintilla(Sci::SCI_INDICSETSTYLE, ErrorIndicator, Sci::INDIC_SQUIGGLE);
    m_pane.SendScintilla(Sci::SCI_INDICSETSTYLE, HintIndicator, Sci::INDIC_DOTS);
    m_pane.SendScintilla(Sci::SCI_MARKERDEFINE, Marker, Sci::SC_MARK_CIRCLE);
    // A narrow margin of its own for the markers, beside the line numbers.
    m_pane.setMarginType(MarkerMargin, QsciScintilla::SymbolMargin);
    m_pane.setMarginWidth(MarkerMargin, 12);
    m_pane.setMarginMarkerMask(MarkerMargin, 1 << Marker);
    m_pane.setMarginMarkerMask(0, 0);
    m_pane.SendScintilla(Sci::SCI_SETMOUSEDWELLTIME, 500);

    connect(&m_pane, &Sci::SCN_UPDATEUI, this, [this](int updated) {
        if (updated & (Sci::SC_UPDATE_V_SCROLL | Sci::SC_UPDATE_CONTENT)) {
            place();
        }
    });
    connect(&m_pane, &Sci::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                textChanging(position, type, length);
            });
    connect(&m_pane, &Sci::SCN_DWELLSTART, this, &ProblemMarks::dwell);
    connect(&m_pane, &Sci::SCN_DWELLEND, this, [] { QToolTip::hideText(); });
    connect(&m_pane, &SourcePane::leavingDocument, this, [this] { setProblems(nullptr); });
}

void ProblemMarks::setProblems(const std::shared_ptr<const std::vector<html::Problem>>& problems) {
    if (problems == nullptr && m_items.empty()) {
        clearPlaced();
        return;
    }
    m_items.clear();
    if (problems != nullptr) {
        m_items.reserve(problems->size());
        for (const html::Problem& p : *problems) {
            m_items.push_back(
                {p.range.start, p.range.end, p.rule == html::Problem::Rule::Obsolete, p.message});
        }
    }
    m_placedEnd = -1; // place the marks again
    place();
    emit changed();
}

int ProblemMarks::lineOf(int i) const {
    return static_cast<int>(m_pane.SendScintilla(
               Sci::SCI_LINEFROMPOSITION,
               static_cast<unsigned long>(m_items[static_cast<std::size_t>(i)].start))) +
           1;
}

QString ProblemMarks::goTo(int i) {
    if (i < 0 || i >= count()) {
        return {};
    }
    const Item& item = m_items[static_cast<std::size_t>(i)];
    m_pane.selectBytes(item.start, std::max(item.end, item.start));
    return item.message;
}

QString ProblemMarks::next() {
    if (m_items.empty()) {
        return {};
    }
    const long caret = m_pane.caretByte();
    const auto after = std::upper_bound(m_items.begin(), m_items.end(), caret,
                                        [](long at, const Item& item) { return at < item.start; });
    return goTo(after == m_items.end() ? 0 : static_cast<int>(after - m_items.begin()));
}

QString ProblemMarks::previous() {
    if (m_items.empty()) {
        return {};
    }
    const long from =
        std::min<long>(m_pane.caretByte(), m_pane.SendScintilla(Sci::SCI_GETSELECTIONSTART));
    const std::size_t before = firstFrom(from);
    return goTo(before == 0 ? count() - 1 : static_cast<int>(before) - 1);
}

std::size_t ProblemMarks::firstFrom(long at) const {
    return static_cast<std::size_t>(
        std::lower_bound(m_items.begin(), m_items.end(), at,
                         [](const Item& item, long where) { return item.start < where; }) -
        m_items.begin());
}

void ProblemMarks::clearPlaced() {
    const long length = m_pane.SendScintilla(Sci::SCI_GETLENGTH);
    for (const int indicator : {ErrorIndicator, HintIndicator}) {
        m_pane.SendScintilla(Sci::SCI_SETINDICATORCURRENT, indicator);
        m_pane.SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0UL, length);
    }
    if (!m_markedLines.empty()) {
        m_pane.SendScintilla(Sci::SCI_MARKERDELETEALL, Marker);
        m_markedLines.clear();
    }
    m_placedStart = 0;
    m_placedEnd = 0;
}

void ProblemMarks::place() {
    // The lines in view, and some around them.
    const long firstShown = m_pane.SendScintilla(
        Sci::SCI_DOCLINEFROMVISIBLE, m_pane.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
    const long lines = m_pane.SendScintilla(Sci::SCI_GETLINECOUNT);
    const long first = std::max(0L, firstShown - LinesAround);
    const long last = std::min(
        lines - 1, firstShown + m_pane.SendScintilla(Sci::SCI_LINESONSCREEN) + LinesAround);
    const long length = m_pane.SendScintilla(Sci::SCI_GETLENGTH);
    const long start = m_pane.SendScintilla(Sci::SCI_POSITIONFROMLINE, first);
    const long end =
        last + 1 >= lines ? length : m_pane.SendScintilla(Sci::SCI_POSITIONFROMLINE, last + 1);
    if (start == m_placedStart && end == m_placedEnd) {
        return; // the marks already stand (edits move them along)
    }
    clearPlaced();
    m_placedStart = start;
    m_placedEnd = end;
    std::size_t i = firstFrom(start);
    while (i > 0 && m_items[i - 1].end > start) {
        --i;
    }
    for (; i < m_items.size() && m_items[i].start < end; ++i) {
        const Item& item = m_items[i];
        const long from = std::clamp(item.start, 0L, length);
        // An empty range (its text deleted since the check) keeps one
        // character marked.
        const long to = std::clamp(std::max(item.end, from + 1), from, length);
        m_pane.SendScintilla(Sci::SCI_SETINDICATORCURRENT,
                             item.hint ? HintIndicator : ErrorIndicator);
        m_pane.SendScintilla(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(from),
                             to - from);
        const long line =
            m_pane.SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(from));
        if (m_markedLines.empty() || m_markedLines.back() != line) {
            m_pane.SendScintilla(Sci::SCI_MARKERADD, static_cast<unsigned long>(line), Marker);
            m_markedLines.push_back(line);
        }
    }
}

void ProblemMarks::textChanging(int position, int type, int length) {
    if (m_items.empty() || !(type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE))) {
        return;
    }
    // The notice comes before the change: move the ranges as Scintilla
    // moves its indicators.
    const long at = position;
    const long count = length;
    const bool insert = type & Sci::SC_MOD_BEFOREINSERT;
    const auto moved = [&](long place) { return textshift::moved(place, at, count, insert); };
    for (Item& item : m_items) {
        if (item.end < at && item.start < at) {
            continue;
        }
        // An insertion inside a range widens it; at its start, moves it.
        item.start = moved(item.start);
        item.end = moved(item.end);
    }
    // The marks in view moved along with the text.
    m_placedStart = moved(m_placedStart);
    m_placedEnd = moved(m_placedEnd);
}

void ProblemMarks::dwell(int position, int x, int y) {
    if (m_items.empty()) {
        return;
    }
    QStringList messages;
    int margins = 0;
    for (int m = 0; m <= MarkerMargin; ++m) {
        margins += m_pane.marginWidth(m);
    }
    if (x < margins) {
        // Over the margin Scintilla tells no place: the line is the one at y.
        position = static_cast<int>(m_pane.SendScintilla(Sci::SCI_POSITIONFROMPOINT,
                                                         static_cast<unsigned long>(margins), y));
    }
    if (position < 0) {
        return;
    }
    if (x < margins) {
        // Over the margin: every problem of the line.
        const long line = m_pane.SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
        const long start = m_pane.SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        const long end = m_pane.SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
        for (std::size_t i = firstFrom(start); i < m_items.size() && m_items[i].start <= end; ++i) {
            messages << m_items[i].message;
        }
    } else {
        std::size_t i = firstFrom(position + 1);
        while (i > 0 && m_items[i - 1].start <= position) {
            --i;
            const Item& item = m_items[i];
            if (position < std::max(item.end, item.start + 1)) {
                messages.prepend(item.message);
            }
            if (position - item.start > 4096) {
                break;
            }
        }
    }
    if (!messages.isEmpty()) {
        // As rich text, so that a message naming <img> shows the name, one
        // message a line.
        for (QString& message : messages) {
            message = message.toHtmlEscaped();
        }
        QToolTip::showText(m_pane.viewport()->mapToGlobal(QPoint(x, y)),
                           QStringLiteral("<p style='white-space:pre'>%1</p>")
                               .arg(messages.join(QStringLiteral("<br>"))),
                           &m_pane);
    }
}

} // namespace markwright
