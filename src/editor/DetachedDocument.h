#pragma once

#include <QString>

namespace markwright {

// A Scintilla document filled away from the pane, on any thread, and handed
// to it whole once it is complete (SourcePane::adoptDocument): a large page
// is read in without the window waiting for it and without anything run
// from inside the load. Made by SourcePane::detachedDocument.
class DetachedDocument {
  public:
    DetachedDocument() = default;
    ~DetachedDocument();
    DetachedDocument(DetachedDocument&& other) noexcept;
    DetachedDocument& operator=(DetachedDocument&& other) noexcept;
    DetachedDocument(const DetachedDocument&) = delete;
    DetachedDocument& operator=(const DetachedDocument&) = delete;

    // Puts `text` in, as the pane's UTF-8; false when Scintilla could not
    // take it (out of memory). Once only.
    bool fill(const QString& text);
    bool filled() const { return m_document != nullptr; }

    // The filled document, whose reference passes to the caller; null when
    // it was never filled.
    void* take();

  private:
    friend class SourcePane;
    explicit DetachedDocument(void* loader) : m_loader(loader) {}
    void release();

    void* m_loader = nullptr;   // Scintilla's ILoader, one reference held
    void* m_document = nullptr; // the same document once filled
};

} // namespace markwright
