#pragma once

#include "editor/PaneIndicators.h"

#include <memory>
#include <utility>
#include <vector>

class QsciScintillaBase;

namespace markwright {

namespace html {
class HtmlModel;
}

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
    // The HTML model of the text as it is now, or null: with one, the tags
    // are the elements the browser builds (a '>' in a quoted value does not
    // end a tag); without, a scan of the text around the caret finds them.
    void setModel(std::shared_ptr<const html::HtmlModel> model);
    const std::shared_ptr<const html::HtmlModel>& model() const { return m_model; }

  private:
    void markTags();
    void markBrace();
    void clearTagMarks();
    void show(const std::vector<std::pair<long, long>>& marks);
    // The tag at the caret and its partner, from the model: false when the
    // caret is in no tag.
    bool tagsFromModel(long caret, std::vector<std::pair<long, long>>& marks) const;

    static constexpr int TagIndicator = indicators::TagPair;
    QsciScintillaBase& m_editor;
    std::vector<std::pair<long, long>> m_tagMarks; // start, length
    std::shared_ptr<const html::HtmlModel> m_model;
    std::pair<long, long> m_braces{-1, -1};
    // Where the marks were last looked at, and whether the text has changed
    // since.
    long m_markedCaret = -1;
    bool m_textMoved = true;
};

} // namespace markwright
