#include "editor/WritingHelp.h"

#include "core/BusyGate.h"
#include "editor/Abbreviation.h"
#include "editor/SnippetSession.h"
#include "editor/SourcePane.h"
#include "editor/TagMatch.h"
#include "editor/UserSnippets.h"
#include "html/HtmlModel.h"
#include "html/HtmlTables.h"

#include <QKeyEvent>

namespace markwright {

namespace {
using Sci = QsciScintillaBase;

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}
} // namespace

WritingHelp::Near WritingHelp::contextAt(long caret, qint64 window) const {
    long base = std::max(0L, caret - static_cast<long>(window));
    QByteArrayView text = m_pane.bytes(base, caret);
    if (base > 0) {
        // Start on a line of its own: most likely between tags.
        const qsizetype newline = text.indexOf('\n');
        const qsizetype cut = newline < 0 ? text.size() : newline + 1;
        text = text.sliced(cut);
        base += static_cast<long>(cut);
    }
    return {CaretContext::at(text, caret - base, window), text, base};
}

WritingHelp::WritingHelp(SourcePane& pane, std::function<QString()> folder)
    : QObject(&pane), m_pane(pane), m_folder(std::move(folder)) {
    m_pane.installEventFilter(this);
    // The lists: one entry a line (names of files may hold blanks), found
    // in any case, gone when nothing in them matches what is typed.
    m_pane.SendScintilla(Sci::SCI_AUTOCSETSEPARATOR, static_cast<unsigned long>('\n'));
    m_pane.SendScintilla(Sci::SCI_AUTOCSETIGNORECASE, 1UL);
    m_pane.SendScintilla(Sci::SCI_AUTOCSETAUTOHIDE, 1UL);
    m_pane.SendScintilla(Sci::SCI_AUTOCSETCHOOSESINGLE, 0UL);
    m_pane.SendScintilla(Sci::SCI_AUTOCSETMAXHEIGHT, 12UL);
    connect(&m_pane, &Sci::SCN_CHARADDED, this, &WritingHelp::charAdded);
    connect(&m_pane, &Sci::SCN_AUTOCCOMPLETED, this,
            [this](const char* selection, int, int, int) { completed(selection); });
    connect(&m_pane, &Sci::SCN_AUTOCCANCELLED, this, [this] { m_list = List::None; });
}

WritingHelp::~WritingHelp() = default;

void WritingHelp::setSnippets(std::vector<UserSnippet> snippets) {
    m_snippets = std::move(snippets);
}

bool WritingHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_pane && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        m_repeating = key->isAutoRepeat();
        const bool listShown = m_pane.SendScintilla(Sci::SCI_AUTOCACTIVE) != 0;
        const bool session = m_session != nullptr && m_session->active();
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && !listShown) {
            if (session) {
                m_session->next();
                return true;
            }
            return (m_parts.abbreviations || m_parts.snippets) && expand();
        }
        if (key->key() == Qt::Key_Backtab && session && !listShown) {
            m_session->previous();
            return true;
        }
        if (key->key() == Qt::Key_Escape && session && !listShown) {
            m_session->end();
        }
        if (m_parts.closeTags && !listShown && overtypeFinished(key)) {
            return true;
        }
        if (m_parts.closeTags && !listShown && renamePair(const_cast<QKeyEvent*>(key))) {
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WritingHelp::charAdded(int ch) {
    if (BusyGate::held()) {
        return;
    }
    const long caret = m_pane.caretByte();
    const char before =
        caret >= 2 ? static_cast<char>(m_pane.SendScintilla(Sci::SCI_GETCHARAT, caret - 2)) : '\0';
    if (ch == '>' && m_parts.closeTags) {
        closeStartTag(caret);
        return;
    }
    if (ch == '/' && before == '<' && m_parts.closeTags) {
        finishEndTag(caret);
        return;
    }
    if (!m_parts.completion) {
        return;
    }
    if (ch == '/' && m_list == List::Paths && m_pane.SendScintilla(Sci::SCI_AUTOCACTIVE) != 0) {
        m_pane.SendScintilla(Sci::SCI_AUTOCCANCEL); // a folder typed out: on into it
    }
    if (m_repeating || m_renaming || m_pane.SendScintilla(Sci::SCI_AUTOCACTIVE) != 0) {
        return; // a held key opens nothing; an open list follows the typing
    }
    // A list opens where a word begins: after '<', '&', a blank in a tag,
    // a value's quote or '=', or a '/' in a path.
    const bool wordStart = isNameChar(static_cast<char>(ch)) && !isNameChar(before);
    if (wordStart || ch == '&' || ch == '"' || ch == '\'' || ch == '=' || ch == '/') {
        offer(contextAt(caret), caret);
    }
}

void WritingHelp::closeStartTag(long caret) {
    const Near near = contextAt(caret);
    const CaretContext& context = near.context;
    if (!context.afterStartTag || context.selfClosing || context.element.isEmpty()) {
        return;
    }
    const html::HtmlTables::ElementInfo* info =
        html::HtmlTables::standard().element(context.element);
    if (info && info->isVoid) {
        return;
    }
    // The name as written ("<DIV>" closes with "</DIV>").
    const QByteArray name =
        near.text.sliced(context.tagStart + 1, context.element.size()).toByteArray();
    // Not when the same end tag follows already.
    const QByteArray end = "</" + name;
    QByteArrayView following = m_pane.bytes(caret, caret + 256);
    while (!following.isEmpty() && (following[0] == ' ' || following[0] == '\t')) {
        following = following.sliced(1);
    }
    if (following.first(std::min(end.size(), following.size())).compare(end, Qt::CaseInsensitive) ==
        0) {
        return;
    }
    insertStep(caret, end + '>');
}

void WritingHelp::finishEndTag(long caret) {
    const CaretContext context = contextAt(caret - 2, CaretContext::OpenWindow).context;
    if (context.kind != CaretContext::Kind::Text || context.open.isEmpty()) {
        return;
    }
    const QByteArray name = context.open.back() + '>';
    m_pane.SendScintilla(Sci::SCI_AUTOCCANCEL);
    // Its end tag is there already (put in when the start tag was typed):
    // "</" steps over it instead of writing a second.
    QByteArrayView following = m_pane.bytes(caret, caret + 256);
    qsizetype skip = 0;
    while (skip < following.size() && (following[skip] == ' ' || following[skip] == '\t')) {
        ++skip;
    }
    const QByteArray existing = "</" + name;
    if (following.sliced(skip).startsWith(existing)) {
        m_pane.SendScintilla(Sci::SCI_BEGINUNDOACTION);
        m_pane.SendScintilla(Sci::SCI_DELETERANGE, static_cast<unsigned long>(caret - 2), 2L);
        m_pane.SendScintilla(Sci::SCI_ENDUNDOACTION);
        const long end = caret - 2 + static_cast<long>(skip + existing.size());
        m_pane.SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(end));
        // Typing the end tag on writes it over itself.
        m_finished = {end - static_cast<long>(name.size()), end,
                      m_pane.SendScintilla(Sci::SCI_GETLENGTH)};
        return;
    }
    insertStep(caret, name, caret + static_cast<long>(name.size()));
    m_finished = {caret, caret + static_cast<long>(name.size()),
                  m_pane.SendScintilla(Sci::SCI_GETLENGTH)};
}

void WritingHelp::offer(const Near& near, long caret) {
    // The text the context was read from holds the word being completed.
    const CaretContext& context = near.context;
    Completion completion =
        Completion::at(context, near.text, caret - near.base, m_folder ? m_folder() : QString());
    completion.start += near.base;
    List kind = List::Other;
    switch (context.kind) {
    case CaretContext::Kind::TagName:
        kind = List::Elements;
        break;
    case CaretContext::Kind::AttributeName:
        kind = List::Attributes;
        break;
    case CaretContext::Kind::AttributeValue:
        kind = completion.sorted ? List::Values : List::Paths;
        break;
    default:
        break;
    }
    show(completion, caret, kind);
}

void WritingHelp::show(const Completion& completion, long caret, List kind) {
    if (completion.items.isEmpty() || completion.start < 0 || completion.start > caret) {
        return;
    }
    m_list = kind;
    m_pane.SendScintilla(Sci::SCI_AUTOCSETORDER,
                         static_cast<unsigned long>(completion.sorted ? Sci::SC_ORDER_PRESORTED
                                                                      : Sci::SC_ORDER_CUSTOM));
    const QByteArray items = completion.items.join('\n').toUtf8();
    m_pane.SendScintilla(Sci::SCI_AUTOCSHOW, static_cast<unsigned long>(caret - completion.start),
                         items.constData());
}

void WritingHelp::completed(const char* selection) {
    const List kind = m_list;
    m_list = List::None;
    const QByteArray chosen(selection);
    const long caret = m_pane.caretByte();
    if (kind == List::Attributes) {
        // An attribute comes with its value's quotes, the caret between.
        insertStep(caret, "=\"\"", caret + 2);
        offer(contextAt(caret + 2), caret + 2);
    } else if (kind == List::Paths && chosen.endsWith('/')) {
        offer(contextAt(caret), caret); // on into the folder
    }
}

bool WritingHelp::expand() {
    if (BusyGate::held() || m_pane.selectionLength() > 0) {
        return false;
    }
    const long caret = m_pane.caretByte();
    const Near near = contextAt(caret, CaretContext::OpenWindow);
    const CaretContext& context = near.context;
    if (context.kind != CaretContext::Kind::Text) {
        return false;
    }
    const long textStart = near.base + static_cast<long>(context.textStart);
    const long line = m_pane.SendScintilla(Sci::SCI_LINEFROMPOSITION, caret);
    const long lineStart = m_pane.SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
    const QString before = QString::fromUtf8(m_pane.bytes(lineStart, caret));
    // The text between tags up to the caret, on this line.
    const qsizetype textAt =
        textStart > lineStart ? QString::fromUtf8(m_pane.bytes(lineStart, textStart)).size() : 0;
    qsizetype indentEnd = 0;
    while (indentEnd < before.size() && (before[indentEnd] == ' ' || before[indentEnd] == '\t')) {
        ++indentEnd;
    }
    const QString indent = before.left(indentEnd);
    const QString lineEnd = m_pane.enterText();

    // A snippet's trigger word first.
    qsizetype wordAt = before.size();
    while (wordAt > 0 && (before[wordAt - 1].isLetterOrNumber() || before[wordAt - 1] == '-' ||
                          before[wordAt - 1] == '_')) {
        --wordAt;
    }
    const QString word = before.mid(wordAt);
    for (const UserSnippet& snippet : m_snippets) {
        if (m_parts.snippets && !word.isEmpty() && snippet.trigger == word) {
            const SnippetText resolved = snippets::resolve(snippet.body, indent, lineEnd);
            const long at = caret - static_cast<long>(word.toUtf8().size());
            m_pane.SendScintilla(Sci::SCI_BEGINUNDOACTION);
            m_pane.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(at), caret);
            const QByteArray bytes = resolved.text.toUtf8();
            m_pane.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()),
                                 bytes.constData());
            m_pane.SendScintilla(Sci::SCI_ENDUNDOACTION);
            m_session = std::make_unique<SnippetSession>(m_pane, at, resolved);
            return true;
        }
    }

    const int found = m_parts.abbreviations ? abbreviation::start(before.mid(textAt)) : -1;
    const int start = found < 0 ? -1 : static_cast<int>(textAt) + found;
    if (start < 0 || start < indentEnd) {
        return false;
    }
    abbreviation::Style style;
    style.lineEnd = lineEnd;
    style.baseIndent = indent;
    style.parent = context.open.isEmpty() ? QString() : QString::fromUtf8(context.open.back());
    const std::optional<abbreviation::Expansion> expansion =
        abbreviation::expand(before.mid(start), style);
    if (!expansion) {
        return false;
    }
    const long at = lineStart + static_cast<long>(before.left(start).toUtf8().size());
    const QByteArray bytes = expansion->text.toUtf8();
    m_pane.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    m_pane.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(at), caret);
    m_pane.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()),
                         bytes.constData());
    m_pane.SendScintilla(Sci::SCI_ENDUNDOACTION);
    m_pane.SendScintilla(
        Sci::SCI_GOTOPOS,
        static_cast<unsigned long>(at + expansion->text.left(expansion->caret).toUtf8().size()));
    return true;
}

bool WritingHelp::overtypeFinished(const QKeyEvent* key) {
    const Finished finished = m_finished;
    m_finished = {};
    const QString typed = key->text();
    if (finished.length < 0 || typed.size() != 1 || m_pane.caretByte() != finished.end ||
        m_pane.SendScintilla(Sci::SCI_GETLENGTH) != finished.length ||
        m_pane.selectionLength() > 0) {
        return false;
    }
    // Right after "</" was finished: a '>' is there already, and a name
    // typed means the writer names the end tag: the name put in goes.
    if (typed == QLatin1String(">")) {
        return true;
    }
    if (typed[0].unicode() < 128 && isNameChar(static_cast<char>(typed[0].unicode()))) {
        m_pane.SendScintilla(Sci::SCI_DELETERANGE, static_cast<unsigned long>(finished.start),
                             finished.end - finished.start);
    }
    return false;
}

std::optional<WritingHelp::Link> WritingHelp::namePairAt(long caret, long from) const {
    const long length = m_pane.SendScintilla(Sci::SCI_GETLENGTH);
    // A name's place: after "<" or "</", up to the first character that is
    // no part of a name.
    const auto nameOf = [&](qint64 tagStart, qint64 tagEnd) {
        const QByteArrayView tag = m_pane.bytes(tagStart, tagEnd);
        qint64 start = tag.size() > 1 && tag[1] == '/' ? 2 : 1;
        qint64 end = start;
        while (end < tag.size() && isNameChar(tag[end])) {
            ++end;
        }
        return Link::Range{tagStart + start, tagStart + end};
    };
    // The page's model, where it is of the text as it is: the tags a
    // browser pairs.
    if (const std::shared_ptr<const html::HtmlModel>& model = m_pane.pageModel()) {
        bool endTag = false;
        const int element = model->tagAt(caret, &endTag);
        if (element < 0) {
            return std::nullopt;
        }
        const html::Range start = model->at(element).startTag;
        const html::Range end = model->at(element).endTag;
        if (!start.valid() || !end.valid()) {
            return std::nullopt;
        }
        const Link::Range open = nameOf(start.start, start.end);
        const Link::Range close = nameOf(end.start, end.end);
        return endTag ? Link{close, open, length} : Link{open, close, length};
    }
    // While the model is out of date (any edit makes it so): a name emptied
    // a moment ago is no tag any more, but still one of a pair.
    if (m_link.length == length && caret >= m_link.here.start && caret <= m_link.here.end) {
        return m_link;
    }
    // Else the tags around the caret. Most keys are typed nowhere near a
    // tag's name: the few bytes before the caret tell.
    long back = from;
    while (back > 0 && from - back < 64 &&
           isNameChar(static_cast<char>(m_pane.SendScintilla(Sci::SCI_GETCHARAT, back - 1)))) {
        --back;
    }
    const char opener =
        back > 0 ? static_cast<char>(m_pane.SendScintilla(Sci::SCI_GETCHARAT, back - 1)) : '\0';
    if (opener != '<' && opener != '/') {
        return std::nullopt;
    }
    constexpr long Reach = 64 * 1024;
    const long base = std::max(0L, caret - Reach);
    const std::optional<tagmatch::Pair> pair =
        tagmatch::find(m_pane.bytes(base, caret + Reach), caret - base);
    if (!pair) {
        return std::nullopt;
    }
    const Link::Range here = nameOf(pair->here.start + base, pair->here.end + base);
    const Link::Range other = nameOf(pair->match.start + base, pair->match.end + base);
    return Link{here, other, length};
}

bool WritingHelp::renamePair(QKeyEvent* key) {
    const QString typed = key->text();
    const bool erase = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    const bool nameChar = typed.size() == 1 && typed[0].unicode() < 128 &&
                          isNameChar(static_cast<char>(typed[0].unicode()));
    if ((!erase && !nameChar) || (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        return false;
    }
    const long caret = m_pane.caretByte();
    const long from = std::min<long>(caret, m_pane.SendScintilla(Sci::SCI_GETSELECTIONSTART));
    const long to = std::max<long>(caret, m_pane.SendScintilla(Sci::SCI_GETSELECTIONEND));
    const std::optional<Link> link = namePairAt(caret, from);
    if (!link) {
        return false;
    }
    const auto [start, end] = link->here;
    const auto [otherStart, otherEnd] = link->other;
    // The edit stays inside the name: what it deletes and where it types.
    const long first = key->key() == Qt::Key_Backspace && from == to ? from - 1 : from;
    const long last = key->key() == Qt::Key_Delete && from == to ? to + 1 : to;
    if (first < start || last > end || (erase && first == last) ||
        m_pane.bytes(start, end)
                .toByteArray()
                .compare(m_pane.bytes(otherStart, otherEnd), Qt::CaseInsensitive) != 0) {
        return false;
    }
    m_pane.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    m_renaming = true; // no list opens on a name being changed
    m_pane.typeKey(key);
    m_renaming = false;
    const QByteArrayView now = m_pane.bytes(start, start + 256);
    qsizetype nameLength = 0;
    while (nameLength < now.size() && isNameChar(now[nameLength])) {
        ++nameLength;
    }
    const QByteArray name = now.first(nameLength).toByteArray();
    const qint64 newEnd = start + nameLength;
    // The partner's place moved by the edit when it comes after it.
    const qint64 shift = otherStart > start ? (newEnd - start) - (end - start) : 0;
    m_pane.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(otherStart + shift),
                         otherEnd + shift);
    m_pane.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(name.size()),
                         name.constData());
    m_pane.SendScintilla(Sci::SCI_ENDUNDOACTION);
    // Where the pair stands now, for the next key.
    const qint64 grown = newEnd - end;
    const qint64 otherAt = otherStart + shift;
    m_link.here = {otherStart < start ? start + grown : start, 0};
    m_link.here.end = m_link.here.start + name.size();
    m_link.other = {otherAt, otherAt + name.size()};
    m_link.length = m_pane.SendScintilla(Sci::SCI_GETLENGTH);
    return true;
}

void WritingHelp::insertStep(long at, const QByteArray& text, long caret) {
    m_pane.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    m_pane.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(at), text.constData());
    m_pane.SendScintilla(Sci::SCI_ENDUNDOACTION);
    if (caret >= 0) {
        m_pane.SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(caret));
    }
}

} // namespace markwright
