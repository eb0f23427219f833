#include "preview/PagePatch.h"

#include "core/TextEncoding.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <initializer_list>

namespace markwright {

namespace pagepatch {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
bool isLetter(char c) {
    return lower(c) >= 'a' && lower(c) <= 'z';
}
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool startsWithNoCase(QByteArrayView text, qsizetype at, QByteArrayView word) {
    if (at < 0 || at + word.size() > text.size()) {
        return false;
    }
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (lower(text[at + i]) != lower(word[i])) {
            return false;
        }
    }
    return true;
}
// Tag names are views into the page, compared without regard to case.
bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && startsWithNoCase(a, 0, b);
}
bool oneOf(QByteArrayView name, std::initializer_list<QByteArrayView> names) {
    for (const QByteArrayView candidate : names) {
        if (sameName(name, candidate)) {
            return true;
        }
    }
    return false;
}

// Elements that never have content or an end tag.
bool isVoid(QByteArrayView name) {
    return oneOf(name,
                 {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img",
                  "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}
// Elements whose content is text up to their own end tag.
bool isRawText(QByteArrayView name) {
    return oneOf(
        name, {"style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "noscript"});
}

struct Frame {
    QByteArrayView name;
    int index = 0;
    int children = 0;
    qsizetype start = 0; // the start tag's '<'
    qsizetype end = -1;  // just past the end tag's '>'
    bool foreign = false;
};

// One pass over a page: its elements, and which of them are open on both
// sides of the changed range [from, to). `ok` is false where the page does
// not nest strictly or may run a script.
class Scan {
  public:
    Scan(QByteArrayView text, qsizetype from, qsizetype to) : m_text(text), m_from(from), m_to(to) {
        ok = run();
    }

    bool ok = false;
    std::vector<Frame> frames;
    std::vector<int> around; // elements whose content holds the whole range, outermost first

  private:
    struct Token {
        qsizetype end = 0;
        enum class Kind { Skip, Start, End } kind = Kind::Skip;
        QByteArrayView name;
        bool selfClosing = false;
    };

    bool run() {
        qsizetype i = 0;
        const qsizetype n = m_text.size();
        while (i < n) {
            const qsizetype lt = m_text.indexOf('<', i);
            if (lt < 0) {
                note(i, n);
                break;
            }
            if (lt > i) {
                note(i, lt);
            }
            Token token;
            if (!read(lt, token)) {
                return false;
            }
            note(lt, token.end);
            if (!apply(lt, token)) {
                return false;
            }
            i = token.end;
        }
        note(n, n);
        // Only <html> and <body> may be left for the end of the page to close.
        for (const int open : m_stack) {
            if (!oneOf(frames[static_cast<std::size_t>(open)].name, {"html", "body"})) {
                return false;
            }
            frames[static_cast<std::size_t>(open)].end = n;
        }
        around.clear();
        for (std::size_t k = 0; k < m_atFrom.size() && k < m_atTo.size(); ++k) {
            if (m_atFrom[k] != m_atTo[k]) {
                break;
            }
            around.push_back(m_atFrom[k]);
        }
        return true;
    }

    // The open elements as the token or text [start, end) is reached: the
    // last ones before the range starts, and the first ones after it ends.
    void note(qsizetype start, qsizetype end) {
        if (!m_hasFrom && (end > m_from || start >= m_text.size())) {
            m_atFrom = m_stack;
            m_hasFrom = true;
        }
        if (!m_hasTo && start >= m_to) {
            m_atTo = m_stack;
            m_hasTo = true;
        }
    }

    bool read(qsizetype lt, Token& token) {
        const QByteArrayView t = m_text;
        if (startsWithNoCase(t, lt, "<!--")) {
            // "<!-->" and "<!--->" are whole comments to a browser; "--!>"
            // also ends one. Neither is worth modelling.
            if (startsWithNoCase(t, lt + 4, ">") || startsWithNoCase(t, lt + 4, "->")) {
                return false;
            }
            const qsizetype close = t.indexOf("-->", lt + 4);
            if (close < 0 || t.sliced(lt, close - lt).contains("--!>")) {
                return false;
            }
            token.end = close + 3;
            return true;
        }
        if (startsWithNoCase(t, lt, "<!") || startsWithNoCase(t, lt, "<?")) {
            const qsizetype close = t.indexOf('>', lt);
            token.end = close < 0 ? t.size() : close + 1;
            return close >= 0;
        }
        const bool closing = lt + 1 < t.size() && t[lt + 1] == '/';
        qsizetype i = lt + (closing ? 2 : 1);
        if (i >= t.size() || !isLetter(t[i])) {
            token.end = lt + 1; // a '<' that is text
            return true;
        }
        const qsizetype nameStart = i;
        while (i < t.size() && !isSpace(t[i]) && t[i] != '/' && t[i] != '>') {
            ++i;
        }
        token.name = t.sliced(nameStart, i - nameStart);
        token.kind = closing ? Token::Kind::End : Token::Kind::Start;
        return readAttributes(i, token);
    }

    bool readAttributes(qsizetype i, Token& token) {
        const QByteArrayView t = m_text;
        for (;;) {
            while (i < t.size() &&
                   (isSpace(t[i]) || (t[i] == '/' && i + 1 < t.size() && t[i + 1] != '>'))) {
                ++i;
            }
            if (i >= t.size()) {
                return false;
            }
            if (t[i] == '>') {
                token.end = i + 1;
                return true;
            }
            if (t[i] == '/') {
                if (i + 1 >= t.size()) {
                    return false; // "<br/" cut off at the end of the page
                }
                token.selfClosing = true;
                token.end = i + 2;
                return true;
            }
            const qsizetype nameStart = i++;
            while (i < t.size() && !isSpace(t[i]) && t[i] != '/' && t[i] != '>' && t[i] != '=') {
                ++i;
            }
            if (startsWithNoCase(t, nameStart, "on")) {
                return false; // an event handler: a script
            }
            while (i < t.size() && isSpace(t[i])) {
                ++i;
            }
            if (i < t.size() && t[i] == '=') {
                ++i;
                while (i < t.size() && isSpace(t[i])) {
                    ++i;
                }
                if (i < t.size() && (t[i] == '"' || t[i] == '\'')) {
                    const qsizetype close = t.indexOf(t[i], i + 1);
                    if (close < 0) {
                        return false;
                    }
                    i = close + 1;
                } else {
                    while (i < t.size() && !isSpace(t[i]) && t[i] != '>') {
                        ++i;
                    }
                }
            }
        }
    }

    Frame* top() {
        return m_stack.empty() ? nullptr : &frames[static_cast<std::size_t>(m_stack.back())];
    }

    void pop(qsizetype end) {
        top()->end = end;
        m_stack.pop_back();
    }

    // Counts a new child of the element on top, and returns its index.
    int addChild() {
        Frame* parent = top();
        return parent != nullptr ? parent->children++ : m_rootChildren++;
    }

    bool apply(qsizetype lt, Token& token) {
        if (token.kind == Token::Kind::Skip) {
            return true;
        }
        const QByteArrayView name = token.name;
        if (token.kind == Token::Kind::End) {
            if (sameName(name, "html") && top() != nullptr && sameName(top()->name, "body")) {
                pop(lt);
            }
            if (top() == nullptr || !sameName(top()->name, name)) {
                return false;
            }
            pop(token.end);
            return true;
        }
        if (oneOf(name, {"script", "plaintext"})) {
            return false;
        }
        if (sameName(name, "body") && top() != nullptr && sameName(top()->name, "head")) {
            pop(lt);
        }
        // A second <html> or <body> makes no element in a browser (its
        // attributes go to the one there is), and one left open would run
        // to the end of the page: only a full load shows such a page.
        if (sameName(name, "html") && !m_stack.empty()) {
            return false;
        }
        if (sameName(name, "body") && std::any_of(m_stack.begin(), m_stack.end(), [this](int open) {
                return sameName(frames[static_cast<std::size_t>(open)].name, "body");
            })) {
            return false;
        }
        const bool foreign = (top() != nullptr && top()->foreign) || oneOf(name, {"svg", "math"});
        if (isRawText(name) && !foreign) {
            // Its text runs to its own end tag; it has no element children.
            qsizetype close = token.end;
            for (;;) {
                close = m_text.indexOf("</", close);
                if (close < 0) {
                    return false;
                }
                const qsizetype after = close + 2 + name.size();
                if (startsWithNoCase(m_text, close + 2, name) && after < m_text.size() &&
                    (isSpace(m_text[after]) || m_text[after] == '/' || m_text[after] == '>')) {
                    break;
                }
                close += 2;
            }
            const qsizetype gt = m_text.indexOf('>', close);
            if (gt < 0) {
                return false;
            }
            token.end = gt + 1;
            addChild();
            return true;
        }
        if (isVoid(name) || (token.selfClosing && foreign)) {
            addChild();
            return true;
        }
        if (token.selfClosing) {
            return false; // "<div/>" opens a div in HTML
        }
        Frame frame;
        frame.name = name;
        frame.index = addChild();
        frame.start = lt;
        frame.foreign = foreign;
        frames.push_back(frame);
        m_stack.push_back(static_cast<int>(frames.size() - 1));
        return true;
    }

    QByteArrayView m_text;
    qsizetype m_from;
    qsizetype m_to;
    std::vector<int> m_stack;
    std::vector<int> m_atFrom;
    std::vector<int> m_atTo;
    bool m_hasFrom = false;
    bool m_hasTo = false;
    int m_rootChildren = 0;
};

// The elements from <body> (inclusive) down that hold the change; empty
// where the change is not inside <body>.
std::vector<const Frame*> bodyChain(const Scan& scan) {
    std::vector<const Frame*> chain;
    for (const int k : scan.around) {
        const Frame& frame = scan.frames[static_cast<std::size_t>(k)];
        if (chain.empty() && sameName(frame.name, "html")) {
            continue;
        }
        if (chain.empty() && !sameName(frame.name, "body")) {
            return {};
        }
        chain.push_back(&frame);
        // A browser gives tables elements of its own (tbody); the whole
        // table is replaced rather than a part of it.
        if (sameName(frame.name, "table")) {
            break;
        }
    }
    return chain;
}

} // namespace

std::optional<Change> change(QByteArrayView before, QByteArrayView after) {
    const qsizetype shorter = qMin(before.size(), after.size());
    // Whole blocks first: most of a large page is the same in both.
    constexpr qsizetype Block = 4096;
    qsizetype head = 0;
    while (head + Block <= shorter && before.sliced(head, Block) == after.sliced(head, Block)) {
        head += Block;
    }
    while (head < shorter && before[head] == after[head]) {
        ++head;
    }
    if (head == before.size() && head == after.size()) {
        return std::nullopt; // nothing changed
    }
    // Where an insertion or deletion could sit at more than one place (a
    // "<p>b</p>" added after "<p>a</p>" also matches from inside the "</p>"),
    // take the place at the start of a tag or text, so that the change does
    // not begin within a tag it leaves alone.
    head = before.first(head).lastIndexOf('>') + 1;
    qsizetype tail = 0;
    while (tail + Block <= shorter - head && before.sliced(before.size() - tail - Block, Block) ==
                                                 after.sliced(after.size() - tail - Block, Block)) {
        tail += Block;
    }
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    return Change{head, tail};
}

std::optional<Plan> plan(QByteArrayView before, QByteArrayView after) {
    const std::optional<Change> changed = change(before, after);
    if (!changed) {
        return std::nullopt;
    }
    const qsizetype head = changed->head;
    const qsizetype tail = changed->tail;
    const Scan old(before, head, before.size() - tail);
    if (!old.ok) {
        return std::nullopt;
    }
    const Scan now(after, head, after.size() - tail);
    if (!now.ok) {
        return std::nullopt;
    }
    const std::vector<const Frame*> oldChain = bodyChain(old);
    const std::vector<const Frame*> newChain = bodyChain(now);
    // Elements that hold the change in both versions are the same elements,
    // at the same places; the deepest of them is replaced.
    std::size_t depth = 0;
    while (depth < oldChain.size() && depth < newChain.size() &&
           sameName(oldChain[depth]->name, newChain[depth]->name) &&
           oldChain[depth]->index == newChain[depth]->index) {
        ++depth;
    }
    if (depth < 2) {
        return std::nullopt; // the change is in <body>'s own content
    }
    Plan result;
    result.bodyChildren = oldChain[0]->children;
    for (std::size_t k = 1; k < depth; ++k) {
        result.path.push_back(
            {oldChain[k]->index, oldChain[k]->name.toByteArray().toLower(), oldChain[k]->children});
    }
    result.start = newChain[depth - 1]->start;
    result.end = newChain[depth - 1]->end;
    return result;
}

QString script(const Plan& plan, QByteArrayView outer) {
    QJsonArray path;
    for (const Step& step : plan.path) {
        path.append(QJsonArray{step.index, QString::fromLatin1(step.name), step.children});
    }
    // The element as UTF-8, and as Windows-1252 where that reads otherwise
    // (null: the bytes are ASCII, which every encoding but UTF-16 reads alike).
    const bool ascii = std::all_of(outer.begin(), outer.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const QJsonValue legacy =
        ascii ? QJsonValue(QJsonValue::Null) : QJsonValue(decodeWindows1252(outer.toByteArray()));
    const QByteArray arguments =
        QJsonDocument(QJsonArray{plan.bodyChildren, path, QString::fromUtf8(outer), legacy})
            .toJson(QJsonDocument::Compact);
    return QStringLiteral(
               "(function(a) {"
               "  var bodyChildren = a[0], path = a[1], cs = document.characterSet;"
               "  var html = cs === 'UTF-8' ? a[2]"
               "      : cs === 'windows-1252' && a[3] !== null ? a[3]"
               "      : a[3] === null && !/^UTF-16/i.test(cs) ? a[2] : null;"
               "  var el = document.body;"
               "  if (html === null || !el || el.localName !== 'body' ||"
               "      el.childElementCount !== bodyChildren) return false;"
               "  for (var i = 0; i < path.length; ++i) {"
               "    var next = el.children[path[i][0]];"
               "    if (!next || next.localName.toLowerCase() !== path[i][1]) return false;"
               "    if (i + 1 < path.length && next.childElementCount !== path[i][2]) return false;"
               "    el = next;"
               "  }"
               "  var parent = el.parentElement, last = path[path.length - 1];"
               "  var count = parent.childElementCount;"
               "  el.outerHTML = html;"
               "  var now = parent.children[last[0]];"
               "  return parent.childElementCount === count && !!now &&"
               "         now.localName.toLowerCase() === last[1];"
               "})(") +
           QString::fromUtf8(arguments) + QStringLiteral(");");
}

} // namespace pagepatch

} // namespace markwright
