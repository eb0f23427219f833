#pragma once

#include "core/TextEncoding.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace markwright {

// The five document slots and the window-wide state that goes with them.
//
// One source pane serves all five slots. The slot whose text is in the pane
// does not copy it on every keystroke (that would cost time in proportion to
// the document): its stored text is marked as living in the pane, and text(n)
// reads it from there when someone needs it. Every other slot keeps its own
// copy.
class DocumentSlots {
  public:
    static constexpr int Count = 5;

    struct Slot {
        QString text;
        QString title;
        QString folder; // with its trailing separator; the preview file name is appended
        bool changed = false;
        // The encoding the slot's file is written in; new pages are UTF-8.
        TextEncoding encoding = TextEncoding::Utf8;
        // For TextEncoding::Declared, the charset's name; else empty.
        QString charset;
        // The slot's file is rich text shown as plain text: saving over it
        // would lose its formatting.
        bool richText = false;
        // Counts the changes of the slot's text in the pane, so what was made
        // from one text (its HTML model, its preview) can be told current.
        quint64 revision = 0;
    };

    // `paneText` reads the pane's whole text.
    explicit DocumentSlots(std::function<QString()> paneText);

    // Fills every slot with the page template, its initial title and folder.
    void reset(const QString& pageTemplate, const QString& folder);

    static bool valid(int n) { return n >= 1 && n <= Count; }
    // The slot number for a TabStrip1 key "Document 1".."Document 5" (exact,
    // case-sensitive), or 0.
    static int slotForKey(const QString& key);
    static QString keyFor(int n);
    static QString initialTitle(int n);
    // "~tmp1-Mkwr.html".."~tmp5-Mkwr.html"
    static QString previewFileName(int n);

    // The slot's text; for the slot in the pane, the pane's current text.
    QString text(int n) const;
    void setStoredText(int n, const QString& text);
    const QString& title(int n) const { return at(n).title; }
    void setTitle(int n, const QString& title) { at(n).title = title; }
    const QString& folder(int n) const { return at(n).folder; }
    void setFolder(int n, const QString& folder) { at(n).folder = folder; }
    bool changed(int n) const { return at(n).changed; }
    TextEncoding encoding(int n) const { return at(n).encoding; }
    const QString& charset(int n) const { return at(n).charset; }
    void setEncoding(int n, TextEncoding encoding, const QString& charset = QString()) {
        at(n).encoding = encoding;
        at(n).charset = encoding == TextEncoding::Declared ? charset : QString();
    }
    void setChanged(int n, bool changed) { at(n).changed = changed; }
    bool richText(int n) const { return at(n).richText; }
    void setRichText(int n, bool richText) { at(n).richText = richText; }
    QString previewPath(int n) const { return folder(n) + previewFileName(n); }
    quint64 revision(int n) const { return at(n).revision; }

    // A slot that holds no file and nothing typed.
    bool untouched(int n) const { return title(n) == initialTitle(n) && !changed(n); }
    // The slots `count` files arriving from outside go into, in order: the
    // untouched ones from slot `current` on (then from slot 1), so no page
    // is pushed out; when every slot holds a page, the first goes into the
    // current slot, as Open does, and no other is opened.
    std::vector<int> slotsForArrivals(int current, int count) const;

    // The slot whose text the pane holds (0 before the first load).
    int paneSlot() const { return m_paneSlot; }
    // The pane is about to be loaded with slot n's text: the slot that was in
    // the pane keeps a copy of its text first.
    void handOverPane(int n);

    // Constant work per call: the pane changed while slot n is selected.
    void recordEdit(int n, double now);

    const QString& pageTemplate() const { return m_pageTemplate; }
    double lastEditTime() const { return m_lastEditTime; }
    bool previewStale() const { return m_previewStale; }
    void setPreviewStale(bool stale) { m_previewStale = stale; }

  private:
    Slot& at(int n) { return m_slots[static_cast<std::size_t>(n - 1)]; }
    const Slot& at(int n) const { return m_slots[static_cast<std::size_t>(n - 1)]; }

    std::function<QString()> m_paneText;
    std::array<Slot, Count> m_slots;
    int m_paneSlot = 0;
    QString m_pageTemplate;
    double m_lastEditTime = 0;
    bool m_previewStale = false;
};

} // namespace markwright
