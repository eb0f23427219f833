#pragma once

#include <utility>
#include <vector>

class QsciScintillaBase;

namespace markwright {

// Marks the tag the caret is in and the tag it pairs with (a box behind
// both), and the brace at the caret and its partner, in one editor. Marks
// are only set where they moved: marking a range again repaints its lines.
class PairMarks {
  public:
    explicit PairMarks(QsciScintillaBase& editor);

    // The text changed: the marks are looked at again at the next update.
    void textChanged() { m_textMoved = true; }
    // After Scintilla's update notice (SC_UPDATE_* flags).
    void update(int updated);
    // The editor is about to show another document: the marks of the one it
    // leaves are taken away there.
    void leaveDocument();

  private:
    void markTags();
    void markBrace();
    void clearTagMarks();

    static constexpr int TagIndicator = 8;
    QsciScintillaBase& m_editor;
    std::vector<std::pair<long, long>> m_tagMarks; // start, length
    std::pair<long, long> m_braces{-1, -1};
    // Where the marks were last looked at, and whether the text has changed
    // since.
    long m_markedCaret = -1;
    bool m_textMoved = true;
};

} // namespace markwright
