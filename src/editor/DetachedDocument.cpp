#include "editor/DetachedDocument.h"

#include <Qsci/qsciscintillabase.h>

#include <QByteArray>
#include <cstddef>
#include <utility>

namespace markwright {

// Scintilla's interface for filling a document off the view, as its own
// ILexer.h declares it (QScintilla does not install that header). A
// document is created by SCI_CREATELOADER with one reference, which
// Release() drops; ConvertToDocument() gives the document for
// SCI_SETDOCPOINTER, the reference going with it. Not in an unnamed
// namespace: the compiler would then take it that no class implements it
// and turn the calls into pure-virtual traps.
class ScintillaLoader {
  public:
    virtual int Release() = 0;
    virtual int AddData(const char* data, std::ptrdiff_t length) = 0;
    virtual void* ConvertToDocument() = 0;

  protected:
    ~ScintillaLoader() = default;
};

namespace {
ScintillaLoader* loaderOf(void* pointer) {
    return static_cast<ScintillaLoader*>(pointer);
}
} // namespace

DetachedDocument::~DetachedDocument() {
    release();
}

DetachedDocument::DetachedDocument(DetachedDocument&& other) noexcept
    : m_loader(std::exchange(other.m_loader, nullptr)),
      m_document(std::exchange(other.m_document, nullptr)) {}

DetachedDocument& DetachedDocument::operator=(DetachedDocument&& other) noexcept {
    if (this != &other) {
        release();
        m_loader = std::exchange(other.m_loader, nullptr);
        m_document = std::exchange(other.m_document, nullptr);
    }
    return *this;
}

void DetachedDocument::release() {
    // The loader and the document it became are one object with one count.
    if (m_loader != nullptr) {
        loaderOf(m_loader)->Release();
    }
    m_loader = nullptr;
    m_document = nullptr;
}

bool DetachedDocument::fill(const QString& text) {
    if (m_loader == nullptr || m_document != nullptr) {
        return false;
    }
    const QByteArray raw = text.toUtf8();
    constexpr qsizetype Slice = qsizetype(16) << 20;
    for (qsizetype from = 0; from < raw.size(); from += Slice) {
        const qsizetype length = qMin(Slice, raw.size() - from);
        if (loaderOf(m_loader)->AddData(raw.constData() + from, length) !=
            QsciScintillaBase::SC_STATUS_OK) {
            release();
            return false;
        }
    }
    m_document = loaderOf(m_loader)->ConvertToDocument();
    return m_document != nullptr;
}

void* DetachedDocument::take() {
    if (m_document == nullptr) {
        return nullptr;
    }
    m_loader = nullptr;
    return std::exchange(m_document, nullptr);
}

} // namespace markwright
