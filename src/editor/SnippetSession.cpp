#include "editor/SnippetSession.h"

#include "editor/SourcePane.h"
#include "editor/TextShift.h"

#include <algorithm>
#include <climits>

namespace markwright {

namespace {
using Sci = QsciScintillaBase;

long bytesIn(const QString& text, int utf16) {
    return static_cast<long>(text.left(utf16).toUtf8().size());
}
} // namespace

SnippetSession::SnippetSession(SourcePane& pane, long at, const SnippetText& text)
    : QObject(&pane), m_pane(pane) {
    for (const SnippetText::Stop& stop : text.stops) {
        m_places.push_back(
            {stop.number, at + bytesIn(text.text, stop.start), at + bytesIn(text.text, stop.end)});
        if (std::find(m_order.begin(), m_order.end(), stop.number) == m_order.end()) {
            m_order.push_back(stop.number);
        }
    }
    // 1, 2, ... then 0 (or the end of the snippet).
    std::sort(m_order.begin(), m_order.end(),
              [](int a, int b) { return (a == 0 ? INT_MAX : a) < (b == 0 ? INT_MAX : b); });
    if (m_order.empty() || m_order.back() != 0) {
        const long end = at + static_cast<long>(text.text.toUtf8().size());
        m_places.push_back({0, end, end});
        m_order.push_back(0);
    }
    connect(&m_pane, &Sci::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                textChanging(position, type, length);
            });
    connect(&m_pane, &SourcePane::changed, this, &SnippetSession::mirror);
    connect(&m_pane, &SourcePane::textReplaced, this, &SnippetSession::end);
    connect(&m_pane, &SourcePane::leavingDocument, this, &SnippetSession::end);
    visit(0);
}

void SnippetSession::next() {
    if (active()) {
        visit(m_current + 1);
    }
}

void SnippetSession::previous() {
    if (active()) {
        visit(std::max(0, m_current - 1));
    }
}

void SnippetSession::end() {
    m_current = -1;
    m_editing = -1;
}

void SnippetSession::visit(int index) {
    if (index >= static_cast<int>(m_order.size())) {
        end();
        return;
    }
    m_current = index;
    const int number = m_order[static_cast<std::size_t>(index)];
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        if (m_places[i].number == number) {
            m_editing = static_cast<int>(i);
            m_pane.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(m_places[i].start),
                                 m_places[i].end);
            break;
        }
    }
    if (number == 0) {
        end(); // the final place: the caret is there, Tab is Tab again
    }
}

void SnippetSession::textChanging(int position, int type, int length) {
    if (!active() || !(type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE))) {
        return;
    }
    const long at = position;
    const long count = length;
    const bool insert = type & Sci::SC_MOD_BEFOREINSERT;
    // An edit outside the place being filled ends the session, unless it is
    // this session copying a place's text.
    if (!m_mirroring && m_editing >= 0) {
        const Place& place = m_places[static_cast<std::size_t>(m_editing)];
        const bool inside = insert ? at >= place.start && at <= place.end
                                   : at >= place.start && at + count <= place.end;
        if (!inside) {
            end();
            return;
        }
    }
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        Place& place = m_places[i];
        // Text typed at a place's edge goes into the place being filled.
        const bool editing = static_cast<int>(i) == m_editing;
        place.start = textshift::moved(place.start, at, count, insert, !editing);
        place.end = textshift::moved(place.end, at, count, insert, editing);
    }
}

void SnippetSession::mirror() {
    if (!active() || m_mirroring || m_editing < 0) {
        return;
    }
    const long length = m_pane.SendScintilla(Sci::SCI_GETLENGTH);
    for (const Place& place : m_places) {
        if (place.start < 0 || place.start > place.end || place.end > length) {
            end(); // the text around the snippet changed past following
            return;
        }
    }
    const Place source = m_places[static_cast<std::size_t>(m_editing)];
    const QByteArray text =
        m_pane.bytes().sliced(source.start, source.end - source.start).toByteArray();
    const int keep = m_editing;
    m_mirroring = true;
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        const Place& place = m_places[i];
        if (static_cast<int>(i) == keep || place.number != source.number) {
            continue;
        }
        if (m_pane.bytes().sliced(place.start, place.end - place.start) == text) {
            continue;
        }
        // (Scintilla keeps the caret with its text.)
        m_editing = static_cast<int>(i);
        m_pane.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(place.start),
                             place.end);
        m_pane.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(text.size()),
                             text.constData());
    }
    m_editing = keep;
    m_mirroring = false;
}

} // namespace markwright
