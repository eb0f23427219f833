// Abbreviations: parsed into a tree of terms (elements and groups, each with
// its repeat count), then made into elements with the repeats unrolled and
// "$" numbered, then written out: block elements on lines of their own,
// indented a level deeper than their parent; inline ones (a, span, img...)
// on their parent's line.
#include "editor/Abbreviation.h"

#include "html/HtmlTables.h"

#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <memory>
#include <vector>

namespace markwright::abbreviation {

namespace {

struct Term {
    bool group = false;
    QString name; // empty: implied by the parent (or a text-only term)
    QString id;
    QStringList classes;
    QList<std::pair<QString, QString>> attributes;
    QString text;
    bool hasText = false;
    int repeat = 1;
    std::vector<std::unique_ptr<Term>> children;
};

struct Element {
    QString name; // empty for text alone
    QList<std::pair<QString, QString>> attributes;
    QString text;
    std::vector<Element> children;
};

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == '-' || c == '_' || c == ':' || c == '$' || c == '@';
}

class Parser {
  public:
    explicit Parser(const QString& text) : m_text(text) {}

    std::unique_ptr<Term> parse() {
        auto root = sequence(false);
        return root && m_at == m_text.size() ? std::move(root) : nullptr;
    }

  private:
    QChar peek() const { return m_at < m_text.size() ? m_text[m_at] : QChar(); }

    std::unique_ptr<Term> sequence(bool inGroup) {
        auto root = std::make_unique<Term>();
        root->group = true;
        std::vector<Term*> parents{root.get()};
        while (true) {
            std::unique_ptr<Term> term = peek() == '(' ? group() : element();
            if (!term) {
                return nullptr;
            }
            Term* added = term.get();
            parents.back()->children.push_back(std::move(term));
            if (m_at == m_text.size() || (inGroup && peek() == ')')) {
                return root;
            }
            const QChar op = m_text[m_at++];
            if (op == '>') {
                // Into a group: into its last element.
                Term* into = added;
                while (into->group && !into->children.empty()) {
                    into = into->children.back().get();
                }
                parents.push_back(into);
            } else if (op == '^') {
                --m_at;
                while (peek() == '^') {
                    ++m_at;
                    if (parents.size() > 1) {
                        parents.pop_back();
                    }
                }
            } else if (op != '+') {
                return nullptr;
            }
        }
    }

    std::unique_ptr<Term> group() {
        ++m_at; // (
        auto inner = sequence(true);
        if (!inner || peek() != ')') {
            return nullptr;
        }
        ++m_at;
        if (!repeat(*inner)) {
            return nullptr;
        }
        return inner;
    }

    bool repeat(Term& term) {
        if (peek() != '*') {
            return true;
        }
        ++m_at;
        const int from = m_at;
        while (peek().isDigit()) {
            ++m_at;
        }
        term.repeat = m_text.mid(from, m_at - from).toInt();
        return term.repeat >= 1 && term.repeat <= 1000;
    }

    QString word(const QString& stops) {
        const int from = m_at;
        while (m_at < m_text.size() && !stops.contains(m_text[m_at]) && !m_text[m_at].isSpace()) {
            ++m_at;
        }
        return m_text.mid(from, m_at - from);
    }

    std::unique_ptr<Term> element() {
        auto term = std::make_unique<Term>();
        const int from = m_at;
        while (m_at < m_text.size() && isNameChar(m_text[m_at])) {
            ++m_at;
        }
        term->name = m_text.mid(from, m_at - from);
        bool any = !term->name.isEmpty();
        static const QString stops = QStringLiteral(".#[{*>+^()");
        while (true) {
            const QChar c = peek();
            if (c == '#') {
                ++m_at;
                term->id = word(stops);
            } else if (c == '.') {
                ++m_at;
                const QString name = word(stops);
                if (name.isEmpty()) {
                    return nullptr;
                }
                term->classes << name;
            } else if (c == '[') {
                ++m_at;
                if (!attributes(*term)) {
                    return nullptr;
                }
            } else if (c == '{') {
                const int close = m_text.indexOf('}', m_at);
                if (close < 0) {
                    return nullptr;
                }
                term->text = m_text.mid(m_at + 1, close - m_at - 1);
                term->hasText = true;
                m_at = close + 1;
            } else {
                break;
            }
            any = true;
        }
        if (!any || !repeat(*term)) {
            return nullptr;
        }
        return term;
    }

    bool attributes(Term& term) {
        while (true) {
            while (peek().isSpace()) {
                ++m_at;
            }
            if (peek() == ']') {
                ++m_at;
                return true;
            }
            const QString name = word(QStringLiteral("=]"));
            if (name.isEmpty()) {
                return false;
            }
            QString value;
            if (peek() == '=') {
                ++m_at;
                const QChar quote = peek();
                if (quote == '"' || quote == '\'') {
                    const int close = m_text.indexOf(quote, m_at + 1);
                    if (close < 0) {
                        return false;
                    }
                    value = m_text.mid(m_at + 1, close - m_at - 1);
                    m_at = close + 1;
                } else {
                    value = word(QStringLiteral("]"));
                }
            }
            term.attributes.append({name, value});
        }
    }

    const QString& m_text;
    int m_at = 0;
};

// The name an element left unnamed gets inside `parent`.
QString impliedName(const QString& parent) {
    static const QSet<QString> lists{"ul", "ol", "menu"};
    static const QSet<QString> tables{"table", "tbody", "thead", "tfoot"};
    static const QSet<QString> choices{"select", "optgroup", "datalist"};
    static const QSet<QString> inlines{"a",     "b",    "em",  "i",     "span",   "strong",
                                       "small", "code", "q",   "label", "button", "u",
                                       "s",     "sub",  "sup", "mark"};
    if (lists.contains(parent)) {
        return QStringLiteral("li");
    }
    if (tables.contains(parent)) {
        return QStringLiteral("tr");
    }
    if (parent == QLatin1String("tr")) {
        return QStringLiteral("td");
    }
    if (choices.contains(parent)) {
        return QStringLiteral("option");
    }
    if (inlines.contains(parent)) {
        return QStringLiteral("span");
    }
    return QStringLiteral("div");
}

// The attributes an element is written with when none are given.
QList<std::pair<QString, QString>> defaultAttributes(const QString& name) {
    static const QHash<QString, QStringList> defaults{{"a", {"href"}},
                                                      {"img", {"src", "alt"}},
                                                      {"link", {"rel=stylesheet", "href"}},
                                                      {"input", {"type=text"}},
                                                      {"form", {"action"}},
                                                      {"label", {"for"}},
                                                      {"iframe", {"src"}},
                                                      {"abbr", {"title"}},
                                                      {"area", {"shape", "coords", "href", "alt"}},
                                                      {"option", {"value"}},
                                                      {"script", {}},
                                                      {"source", {"src", "type"}},
                                                      {"object", {"data", "type"}},
                                                      {"video", {"src"}},
                                                      {"audio", {"src"}}};
    QList<std::pair<QString, QString>> out;
    for (const QString& written : defaults.value(name)) {
        const int equals = written.indexOf('=');
        out.append(equals < 0 ? std::pair<QString, QString>{written, QString()}
                              : std::pair<QString, QString>{written.left(equals),
                                                            written.mid(equals + 1)});
    }
    return out;
}

// Replaces "$" runs by `index` of `count` ("$$" pads to two digits, "$@3"
// counts from 3, "$@-" counts down).
QString numbered(QString text, int index, int count) {
    static const QRegularExpression run(QStringLiteral("(\\$+)(@(-)?(\\d*))?"));
    QString out;
    int last = 0;
    auto it = run.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int base = m.captured(4).isEmpty() ? 1 : m.captured(4).toInt();
        const int n = m.captured(3).isEmpty() ? base + index : base + count - 1 - index;
        out += text.mid(last, m.capturedStart() - last);
        out += QString::number(n).rightJustified(m.captured(1).size(), '0');
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

// Makes `term` (the `index`th of its repeats, of `count`) elements under a
// parent named `parent`, into `out`.
void unroll(const Term& term, const QString& parent, int index, int count,
            std::vector<Element>& out) {
    for (int r = 0; r < term.repeat; ++r) {
        const int i = term.repeat > 1 ? r : index;
        const int n = term.repeat > 1 ? term.repeat : count;
        if (term.group) {
            for (const auto& child : term.children) {
                unroll(*child, parent, i, n, out);
            }
            continue;
        }
        Element e;
        const bool textOnly = term.name.isEmpty() && term.hasText && term.id.isEmpty() &&
                              term.classes.isEmpty() && term.attributes.isEmpty();
        if (!textOnly) {
            e.name = term.name.isEmpty() ? impliedName(parent) : numbered(term.name, i, n);
            e.attributes = defaultAttributes(e.name.toLower());
            const auto set = [&](const QString& name, const QString& value) {
                for (auto& [have, was] : e.attributes) {
                    if (have == name) {
                        was = value;
                        return;
                    }
                }
                e.attributes.append({name, value});
            };
            if (!term.id.isEmpty()) {
                set(QStringLiteral("id"), numbered(term.id, i, n));
            }
            if (!term.classes.isEmpty()) {
                set(QStringLiteral("class"), numbered(term.classes.join(' '), i, n));
            }
            for (const auto& [name, value] : term.attributes) {
                set(name, numbered(value, i, n));
            }
        }
        e.text = numbered(term.text, i, n);
        for (const auto& child : term.children) {
            unroll(*child, e.name.isEmpty() ? parent : e.name.toLower(), i, n, e.children);
        }
        out.push_back(std::move(e));
    }
}

bool isInline(const Element& e) {
    static const QSet<QString> inlines{
        "a",        "abbr",  "acronym",  "b",       "bdi",    "bdo",   "big",   "br",     "button",
        "cite",     "code",  "data",     "del",     "dfn",    "em",    "font",  "i",      "img",
        "input",    "ins",   "kbd",      "label",   "map",    "mark",  "meter", "object", "output",
        "progress", "q",     "s",        "samp",    "select", "small", "span",  "strike", "strong",
        "sub",      "sup",   "textarea", "time",    "tt",     "u",     "var",   "wbr",    "area",
        "canvas",   "embed", "iframe",   "picture", "audio",  "video", "svg",   "math"};
    if (!e.name.isEmpty() && !inlines.contains(e.name.toLower())) {
        return false;
    }
    for (const Element& child : e.children) {
        if (!isInline(child)) {
            return false;
        }
    }
    return true;
}

class Writer {
  public:
    explicit Writer(const Style& style) : m_style(style) {}

    Expansion write(const std::vector<Element>& top) {
        const bool flat = std::all_of(top.begin(), top.end(), isInline);
        for (std::size_t i = 0; i < top.size(); ++i) {
            if (i > 0 && !flat) {
                newLine(0);
            }
            element(top[i], 0);
        }
        return {m_out, m_caret < 0 ? static_cast<int>(m_out.size()) : m_caret};
    }

  private:
    void newLine(int depth) {
        m_out += m_style.lineEnd + m_style.baseIndent + m_style.indent.repeated(depth);
    }
    void stop() {
        if (m_caret < 0) {
            m_caret = static_cast<int>(m_out.size());
        }
    }

    void element(const Element& e, int depth) {
        if (e.name.isEmpty()) {
            m_out += e.text;
            return;
        }
        m_out += '<' + e.name;
        for (const auto& [name, value] : e.attributes) {
            m_out += ' ' + name + QStringLiteral("=\"");
            if (value.isEmpty()) {
                stop();
            }
            m_out += value + '"';
        }
        m_out += '>';
        const html::HtmlTables::ElementInfo* info =
            html::HtmlTables::standard().element(e.name.toLower().toUtf8());
        if (info && info->isVoid) {
            return;
        }
        m_out += e.text;
        if (e.children.empty() && e.text.isEmpty()) {
            stop();
        }
        const bool flat = std::all_of(e.children.begin(), e.children.end(), isInline);
        for (const Element& child : e.children) {
            if (!flat) {
                newLine(depth + 1);
            }
            element(child, depth + 1);
        }
        if (!flat && !e.children.empty()) {
            newLine(depth);
        }
        m_out += QStringLiteral("</") + e.name + '>';
    }

    const Style& m_style;
    QString m_out;
    int m_caret = -1;
};

Expansion page(const Style& style) {
    const QString& end = style.lineEnd;
    const QString in = style.baseIndent + style.indent;
    const QString top =
        QStringLiteral("<!DOCTYPE html>") + end + style.baseIndent +
        QStringLiteral("<html lang=\"en\">") + end + style.baseIndent + QStringLiteral("<head>") +
        end + in + QStringLiteral("<meta charset=\"UTF-8\">") + end + in +
        QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, "
                       "initial-scale=1.0\">") +
        end + in + QStringLiteral("<title>Document</title>") + end + style.baseIndent +
        QStringLiteral("</head>") + end + style.baseIndent + QStringLiteral("<body>") + end + in;
    const QString bottom = end + style.baseIndent + QStringLiteral("</body>") + end +
                           style.baseIndent + QStringLiteral("</html>");
    return {top + bottom, static_cast<int>(top.size())};
}

} // namespace

int start(const QString& beforeCaret) {
    int i = static_cast<int>(beforeCaret.size());
    int brackets = 0; // inside [...] or {...}, read backwards
    QChar closer;
    while (i > 0) {
        const QChar c = beforeCaret[i - 1];
        if (brackets > 0) {
            if ((closer == ']' && c == '[') || (closer == '}' && c == '{')) {
                --brackets;
            }
            --i;
            continue;
        }
        if (c == ']' || c == '}') {
            closer = c;
            brackets = 1;
            --i;
            continue;
        }
        if (c.isSpace() || !(isNameChar(c) || QStringLiteral(".#*>+^()!").contains(c))) {
            break;
        }
        --i;
    }
    if (brackets > 0 || i == beforeCaret.size()) {
        return -1;
    }
    return i;
}

std::optional<Expansion> expand(const QString& abbreviation, const Style& style) {
    if (abbreviation == QLatin1String("!")) {
        return page(style);
    }
    // A bare word is an element only when HTML has one of that name.
    static const QRegularExpression bare(QStringLiteral("^[A-Za-z][A-Za-z0-9-]*$"));
    if (bare.match(abbreviation).hasMatch() &&
        !html::HtmlTables::standard().element(abbreviation.toLower().toUtf8())) {
        return std::nullopt;
    }
    if (abbreviation.contains('!')) {
        return std::nullopt;
    }
    const std::unique_ptr<Term> root = Parser(abbreviation).parse();
    if (!root) {
        return std::nullopt;
    }
    std::vector<Element> top;
    unroll(*root, style.parent.isEmpty() ? QStringLiteral("body") : style.parent.toLower(), 0, 1,
           top);
    return Writer(style).write(top);
}

} // namespace markwright::abbreviation
