#include "editor/DocumentLoader.h"

#include <QTimer>
#include <utility>

namespace markwright {

namespace {
// A slice takes a few milliseconds to go in: the window stays smooth.
constexpr qsizetype Slice = qsizetype(4) << 20;
} // namespace

DocumentLoader::DocumentLoader(QObject* parent) : QObject(parent) {
    m_view.hide();
    // Nobody listens to this view: no notice of each insertion is made.
    m_view.SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, 0UL);
}

DocumentLoader::~DocumentLoader() {
    drop();
}

void DocumentLoader::drop() {
    if (m_document != nullptr) {
        // The view lets go of it by taking a fresh one; then our reference.
        m_view.SendScintilla(QsciScintillaBase::SCI_SETDOCPOINTER, 0UL,
                             static_cast<void*>(nullptr));
        m_view.SendScintilla(QsciScintillaBase::SCI_RELEASEDOCUMENT, 0UL, m_document);
        m_document = nullptr;
    }
    m_bytes.clear();
    m_done = nullptr;
}

void DocumentLoader::fill(QByteArray utf8, std::function<void(void*)> done) {
    drop();
    ++m_run;
    m_bytes = std::move(utf8);
    m_filled = 0;
    m_done = std::move(done);
    m_document = m_view.SendScintillaPtrResult(QsciScintillaBase::SCI_CREATEDOCUMENT);
    m_view.SendScintilla(QsciScintillaBase::SCI_SETDOCPOINTER, 0UL, m_document);
    m_view.SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, QsciScintillaBase::SC_CP_UTF8);
    // The pane's index of line starts in UTF-16 units grows with the text.
    m_view.SendScintilla(
        QsciScintillaBase::SCI_ALLOCATELINECHARACTERINDEX,
        static_cast<unsigned long>(QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16));
    // What goes in is the loaded text, not an edit to take back.
    m_view.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
    nextSlice();
}

void DocumentLoader::nextSlice() {
    const qsizetype length = qMin(Slice, m_bytes.size() - m_filled);
    if (length > 0) {
        m_view.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<unsigned long>(length),
                             m_bytes.constData() + m_filled);
        m_filled += length;
    }
    if (m_filled < m_bytes.size()) {
        const int run = m_run;
        QTimer::singleShot(0, this, [this, run] {
            if (run == m_run) {
                nextSlice();
            }
        });
        return;
    }
    m_view.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1UL);
    // The view takes a fresh document; ours keeps the one reference made
    // with it, which passes on.
    m_view.SendScintilla(QsciScintillaBase::SCI_SETDOCPOINTER, 0UL, static_cast<void*>(nullptr));
    void* const document = std::exchange(m_document, nullptr);
    std::function<void(void*)> done = std::move(m_done);
    m_done = nullptr;
    m_bytes.clear();
    done(document);
}

} // namespace markwright
