#include "editor/SlotDocuments.h"

#include <Qsci/qsciscintillabase.h>

namespace markwright {

SlotDocuments::~SlotDocuments() {
    for (const View& view : m_views) {
        release(view.document);
    }
}

void* SlotDocuments::documentFor(int slot, bool& fresh) {
    fresh = false;
    View& view = at(slot);
    if (view.document == nullptr) {
        if (m_shown == 0) {
            // The document shown since the editor was made becomes this slot's.
            view.document = m_editor.SendScintillaPtrResult(QsciScintillaBase::SCI_GETDOCPOINTER);
            m_editor.SendScintilla(QsciScintillaBase::SCI_ADDREFDOCUMENT, 0UL, view.document);
        } else {
            view.document = m_editor.SendScintillaPtrResult(QsciScintillaBase::SCI_CREATEDOCUMENT);
            fresh = true;
        }
    }
    return view.document;
}

void* SlotDocuments::replace(int slot, void* document) {
    View& view = at(slot);
    void* const old = view.document;
    view = View{document};
    return old;
}

void SlotDocuments::release(void* document) {
    if (document != nullptr) {
        m_editor.SendScintilla(QsciScintillaBase::SCI_RELEASEDOCUMENT, 0UL, document);
    }
}

void SlotDocuments::saveView() {
    if (!valid(m_shown)) {
        return;
    }
    View& view = at(m_shown);
    view.anchor = m_editor.SendScintilla(QsciScintillaBase::SCI_GETANCHOR);
    view.caret = m_editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    view.firstLine = m_editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
    view.xOffset = m_editor.SendScintilla(QsciScintillaBase::SCI_GETXOFFSET);
}

void SlotDocuments::restoreView(int slot) {
    const View& view = at(slot);
    m_editor.SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(view.anchor),
                           view.caret);
    m_editor.SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE,
                           static_cast<unsigned long>(view.firstLine));
    m_editor.SendScintilla(QsciScintillaBase::SCI_SETXOFFSET,
                           static_cast<unsigned long>(view.xOffset));
}

} // namespace markwright
