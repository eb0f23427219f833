#pragma once

#include "core/SourceText.h"
#include "editor/PairMarks.h"
#include "editor/SlotDocuments.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArrayView>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace markwright {

class DocumentLoader;

// The source pane: a plain-text editor over QScintilla that every command of
// the editor works through. Line ends are kept exactly as loaded or inserted
// (no conversion on load, insert or paste); Enter types the text's own line
// end (CR LF in a new text). HTML is coloured; the tag the caret is in and
// its partner are marked. Text may hold
// any character, NUL included. Positions are UTF-16 indices into text().
//
// `changed()` is emitted after every change of the text, whatever made it,
// once per operation of this class and once per user edit.
class SourcePane : public QsciScintilla, public SourceText {
    Q_OBJECT

  public:
    explicit SourcePane(QWidget* parent = nullptr);
    ~SourcePane() override;
    SourcePane(const SourcePane&) = delete;
    SourcePane& operator=(const SourcePane&) = delete;

    // Whole text (read and write). Writing puts the caret at the start and
    // clears the undo history.
    QString text() const override;
    void setText(const QString& text) override;

    // Selected text (read and write). Writing replaces the selection (or
    // inserts at the caret) and leaves the caret after the new text.
    QString selectedText() const;
    void replaceSelection(const QString& text);

    int selectionStart() const;
    int selectionLength() const;
    void setSelection(int start, int length);
    // The line-and-index forms of the editor stay available beside these.
    using QsciScintilla::setSelection;
    using QsciScintilla::text;
    // Selects the whole text (without copying it out to measure it).
    void selectAllText();

    // Selects the first match of `what` at or after `from` and returns its
    // index, or -1 (the selection is left as it was).
    int find(const QString& what, int from, Qt::CaseSensitivity cs);

    // Selects the first match of `what` lying wholly within [from, to) and
    // returns its index, or -1 (the selection is left as it was).
    int findInRange(const QString& what, int from, int to,
                    Qt::CaseSensitivity cs = Qt::CaseInsensitive);

    // Replaces every `what` (exact case) by `with`, left to right, as one
    // edit that Undo takes back in one step; the caret goes to the start.
    // Returns how many were replaced.
    int replaceAll(const QString& what, const QString& with);

    // Replaces the whole text as one edit that Undo takes back in one step;
    // the caret goes to the start.
    void replaceWholeText(const QString& text) override;

    // Shows slot `slot` (1 to Slots), whose text should be `text`. Each slot
    // has a document of its own: when it still holds `text`, it comes back
    // with its undo history, selection and scroll position as they were;
    // otherwise it is loaded with `text` afresh, as setText does. Either way
    // `changed()` and `textReplaced()` are emitted, as for a load.
    static constexpr int Slots = SlotDocuments::Slots;
    void showSlot(int slot, const QString& text) override;

    // Makes `utf8` slot `slot`'s text without the window waiting for it: a
    // new document is filled from the event loop (see DocumentLoader), then
    // taken in one step, shown at once when the slot is on show, with the
    // caret at the start and a fresh undo history; then `done` is called.
    void loadInBackground(int slot, QByteArray utf8, std::function<void()> done) override;

    void redoOnce();
    // What Enter types in the text shown: "\r\n", "\n" or "\r". Commands
    // that put line breaks in the text use it too, so they bring no other
    // kind into the page.
    QString enterText() const;
    // The pane's own fixed-pitch font, when the user has chosen none.
    static QFont defaultFont();
    // Tab width and whether indentation writes tabs, for every slot's text.
    void setIndentation(int tabWidth, bool useTabs);
    // Shows or hides the line numbers' margin.
    void setLineNumbersShown(bool shown);

    // Puts the caret at the start of line `line` (1 for the first) and
    // scrolls it into view.
    void goToLine(int line);

    // Handles `event` as a key typed into the pane (for a helper that
    // watches the keys and does more around one).
    void typeKey(QKeyEvent* event) { keyPressEvent(event); }

    // Pastes the clipboard's text as it is: line ends are not converted.
    void paste() override;

    void giveFocus();
    bool canUndo() const;
    void undoOnce();

    // The pane's raw UTF-8 bytes; valid until the next change.
    QByteArrayView bytes() const override;
    // Bytes [from, to) alone, valid until the next change or call: cheap
    // near the caret where the whole text would cost a pass over it.
    QByteArrayView bytes(long from, long to) const;

    // The HTML model of the text on show, kept only while the text is the
    // one it was made from: any change or another slot drops it.
    void setPageModel(std::shared_ptr<const html::HtmlModel> model);
    const std::shared_ptr<const html::HtmlModel>& pageModel() const { return m_marks.model(); }
    // The text changed and `changed()` is yet to say so.
    bool changePending() const { return m_batchChanged; }
    // The caret as a byte offset into bytes().
    long caretByte() const;
    // Selects bytes [start, end), the caret at the start, and scrolls them
    // into view.
    void selectBytes(long start, long end);

  signals:
    void changed();
    // The whole text was replaced (loaded, or replaced in one edit).
    void textReplaced();
    // The pane is about to show another slot's document: marks set in the
    // one it leaves are to be taken away now.
    void leavingDocument();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Runs `edit` as one operation: a single `changed()` however many
    // modifications it makes.
    template <typename Edit> void asOneChange(Edit edit);
    void onScintillaChanged();
    void flushChange();

    // Enter types the text's own line end: that of its first line, or CR LF
    // in a text with none yet.
    void followLineEnds();
    // Lines longer than this keep a steady caret.
    static constexpr long LongLineBytes = 256 * 1024;

    SlotDocuments m_documents;
    PairMarks m_marks; // holds the page's model while it is current
    void attachDocument(void* document);
    // Positions between Scintilla's bytes and QString's UTF-16 units, through
    // the document's index of line starts in UTF-16 units (kept by
    // keepUtf16Index); a UTF-16 place past the end is the end.
    qsizetype utf16At(long bytePos) const;
    long byteAt(qsizetype utf16Pos) const;
    void keepUtf16Index();
    // Makes `document` (whose reference passes here) slot `slot`'s text.
    void adoptDocument(int slot, void* document);
    DocumentLoader* m_loader = nullptr;

    int m_batchDepth = 0;
    bool m_steadyCaret = false;
    bool m_batchChanged = false;
    bool m_flushQueued = false;
    int m_tabWidth = 4;
    bool m_useTabs = true;
};

} // namespace markwright
