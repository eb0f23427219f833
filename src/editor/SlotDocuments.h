#pragma once

#include <array>

class QsciScintillaBase;

namespace markwright {

// The Scintilla documents of the five slots one editor shows in turn, each
// with where its view stood when it was left (selection and scroll), so a
// slot comes back as it was, undo history included. Holds one reference to
// each document it has made or adopted and releases them when it goes.
class SlotDocuments {
  public:
    static constexpr int Slots = 5;

    explicit SlotDocuments(QsciScintillaBase& editor) : m_editor(editor) {}
    ~SlotDocuments();
    SlotDocuments(const SlotDocuments&) = delete;
    SlotDocuments& operator=(const SlotDocuments&) = delete;

    static bool valid(int slot) { return slot >= 1 && slot <= Slots; }
    // The slot on show (0 before the first).
    int shown() const { return m_shown; }
    void setShown(int slot) { m_shown = slot; }

    // Slot `slot`'s document; `fresh` says it was made just now, empty. The
    // first slot asked for takes the document the editor was made with.
    void* documentFor(int slot, bool& fresh);
    // Makes `document` (whose reference passes here) slot `slot`'s, with its
    // view at the start; returns the document it replaces (its reference
    // passes to the caller), or null.
    void* replace(int slot, void* document);
    void release(void* document);

    // Keeps where the view of the slot on show stands.
    void saveView();
    // Puts the view back where slot `slot`'s stood.
    void restoreView(int slot);

  private:
    struct View {
        void* document = nullptr;
        long anchor = 0;
        long caret = 0;
        long firstLine = 0;
        long xOffset = 0;
    };
    View& at(int slot) { return m_views[static_cast<std::size_t>(slot - 1)]; }

    QsciScintillaBase& m_editor;
    std::array<View, Slots> m_views;
    int m_shown = 0;
};

} // namespace markwright
