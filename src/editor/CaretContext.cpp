// The caret's context by a light reading of the text before it, the way an
// HTML tokenizer moves through its states (data, tag name, attribute name,
// value, comment, text-only content), with a stack of the elements left
// open. It needs no parse of the page: it is read on every key.
#include "editor/CaretContext.h"

#include "html/Characters.h"
#include "html/HtmlTables.h"

#include <QSet>
#include <cstring>

namespace markwright {

namespace {

using html::isAlnum;
using html::isAlpha;
using html::isSpace;
using html::lower;

// Start tags before which an open <p> is closed.
bool closesParagraph(const QByteArray& name) {
    static const QSet<QByteArray> names{
        "address", "article", "aside", "blockquote", "details",    "dialog", "div",
        "dl",      "dd",      "dt",    "fieldset",   "figcaption", "figure", "footer",
        "form",    "h1",      "h2",    "h3",         "h4",         "h5",     "h6",
        "header",  "hgroup",  "hr",    "li",         "main",       "menu",   "nav",
        "ol",      "p",       "pre",   "search",     "section",    "table",  "ul"};
    return names.contains(name);
}

class Reader {
  public:
    Reader(QByteArrayView text, qint64 caret, qint64 window)
        : m_text(text), m_caret(caret), m_window(window) {}

    CaretContext read() {
        qint64 i = std::max<qint64>(0, m_caret - m_window);
        if (i > 0) {
            // Start on a line of its own: most likely between tags.
            const void* newline =
                std::memchr(m_text.data() + i, '\n', static_cast<std::size_t>(m_caret - i));
            i = newline ? static_cast<const char*>(newline) - m_text.data() + 1 : m_caret;
        }
        m_textStart = i;
        for (; i < m_caret; ++i) {
            step(i);
        }
        return finish();
    }

  private:
    enum class State {
        Data,
        TagName,
        EndTagName,
        BeforeAttribute,
        AttributeName,
        AfterAttributeName,
        BeforeValue,
        Value,
        Comment,
        Bogus,
        Raw,
    };

    // Only the text before the caret is read: what follows it is not yet
    // part of what is being written.
    char at(qint64 i) const { return i < m_caret ? m_text[i] : '\0'; }

    void step(qint64& i) {
        const char c = m_text[i];
        switch (m_state) {
        case State::Data:
            m_afterStartTag = false;
            if (c == '<') {
                const char next = at(i + 1);
                if (next == '!' && at(i + 2) == '-' && at(i + 3) == '-') {
                    m_state = State::Comment;
                    i += 3;
                } else if (next == '!' || next == '?') {
                    m_state = State::Bogus;
                } else if (next == '/' && isAlpha(at(i + 2))) {
                    beginTag(i, true);
                    ++i;
                } else if (isAlpha(next)) {
                    beginTag(i, false);
                }
            }
            break;
        case State::TagName:
        case State::EndTagName:
            if (isSpace(c) || c == '/' || c == '>') {
                m_state = m_state == State::TagName ? State::BeforeAttribute : State::EndTagName;
                if (c == '>') {
                    endTag(i);
                } else if (m_end) {
                    m_nameDone = true;
                }
                if (c == '/') {
                    m_slash = true;
                }
            } else if (!m_nameDone) {
                m_element += lower(c);
            }
            break;
        case State::BeforeAttribute:
            if (c == '>') {
                endTag(i);
            } else if (c == '/') {
                m_slash = true;
            } else if (!isSpace(c)) {
                m_slash = false;
                m_attribute = QByteArray(1, lower(c));
                m_wordStart = i;
                m_state = State::AttributeName;
            }
            break;
        case State::AttributeName:
            if (isSpace(c) || c == '/' || c == '=' || c == '>') {
                m_present.append(m_attribute);
                m_state = c == '=' ? State::BeforeValue : State::AfterAttributeName;
                if (c == '>') {
                    endTag(i);
                } else if (c == '/') {
                    m_state = State::BeforeAttribute;
                    m_slash = true;
                }
            } else {
                m_attribute += lower(c);
            }
            break;
        case State::AfterAttributeName:
            if (c == '=') {
                m_state = State::BeforeValue;
            } else if (c == '>') {
                endTag(i);
            } else if (c == '/') {
                m_state = State::BeforeAttribute;
                m_slash = true;
            } else if (!isSpace(c)) {
                m_attribute = QByteArray(1, lower(c));
                m_wordStart = i;
                m_state = State::AttributeName;
            }
            break;
        case State::BeforeValue:
            if (c == '"' || c == '\'') {
                m_quote = c;
                m_valueStart = i + 1;
                m_state = State::Value;
            } else if (c == '>') {
                endTag(i);
            } else if (!isSpace(c)) {
                m_quote = 0;
                m_valueStart = i;
                m_state = State::Value;
            }
            break;
        case State::Value:
            if (m_quote ? c == m_quote : isSpace(c)) {
                m_state = State::BeforeAttribute;
            } else if (!m_quote && c == '>') {
                endTag(i);
            }
            break;
        case State::Comment:
            if (c == '>' && i >= 2 && m_text[i - 1] == '-' && m_text[i - 2] == '-') {
                m_state = State::Data;
                m_textStart = i + 1;
            }
            break;
        case State::Bogus:
            if (c == '>') {
                m_state = State::Data;
                m_textStart = i + 1;
            }
            break;
        case State::Raw:
            // Text until "</name" and a character that ends a tag name.
            if (c == '<' && at(i + 1) == '/' && m_caret >= i + 2 + m_raw.size() + 1 &&
                m_text.sliced(i + 2, m_raw.size()).compare(m_raw, Qt::CaseInsensitive) == 0) {
                const char after = at(i + 2 + m_raw.size());
                if (isSpace(after) || after == '/' || after == '>') {
                    beginTag(i, true);
                    m_element = m_raw;
                    m_nameDone = true;
                    i += 1 + m_raw.size();
                }
            }
            break;
        }
    }

    void beginTag(qint64 i, bool end) {
        m_state = end ? State::EndTagName : State::TagName;
        m_tagStart = i;
        m_end = end;
        m_nameDone = false;
        m_slash = false;
        m_element.clear();
        m_attribute.clear();
        m_present.clear();
        m_wordStart = i + (end ? 2 : 1);
    }

    // The '>' at `i` ends the tag being read.
    void endTag(qint64 i) {
        m_state = State::Data;
        m_textStart = i + 1;
        const html::HtmlTables::ElementInfo* info = html::HtmlTables::standard().element(m_element);
        if (m_end) {
            const qsizetype found = m_open.lastIndexOf(m_element);
            if (found >= 0) {
                m_open.resize(found);
            }
            return;
        }
        m_afterStartTag = i + 1 == m_caret;
        m_selfClosing = m_slash;
        implyEndTags(m_element);
        const bool foreign = m_open.contains("svg") || m_open.contains("math");
        if ((info && info->isVoid) ||
            (m_slash && (foreign || m_element == "svg" || m_element == "math"))) {
            return;
        }
        m_open.append(m_element);
        if (info && info->raw) {
            m_state = State::Raw;
            m_raw = m_element;
        }
    }

    // The end tags a start tag of `name` implies (</p> before <div>, </li>
    // before <li>...).
    void implyEndTags(const QByteArray& name) {
        const auto closeUpTo = [&](std::initializer_list<const char*> names,
                                   std::initializer_list<const char*> stops) {
            for (qsizetype k = m_open.size(); k-- > 0;) {
                for (const char* stop : stops) {
                    if (m_open[k] == stop) {
                        return;
                    }
                }
                for (const char* n : names) {
                    if (m_open[k] == n) {
                        m_open.resize(k);
                        return;
                    }
                }
            }
        };
        if (name == "li") {
            closeUpTo({"li"}, {"ul", "ol", "menu", "div", "table"});
        } else if (name == "dt" || name == "dd") {
            closeUpTo({"dt", "dd"}, {"dl", "div", "table"});
        } else if (name == "tr") {
            closeUpTo({"tr"}, {"table", "thead", "tbody", "tfoot"});
        } else if (name == "td" || name == "th") {
            closeUpTo({"td", "th"}, {"tr", "table"});
        } else if (name == "option" || name == "optgroup") {
            closeUpTo({"option"}, {"select", "datalist", "optgroup"});
        } else if (name == "tbody" || name == "thead" || name == "tfoot") {
            closeUpTo({"tbody", "thead", "tfoot"}, {"table"});
        }
        if (closesParagraph(name) && !m_open.isEmpty() && m_open.back() == "p") {
            m_open.removeLast();
        }
    }

    CaretContext finish() const {
        CaretContext context;
        context.open = m_open;
        context.textStart = m_textStart;
        context.tagStart = m_tagStart;
        context.element = m_element;
        context.present = m_present;
        context.wordStart = m_caret;
        switch (m_state) {
        case State::Data: {
            context.afterStartTag = m_afterStartTag;
            context.selfClosing = m_selfClosing;
            // A reference being typed: '&' and letters or digits up to the caret.
            qint64 k = m_caret;
            while (k > 0 && isAlnum(m_text[k - 1]) && m_caret - k < 40) {
                --k;
            }
            if (k == m_caret && k >= 1 && m_text[k - 1] == '<') {
                context.kind = CaretContext::Kind::TagName; // "<" alone, the name to come
                context.tagStart = k - 1;
            } else if (k == m_caret && k >= 2 && m_text[k - 1] == '/' && m_text[k - 2] == '<') {
                context.kind = CaretContext::Kind::EndTagName;
                context.tagStart = k - 2;
            } else if (k > 0 && m_text[k - 1] == '&') {
                context.kind = CaretContext::Kind::Reference;
                context.wordStart = k;
            } else {
                context.kind = CaretContext::Kind::Text;
                context.wordStart = k;
            }
            if (!m_afterStartTag) {
                context.element.clear();
            }
            break;
        }
        case State::TagName:
            context.kind = CaretContext::Kind::TagName;
            context.wordStart = m_wordStart;
            break;
        case State::EndTagName:
            context.kind = CaretContext::Kind::EndTagName;
            context.wordStart = m_wordStart;
            break;
        case State::BeforeAttribute:
        case State::AfterAttributeName:
            context.kind = CaretContext::Kind::AttributeName;
            break;
        case State::AttributeName:
            context.kind = CaretContext::Kind::AttributeName;
            context.wordStart = m_wordStart;
            context.present.removeAll(m_attribute);
            break;
        case State::BeforeValue:
        case State::Value:
            context.kind = CaretContext::Kind::AttributeValue;
            context.attribute = m_attribute;
            context.quote = m_state == State::Value ? m_quote : 0;
            context.wordStart = m_state == State::Value ? m_valueStart : m_caret;
            break;
        case State::Comment:
        case State::Bogus:
            context.kind = CaretContext::Kind::Comment;
            break;
        case State::Raw:
            context.kind = CaretContext::Kind::RawText;
            context.element = m_raw;
            context.afterStartTag = m_afterStartTag;
            break;
        }
        return context;
    }

    QByteArrayView m_text;
    qint64 m_caret;
    qint64 m_window;
    State m_state = State::Data;
    qint64 m_tagStart = -1;
    qint64 m_wordStart = 0;
    qint64 m_valueStart = 0;
    qint64 m_textStart = 0;
    bool m_end = false;
    bool m_nameDone = false;
    bool m_slash = false;
    bool m_afterStartTag = false;
    bool m_selfClosing = false;
    char m_quote = 0;
    QByteArray m_element;
    QByteArray m_attribute;
    QByteArray m_raw;
    QByteArrayList m_present;
    QByteArrayList m_open;
};

} // namespace

CaretContext CaretContext::at(QByteArrayView text, qint64 caret, qint64 window) {
    caret = std::clamp<qint64>(caret, 0, text.size());
    return Reader(text, caret, window).read();
}

} // namespace markwright
