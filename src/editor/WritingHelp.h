#pragma once

#include "editor/Completion.h"

#include <QObject>
#include <functional>
#include <optional>

class QKeyEvent;

namespace markwright {

class SnippetSession;
class SourcePane;
struct UserSnippet;

// Helps while typing HTML in the source pane: a start tag's '>' puts its end
// tag after the caret, "</" is finished with the element still open, a list
// of element names, attributes, values, paths or character references opens
// where they are typed, and Tab expands an abbreviation ("ul>li*3") or one
// of the user's snippets. Each added text is an undo step of its own. The
// insertion commands of the menus are not touched: only typed keys are.
class WritingHelp : public QObject {
    Q_OBJECT

  public:
    // `folder` is where the page's relative paths lead (empty: nowhere).
    WritingHelp(SourcePane& pane, std::function<QString()> folder);
    ~WritingHelp() override;

    // The user's snippets, whose triggers Tab expands.
    void setSnippets(std::vector<UserSnippet> snippets);

    // Which helps are on (all of them unless told).
    struct Parts {
        bool closeTags = true; // end tags put in, "</" finished, pairs renamed
        bool completion = true;
        bool abbreviations = true;
        bool snippets = true;
    };
    void setParts(const Parts& parts) { m_parts = parts; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class List { None, Elements, Attributes, Values, Paths, Other };

    // The context at `caret`, read from the bytes before it: `text` holds
    // them from `base` on, and the context's positions are into `text`.
    struct Near {
        CaretContext context;
        QByteArrayView text;
        long base = 0;
    };
    Near contextAt(long caret, qint64 window = CaretContext::TagWindow) const;
    void charAdded(int ch);
    void completed(const char* selection);
    void closeStartTag(long caret);
    void finishEndTag(long caret);
    void offer(const Near& near, long caret);
    void show(const Completion& completion, long caret, List kind);
    // Tab: expands the snippet or abbreviation before the caret; false
    // when there is none.
    bool expand();
    // A key that edits the name of a tag whose partner tag is found: the
    // partner gets the same name, in the same undo step. False when the key
    // is not such an edit (it is then left to the pane).
    bool renamePair(QKeyEvent* key);
    struct Link;
    // The two names of the tag pair the caret is in a name of: from the
    // page's model while it is current, else from the tags around the caret.
    std::optional<Link> namePairAt(long caret, long from) const;
    // The key typed right after "</" was finished: a '>' is swallowed (it is
    // there), a letter takes the finished name away so the writer's own
    // goes in. True when the key is swallowed.
    bool overtypeFinished(const QKeyEvent* key);
    // Puts `text` at `at` as an undo step of its own; the caret goes to
    // `caret` (or stays, when negative).
    void insertStep(long at, const QByteArray& text, long caret = -1);

    SourcePane& m_pane;
    std::function<QString()> m_folder;
    std::vector<UserSnippet> m_snippets;
    std::unique_ptr<SnippetSession> m_session;
    List m_list = List::None;
    Parts m_parts;
    bool m_repeating = false; // the key typed is held down
    bool m_renaming = false;  // a key renaming a tag pair is being typed
    // The names of the tag pair renamed last, and the text's length then.
    struct Link {
        struct Range {
            qint64 start = 0;
            qint64 end = 0;
        };
        Range here;
        Range other;
        qint64 length = -1;
    };
    Link m_link;
    // The name "</" was finished with last: [start, end), and the text's
    // length then; length -1 for none.
    struct Finished {
        long start = 0;
        long end = 0;
        long length = -1;
    };
    Finished m_finished;
};

} // namespace markwright
