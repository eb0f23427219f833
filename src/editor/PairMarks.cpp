#include "editor/PairMarks.h"

#include "editor/TagMatch.h"
#include "html/HtmlModel.h"

#include <QColor>
#include <Qsci/qsciscintillabase.h>

namespace markwright {

using Sci = QsciScintillaBase;

PairMarks::PairMarks(QsciScintillaBase& editor) : m_editor(editor) {
    m_editor.SendScintilla(Sci::SCI_INDICSETSTYLE, TagIndicator, Sci::INDIC_ROUNDBOX);
    m_editor.SendScintilla(Sci::SCI_INDICSETALPHA, TagIndicator, 60);
}

void PairMarks::update(int updated) {
    // Scintilla also reports content updates for styling and marking; the
    // marks need looking at only when the caret or the text moved.
    const long caret = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    if ((updated & (Sci::SC_UPDATE_SELECTION | Sci::SC_UPDATE_CONTENT)) &&
        (m_textMoved || caret != m_markedCaret)) {
        m_textMoved = false;
        m_markedCaret = caret;
        markTags();
        markBrace();
    }
}

void PairMarks::setModel(std::shared_ptr<const html::HtmlModel> model) {
    if (model != m_model) {
        m_model = std::move(model);
        m_textMoved = true; // look again with (or without) it
    }
}

bool PairMarks::tagsFromModel(long caret, std::vector<std::pair<long, long>>& marks) const {
    // A caret just past a tag's '>' is still at that tag.
    int element = m_model->tagAt(caret);
    if (element < 0 && caret > 0) {
        element = m_model->tagAt(caret - 1);
    }
    if (element < 0) {
        return false;
    }
    const html::HtmlModel::Element& e = m_model->at(element);
    for (const html::Range& tag : {e.startTag, e.endTag}) {
        if (tag.valid()) {
            marks.push_back({static_cast<long>(tag.start), static_cast<long>(tag.end - tag.start)});
        }
    }
    return true;
}

void PairMarks::leaveDocument() {
    m_model.reset();
    clearTagMarks();
    m_editor.SendScintilla(Sci::SCI_BRACEHIGHLIGHT, static_cast<unsigned long>(-1), -1L);
    m_braces = {-1, -1};
    m_textMoved = true;
}

void PairMarks::clearTagMarks() {
    m_editor.SendScintilla(Sci::SCI_SETINDICATORCURRENT, TagIndicator);
    for (const auto& [start, length] : m_tagMarks) {
        m_editor.SendScintilla(Sci::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(start),
                               length);
    }
    m_tagMarks.clear();
}

void PairMarks::markBrace() {
    // The brace just before the caret, else the one just after it, and its
    // partner. Scintilla repaints the whole view whenever the highlight is
    // set, so it is set only when it moves.
    const auto isBrace = [](long c) {
        return c == '(' || c == ')' || c == '[' || c == ']' || c == '{' || c == '}';
    };
    const auto charAt = [this](long at) {
        return m_editor.SendScintilla(Sci::SCI_GETCHARAT, static_cast<unsigned long>(at));
    };
    const long caret = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    long at = -1;
    if (caret > 0 && isBrace(charAt(caret - 1))) {
        at = caret - 1;
    } else if (isBrace(charAt(caret))) {
        at = caret;
    }
    const std::pair<long, long> braces{
        at, at < 0
                ? -1L
                : m_editor.SendScintilla(Sci::SCI_BRACEMATCH, static_cast<unsigned long>(at), 0L)};
    if (braces == m_braces) {
        return;
    }
    m_braces = braces;
    if (at >= 0 && braces.second < 0) {
        m_editor.SendScintilla(Sci::SCI_BRACEBADLIGHT, static_cast<unsigned long>(at));
    } else {
        m_editor.SendScintilla(Sci::SCI_BRACEHIGHLIGHT, static_cast<unsigned long>(braces.first),
                               braces.second);
    }
}

void PairMarks::markTags() {
    // Only the bytes around the caret: asking for the whole text would move
    // Scintilla's gap to the end, a copy of the document on every keystroke.
    constexpr long Reach = 64 * 1024;
    const long caret = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    std::vector<std::pair<long, long>> marks;
    if (m_model != nullptr) {
        tagsFromModel(caret, marks);
        show(marks);
        return;
    }
    const long from = qMax(0L, caret - Reach);
    const long to = qMin(m_editor.SendScintilla(Sci::SCI_GETLENGTH), caret + Reach);
    const char* window = nullptr;
    if constexpr (sizeof(long) == sizeof(const char*)) {
        window = reinterpret_cast<const char*>(m_editor.SendScintilla(
            Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from));
    } else { // where a pointer does not fit in a long
        window = static_cast<const char*>(
                     m_editor.SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER)) +
                 from;
    }
    const auto pair = window == nullptr
                          ? std::nullopt
                          : tagmatch::find(QByteArrayView(window, to - from), caret - from, Reach);
    if (pair) {
        for (const tagmatch::Span& span : {pair->here, pair->match}) {
            marks.push_back(
                {from + static_cast<long>(span.start), static_cast<long>(span.end - span.start)});
        }
    }
    show(marks);
}

void PairMarks::show(const std::vector<std::pair<long, long>>& marks) {
    if (marks == m_tagMarks) {
        return;
    }
    clearTagMarks();
    for (const auto& [start, length] : marks) {
        m_editor.SendScintilla(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start),
                               length);
    }
    m_tagMarks = marks;
}

} // namespace markwright
