// The page's elements from one libgumbo parse. Gumbo builds the tree an HTML5
// browser builds; this file copies what the editor needs out of it (names,
// where each tag stands, parent and child links) into a flat preorder array
// and frees gumbo's tree at once.
//
// Spans. An element's span runs from its start tag (or, for an element the
// parser implied, its first content) to the end of its end tag or of its last
// content, whichever is later. The spans are then made to nest the way the
// tree does: a child's span lies within its parent's, and each element's
// span begins where its previous sibling's ends or later. Preorder is then
// sorted by span start, so innermostAt() is a binary search and a walk up.
// The text does not always follow the tree: an element the parser moved out
// of a table ("foster parenting") comes before the table in the tree but
// inside it in the text, and a formatting element the adoption agency split
// ends inside the block that follows it. There the earlier sibling keeps its
// span, an element that begins inside it cuts its end, and a later sibling
// that begins before it starts where it ends; a tag left outside its own
// element's span is kept in a short list that tagAt() also searches.
//
// Paths follow the browser's DOM: a <template>'s contents are not its
// children there, so the path of an element inside a template is the
// template's own (see path()).
//
// Where gumbo 0.10.1 builds another tree than a browser, the model has
// gumbo's: it parses <noscript> as with scripting off, and it tells unknown
// elements apart by one enum value only, so the end tag of any unknown
// element closes the innermost open one (</my-widget> closes an open <x-y>
// inside it, and only that). Its tree construction also scans the whole
// stack of open elements for some tags (<div>, <p>...), which makes a page
// nested tens of thousands deep in those slow to parse.
#include "html/HtmlModel.h"

#include <QHash>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <gumbo.h>
#include <limits>
#include <string>

namespace markwright::html {

namespace {

constexpr qint32 kUnknown = std::numeric_limits<qint32>::max();
// Names past this many distinct ones share one nameless entry.
constexpr std::size_t kMaxNames = 65535;

// Gumbo's allocations for one parse. Freeing the blocks frees the whole tree
// at once: gumbo's own gumbo_destroy_output() recurses once per level of
// nesting and overflows a worker thread's stack on deeply nested pages, and
// the blocks also spare the parse most of its malloc and free calls.
class Arena {
  public:
    Arena() = default;
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;
    ~Arena() {
        for (void* block : m_blocks) {
            std::free(block);
        }
    }

    static void* allocate(void* self, std::size_t size) {
        return static_cast<Arena*>(self)->take(size);
    }
    // Gumbo frees buffers it outgrew; their room comes back with the blocks.
    static void release(void*, void*) {}

  private:
    static constexpr std::size_t kBlock = std::size_t(1) << 20;
    static constexpr std::size_t kAlign = alignof(std::max_align_t);

    void* take(std::size_t size) {
        size = (std::max<std::size_t>(size, 1) + kAlign - 1) & ~(kAlign - 1);
        if (size > kBlock / 4) {
            return own(size);
        }
        if (size > m_left) {
            m_next = static_cast<char*>(own(kBlock));
            m_left = kBlock;
        }
        void* at = m_next;
        m_next += size;
        m_left -= size;
        return at;
    }
    void* own(std::size_t size) {
        void* block = std::malloc(size);
        if (!block) {
            // Gumbo checks no allocation and no exception may pass through it.
            std::abort();
        }
        m_blocks.push_back(block);
        return block;
    }

    std::vector<void*> m_blocks;
    char* m_next = nullptr;
    std::size_t m_left = 0;
};

// Where the tokenizer ends a tag name.
bool endsTagName(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == '/' || c == '>';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// The name in a tag's text ("<My-Widget a=b>" gives "My-Widget"), as the
// tokenizer reads it.
QByteArrayView nameInTag(QByteArrayView tag) {
    const qsizetype at = tag.startsWith("</") ? 2 : 1;
    qsizetype end = at;
    while (end < tag.size() && !endsTagName(tag[end])) {
        ++end;
    }
    return tag.sliced(at, end - at);
}

// Whether `tag` is a tag `opener` ("<" or "</") named `name`, in any case.
bool tagNamed(QByteArrayView tag, QByteArrayView opener, QByteArrayView name) {
    const qsizetype end = opener.size() + name.size();
    if (tag.size() <= end || !tag.startsWith(opener) || !endsTagName(tag[end])) {
        return false;
    }
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (lower(tag[opener.size() + i]) != name[i]) {
            return false;
        }
    }
    return true;
}

// The elements the parser may copy to mend misnested tags.
bool isFormatting(GumboTag tag) {
    switch (tag) {
    case GUMBO_TAG_A:
    case GUMBO_TAG_B:
    case GUMBO_TAG_BIG:
    case GUMBO_TAG_CODE:
    case GUMBO_TAG_EM:
    case GUMBO_TAG_FONT:
    case GUMBO_TAG_I:
    case GUMBO_TAG_NOBR:
    case GUMBO_TAG_S:
    case GUMBO_TAG_SMALL:
    case GUMBO_TAG_STRIKE:
    case GUMBO_TAG_STRONG:
    case GUMBO_TAG_TT:
    case GUMBO_TAG_U:
        return true;
    default:
        return false;
    }
}

const GumboVector* childrenOf(const GumboNode* node) {
    return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE
               ? &node->v.element.children
               : nullptr;
}

bool isElement(const GumboNode* node) {
    return childrenOf(node) != nullptr;
}

// Calls `visit(node, depth)` on `root` and everything below it in document
// order, without recursion (pages nest many thousands deep); stops and
// returns false when `visit` does.
template <typename Visit> bool walk(const GumboNode* root, Visit visit) {
    struct Level {
        const GumboVector* children;
        unsigned next;
    };
    std::vector<Level> levels;
    if (!visit(root, 0)) {
        return false;
    }
    levels.push_back({childrenOf(root), 0});
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next >= level.children->length) {
            levels.pop_back();
            continue;
        }
        const auto* node = static_cast<const GumboNode*>(level.children->data[level.next++]);
        if (!visit(node, levels.size())) {
            return false;
        }
        if (const GumboVector* children = childrenOf(node); children && children->length > 0) {
            levels.push_back({children, 0});
        }
    }
    return true;
}

// Gumbo 0.10.1 predates <dialog> and <search>: it parses them as unknown
// elements, which an open <p> inside keeps from closing where a browser
// closes it. Gumbo is handed a copy of the page in which their tags read
// "figure", an element it parses by the same rules, and the model gives them
// their names back. Returns an empty array when the page has neither; `at`
// gets where each renamed tag begins.
QByteArray withNewerElementsRenamed(QByteArrayView page, std::vector<qint32>& at) {
    QByteArray copy;
    const char* data = page.data();
    const qsizetype size = page.size();
    for (qsizetype i = 0; i < size;) {
        const void* found = std::memchr(data + i, '<', static_cast<std::size_t>(size - i));
        if (!found) {
            break;
        }
        i = static_cast<const char*>(found) - data;
        const qsizetype name = i + (i + 1 < size && data[i + 1] == '/' ? 2 : 1);
        if (name + 6 <= size && (name + 6 == size || endsTagName(data[name + 6]))) {
            const QByteArrayView word = page.sliced(name, 6);
            if (word.compare("dialog", Qt::CaseInsensitive) == 0 ||
                word.compare("search", Qt::CaseInsensitive) == 0) {
                if (copy.isEmpty()) {
                    copy = page.toByteArray();
                }
                std::memcpy(copy.data() + name, "figure", 6);
                at.push_back(static_cast<qint32>(i));
            }
        }
        ++i;
    }
    return copy;
}

} // namespace

// Copies gumbo's tree into a model: elements, names, tags and raw extents,
// then shapes the spans (see the top of this file).
class ModelBuilder {
  public:
    // `page` is the text; `parsed` is what gumbo parsed (the same text, or
    // a copy with <dialog> and <search> renamed at `renamed`).
    ModelBuilder(QByteArrayView page, const char* parsed, std::vector<qint32> renamed,
                 HtmlModel& model, const std::atomic<bool>* cancel)
        : m_page(page), m_parsed(parsed), m_renamed(std::move(renamed)), m_model(model),
          m_cancel(cancel) {
        std::fill(std::begin(m_known), std::end(m_known), -1);
    }

    bool copy(const GumboNode* root) {
        std::size_t count = 0;
        if (!walk(root, [&](const GumboNode* node, std::size_t) {
                count += isElement(node) ? 1 : 0;
                return (count & 0x3ff) != 0 || !cancelled();
            })) {
            return false;
        }
        m_model.m_elements.reserve(count);
        m_fallback.reserve(count);
        m_closing.reserve(count);
        // The open elements (path[d] stands at depth d) and the last child
        // added under each of them (last[d] at depth d).
        std::vector<qint32> path;
        std::vector<qint32> last;
        const bool copied = walk(root, [&](const GumboNode* node, std::size_t depth) {
            if (!isElement(node)) {
                noteComment(node);
                // Text, white space and comments belong to the element that
                // holds them: they widen its extent.
                if (node->type != GUMBO_NODE_DOCUMENT && depth > 0) {
                    const GumboStringPiece& text = node->v.text.original_text;
                    Range range = rangeOf(text.data, text.length);
                    // Gumbo counts a CR LF that ends the page as one byte.
                    if (range.valid() && range.end < m_page.size() &&
                        m_page[range.end - 1] == '\r' && m_page[range.end] == '\n') {
                        ++range.end;
                    }
                    widen(path[depth - 1], range);
                }
                return true;
            }
            path.resize(depth);
            last.resize(depth + 1, -1);
            const qint32 index = add(node, depth > 0 ? path[depth - 1] : -1, last[depth]);
            path.push_back(index);
            last[depth] = index;
            last.push_back(-1);
            return (index & 0x3ff) != 0 || !cancelled();
        });
        if (copied) {
            giveEndTagsToTheirElements();
        }
        return copied;
    }

    // Gumbo takes a <form> off the stack of open elements at its end tag
    // without noting that tag anywhere. It stands right after the form's
    // last content, past white space and any end tags the parser ignored.
    void findFormEnd(HtmlModel::Element& form) {
        const qint64 size = m_page.size();
        qint64 at = std::max<qint64>(form.span.end, form.startTag.end);
        for (int skipped = 0; at < size && skipped < 8;) {
            if (endsTagName(m_page[at]) && m_page[at] != '/' && m_page[at] != '>') {
                ++at; // white space
                continue;
            }
            if (m_page[at] != '<' || at + 1 >= size || m_page[at + 1] != '/') {
                return;
            }
            qint64 end = at + 2;
            while (end < size && m_page[end] != '>') {
                ++end;
            }
            if (end >= size) {
                return;
            }
            const QByteArrayView tag = m_page.sliced(at, end + 1 - at);
            if (tagNamed(tag, "</", "form")) {
                form.endTag = {static_cast<qint32>(at), static_cast<qint32>(end + 1)};
                form.closedAt = form.endTag.start;
                form.span.end = form.endTag.end;
                return;
            }
            at = end + 1;
            ++skipped;
        }
    }

    // Gumbo records the end tag that closed an element on that element
    // even where the tag names an outer one it closed too, and for a
    // <form> it takes off the stack it records none: </form> closing an
    // open <p> is the <p>'s. An end tag is its named element's when that
    // element has none of its own.
    void giveEndTagsToTheirElements() {
        std::vector<HtmlModel::Element>& elements = m_model.m_elements;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const Range closing = m_closing[i];
            if (!closing.valid() || elements[i].endTag.valid()) {
                continue;
            }
            const QByteArrayView raw =
                nameInTag(m_page.sliced(closing.start, closing.end - closing.start));
            m_lowered.resize(raw.size());
            std::transform(raw.begin(), raw.end(), m_lowered.begin(), lower);
            const QByteArrayView named(m_lowered.data(), m_lowered.size());
            for (qint32 a = elements[i].parent; a >= 0; a = elements[std::size_t(a)].parent) {
                HtmlModel::Element& outer = elements[static_cast<std::size_t>(a)];
                if (m_model.m_names[outer.name] != named) {
                    continue;
                }
                if (!outer.endTag.valid() && outer.startTag.valid() &&
                    closing.start >= outer.startTag.end) {
                    outer.endTag = closing;
                    outer.closedAt = closing.start;
                    outer.span.end = std::max(outer.span.end, closing.end);
                }
                break;
            }
        }
        m_closing = {};
    }

    // Comments and CDATA sections outside <html> (before it or after it).
    void copyOutside(const GumboNode* document) {
        const GumboVector& children = document->v.document.children;
        for (unsigned i = 0; i < children.length; ++i) {
            noteComment(static_cast<const GumboNode*>(children.data[i]));
        }
        std::sort(m_model.m_comments.begin(), m_model.m_comments.end(),
                  [](const Range& a, const Range& b) { return a.start < b.start; });
        std::sort(m_model.m_copies.begin(), m_model.m_copies.end());
    }

    // Gives every element its span, from the raw extents copy() found.
    void shape() {
        std::vector<HtmlModel::Element>& elements = m_model.m_elements;
        if (elements.empty()) {
            return;
        }
        // Bottom up: an element without a start tag begins with its first
        // content; every element ends after its last.
        for (std::size_t i = elements.size(); i-- > 0;) {
            HtmlModel::Element& e = elements[i];
            if (e.span.start == kUnknown) {
                e.span.start = m_fallback[i];
            }
            if (e.span.start != kUnknown) {
                e.span.end = std::max(e.span.end, e.span.start);
            }
            if (!e.endTag.valid() && e.startTag.valid() && m_model.m_names[e.name] == "form") {
                findFormEnd(e);
            }
            if (e.parent >= 0) {
                HtmlModel::Element& parent = elements[static_cast<std::size_t>(e.parent)];
                if (!parent.startTag.valid()) {
                    parent.span.start = std::min(parent.span.start, e.span.start);
                }
                parent.span.end = std::max(parent.span.end, e.span.end);
            }
        }
        m_fallback = {};
        // Top down: each child within its parent, after its previous sibling.
        const qint64 size = m_page.size();
        Range& root = elements[0].span;
        root.start = root.start == kUnknown ? 0 : std::clamp<qint64>(root.start, 0, size);
        root.end = std::clamp<qint64>(root.end, root.start, size);
        for (const HtmlModel::Element& parent : elements) {
            qint64 floor = parent.span.start;
            for (qint32 c = parent.firstChild; c >= 0;) {
                HtmlModel::Element& child = elements[static_cast<std::size_t>(c)];
                qint64 start = child.span.start == kUnknown ? floor : child.span.start;
                start = std::clamp<qint64>(start, floor, parent.span.end);
                qint64 end = std::clamp<qint64>(child.span.end, start, parent.span.end);
                if (child.nextSibling >= 0) {
                    const qint64 next =
                        elements[static_cast<std::size_t>(child.nextSibling)].span.start;
                    if (next != kUnknown && next > start && next < end) {
                        end = next;
                    }
                }
                child.span = {static_cast<qint32>(start), static_cast<qint32>(end)};
                floor = end;
                c = child.nextSibling;
            }
        }
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const HtmlModel::Element& e = elements[i];
            for (const Range* tag : {&e.startTag, &e.endTag}) {
                if (tag->valid() && (tag->start < e.span.start || tag->end > e.span.end)) {
                    m_model.m_strayTags.push_back({*tag, static_cast<qint32>(i)});
                }
            }
        }
        std::sort(m_model.m_strayTags.begin(), m_model.m_strayTags.end(),
                  [](const auto& a, const auto& b) { return a.tag.start < b.tag.start; });
    }

  private:
    bool cancelled() const { return m_cancel && m_cancel->load(std::memory_order_relaxed); }

    // The range of gumbo's text piece in the page; none when it lies
    // elsewhere (an empty piece, or text the parser made up).
    Range rangeOf(const char* data, std::size_t length) const {
        const char* begin = m_parsed;
        if (!data || length == 0 || data < begin || data > begin + m_page.size() ||
            length > static_cast<std::size_t>(begin + m_page.size() - data)) {
            return {};
        }
        return {static_cast<qint32>(data - begin),
                static_cast<qint32>(data - begin + qint64(length))};
    }

    void noteComment(const GumboNode* node) {
        if (node->type == GUMBO_NODE_COMMENT || node->type == GUMBO_NODE_CDATA) {
            const GumboStringPiece& text = node->v.text.original_text;
            if (const Range range = rangeOf(text.data, text.length); range.valid()) {
                m_model.m_comments.push_back(range);
            }
        }
    }

    // The attributes of the element being added, as written; the decoded value is kept
    // only where it differs from the text.
    void addAttributes(const GumboElement& g) {
        for (unsigned k = 0; k < g.attributes.length; ++k) {
            const auto* a = static_cast<const GumboAttribute*>(g.attributes.data[k]);
            HtmlModel::Attribute attribute;
            attribute.name = rangeOf(a->original_name.data, a->original_name.length);
            Range value = rangeOf(a->original_value.data, a->original_value.length);
            if (value.valid() && value.end - value.start >= 2 &&
                (m_page[value.start] == '"' || m_page[value.start] == '\'') &&
                m_page[value.end - 1] == m_page[value.start]) {
                ++value.start;
                --value.end;
            }
            attribute.value = value;
            attribute.nameId = internAttribute(QByteArrayView(a->name));
            const auto index = static_cast<qint32>(m_model.m_attributes.size());
            const QByteArrayView written = value.valid()
                                               ? m_page.sliced(value.start, value.end - value.start)
                                               : QByteArrayView();
            if (a->value && written != QByteArrayView(a->value)) {
                m_model.m_decodedValues.emplace_back(index, QByteArray(a->value));
            }
            m_model.m_attributes.push_back(attribute);
        }
    }

    quint16 internAttribute(QByteArrayView name) {
        const QByteArray key = QByteArray::fromRawData(name.data(), name.size());
        if (const auto found = m_attributeIndex.constFind(key); found != m_attributeIndex.cend()) {
            return found.value();
        }
        if (m_model.m_attributeNames.size() >= kMaxNames) {
            return 0; // the first name stands in; a page with 65535 kinds is not checked by name
        }
        const auto index = static_cast<quint16>(m_model.m_attributeNames.size());
        m_model.m_attributeNames.push_back(name.toByteArray());
        m_attributeIndex.insert(m_model.m_attributeNames.back(), index);
        return index;
    }

    void widen(qint32 index, Range range) {
        if (!range.valid()) {
            return;
        }
        HtmlModel::Element& e = m_model.m_elements[static_cast<std::size_t>(index)];
        if (!e.startTag.valid()) {
            e.span.start = std::min(e.span.start, range.start);
        }
        e.span.end = std::max(e.span.end, range.end);
    }

    qint32 add(const GumboNode* node, qint32 parent, qint32 previous) {
        const GumboElement& g = node->v.element;
        std::vector<HtmlModel::Element>& elements = m_model.m_elements;
        const auto index = static_cast<qint32>(elements.size());
        HtmlModel::Element e;
        e.parent = parent;
        if (previous >= 0) {
            HtmlModel::Element& before = elements[static_cast<std::size_t>(previous)];
            before.nextSibling = index;
            e.childIndex = before.childIndex + 1;
        } else if (parent >= 0) {
            elements[static_cast<std::size_t>(parent)].firstChild = index;
        }
        if (node->type == GUMBO_NODE_TEMPLATE) {
            m_model.m_templates.push_back(index);
        }

        const Range opening = rangeOf(g.original_tag.data, g.original_tag.length);
        e.name = nameIndex(g.tag, opening);
        e.space = g.tag_namespace == GUMBO_NAMESPACE_SVG      ? HtmlModel::Space::Svg
                  : g.tag_namespace == GUMBO_NAMESPACE_MATHML ? HtmlModel::Space::MathMl
                                                              : HtmlModel::Space::Html;
        e.attributes = static_cast<qint32>(m_model.m_attributes.size());
        addAttributes(g);
        for (unsigned k = 0; k < g.attributes.length && !e.handlesEvents; ++k) {
            const auto* attribute = static_cast<const GumboAttribute*>(g.attributes.data[k]);
            e.handlesEvents = qstrnicmp(attribute->name, "on", 2) == 0;
        }
        const QByteArray& name = m_model.m_names[e.name];
        // A copy the parser made (a reopened or split formatting element)
        // carries the original's start tag; only the original owns it.
        constexpr unsigned notOwnStart = GUMBO_INSERTION_BY_PARSER |
                                         GUMBO_INSERTION_RECONSTRUCTED_FORMATTING_ELEMENT |
                                         GUMBO_INSERTION_ADOPTION_AGENCY_CLONED;
        if (opening.valid() && (node->parse_flags & notOwnStart) == 0) {
            const QByteArrayView text = m_page.sliced(opening.start, opening.end - opening.start);
            if (tagNamed(text, "<", name) ||
                (g.tag == GUMBO_TAG_IMG && tagNamed(text, "<", "image"))) {
                e.startTag = opening;
                if (isFormatting(g.tag)) {
                    m_byStart.insert(opening.start, index);
                }
            }
        } else if (opening.valid() && (node->parse_flags & notOwnStart) != 0) {
            if (const auto original = m_byStart.constFind(opening.start);
                original != m_byStart.cend()) {
                m_model.m_copies.emplace_back(index, original.value());
            }
        }
        // Gumbo records the end tag that closed an element even when it
        // names another one (</ul> closing an <li>): only its own counts.
        const Range closing = rangeOf(g.original_end_tag.data, g.original_end_tag.length);
        if (closing.valid() &&
            tagNamed(m_page.sliced(closing.start, closing.end - closing.start), "</", name)) {
            e.endTag = closing;
        }

        // Raw extent: from the start tag or the first content (children and
        // text widen it later) to the end of the last tag or content, or to
        // where the parser closed the element.
        e.span.start = e.startTag.valid() ? e.startTag.start : kUnknown;
        e.span.end = std::max(e.startTag.end, e.endTag.end);
        qint64 fallback = kUnknown;
        constexpr unsigned copy = GUMBO_INSERTION_RECONSTRUCTED_FORMATTING_ELEMENT |
                                  GUMBO_INSERTION_ADOPTION_AGENCY_CLONED;
        if ((node->parse_flags & copy) == 0) {
            // A copy carries the original's positions, none of them its own.
            const qint64 size = m_page.size();
            if (g.start_pos.offset <= size) {
                fallback = g.start_pos.offset;
            }
            const qint64 closed = g.end_pos.offset;
            if (closed <= size) {
                e.closedAt = static_cast<qint32>(closed);
            }
            if (closed <= size && closed >= std::min<qint64>(e.span.start, fallback)) {
                e.span.end = static_cast<qint32>(std::max<qint64>(e.span.end, closed));
            }
        } else if (e.endTag.valid()) {
            fallback = e.endTag.start;
        }
        m_fallback.push_back(fallback);
        m_closing.push_back(closing);
        elements.push_back(e);
        return index;
    }

    quint16 nameIndex(GumboTag tag, Range opening) {
        const bool renamed = tag == GUMBO_TAG_FIGURE && opening.valid() &&
                             std::binary_search(m_renamed.begin(), m_renamed.end(), opening.start);
        if (tag != GUMBO_TAG_UNKNOWN && tag < GUMBO_TAG_LAST && !renamed) {
            qint32& known = m_known[tag];
            if (known < 0) {
                known = intern(QByteArrayView(gumbo_normalized_tagname(tag)));
            }
            return static_cast<quint16>(known);
        }
        // Gumbo knows no name for an element it does not know: take it from
        // the tag's text, in lower case as the browser does.
        if (!opening.valid()) {
            return unknownName();
        }
        const QByteArrayView raw =
            nameInTag(m_page.sliced(opening.start, opening.end - opening.start));
        m_lowered.resize(raw.size());
        std::transform(raw.begin(), raw.end(), m_lowered.begin(), lower);
        return intern(QByteArrayView(m_lowered.data(), m_lowered.size()));
    }

    quint16 intern(QByteArrayView name) {
        const QByteArray key = QByteArray::fromRawData(name.data(), name.size());
        if (const auto found = m_index.constFind(key); found != m_index.cend()) {
            return found.value();
        }
        if (m_model.m_names.size() >= kMaxNames) {
            return unknownName();
        }
        const auto index = static_cast<quint16>(m_model.m_names.size());
        m_model.m_names.push_back(name.toByteArray());
        m_index.insert(m_model.m_names.back(), index);
        return index;
    }

    // The entry for an element whose name the model cannot keep: an empty
    // name, which no path's name matches.
    quint16 unknownName() {
        if (m_unknown < 0) {
            m_unknown = static_cast<qint32>(m_model.m_names.size());
            m_model.m_names.emplace_back();
        }
        return static_cast<quint16>(m_unknown);
    }

    QByteArrayView m_page;
    const char* m_parsed;
    std::vector<qint32> m_renamed; // where gumbo was shown "figure" for another name
    HtmlModel& m_model;
    const std::atomic<bool>* m_cancel;
    std::vector<qint64> m_fallback; // per element: where it stands when empty
    std::vector<Range> m_closing;   // per element: the end tag gumbo says closed it
    qint32 m_known[GUMBO_TAG_LAST + 1];
    qint32 m_unknown = -1;
    QHash<QByteArray, quint16> m_index;
    QHash<QByteArray, quint16> m_attributeIndex;
    QHash<qint32, qint32> m_byStart; // formatting elements by where their start tag begins
    std::string m_lowered;
};

std::optional<HtmlModel> HtmlModel::parse(QByteArrayView page, const std::atomic<bool>* cancel) {
    // Offsets are 32-bit (see Range); the editor holds no page that large.
    if ((cancel && cancel->load(std::memory_order_relaxed)) ||
        page.size() >= std::numeric_limits<qint32>::max()) {
        return std::nullopt;
    }
    HtmlModel model;
    const char* text = page.isEmpty() ? "" : page.data();
    std::vector<qint32> renamed;
    const QByteArray copy = withNewerElementsRenamed(QByteArrayView(text, page.size()), renamed);
    const char* parsed = copy.isEmpty() ? text : copy.constData();
    ModelBuilder builder(QByteArrayView(text, page.size()), parsed, std::move(renamed), model,
                         cancel);
    {
        Arena arena;
        GumboOptions options = kGumboDefaultOptions;
        options.allocator = &Arena::allocate;
        options.deallocator = &Arena::release;
        options.userdata = &arena;
        // Gumbo copies the stack of open elements into every parse error it
        // keeps: on a deeply nested page that alone would fill the memory.
        options.max_errors = 0;
        GumboOutput* output =
            gumbo_parse_with_options(&options, parsed, static_cast<std::size_t>(page.size()));
        if (!builder.copy(output->root)) {
            return std::nullopt;
        }
        builder.copyOutside(output->document);
        // Leaving this block frees gumbo's tree with the arena.
    }
    builder.shape();
    return model;
}

std::pair<int, int> HtmlModel::attributesOf(int i) const {
    const int first = at(i).attributes;
    const int last = i + 1 < size() ? at(i + 1).attributes : static_cast<int>(m_attributes.size());
    return {first, last};
}

QByteArray HtmlModel::attributeValue(int a, QByteArrayView page) const {
    const auto decoded = std::lower_bound(
        m_decodedValues.begin(), m_decodedValues.end(), a,
        [](const std::pair<qint32, QByteArray>& d, int at) { return d.first < at; });
    if (decoded != m_decodedValues.end() && decoded->first == a) {
        return decoded->second;
    }
    const Range value = m_attributes[static_cast<std::size_t>(a)].value;
    if (!value.valid() || value.end > page.size()) {
        return {};
    }
    return page.sliced(value.start, value.end - value.start).toByteArray();
}

int HtmlModel::findAttribute(int i, QByteArrayView name) const {
    const auto [first, last] = attributesOf(i);
    for (int a = first; a < last; ++a) {
        if (attributeName(m_attributes[static_cast<std::size_t>(a)]) == name) {
            return a;
        }
    }
    return -1;
}

bool HtmlModel::isTemplate(int i) const {
    return std::binary_search(m_templates.begin(), m_templates.end(), i);
}

int HtmlModel::innermostAt(qint64 offset) const {
    // Preorder is sorted by span start and spans nest the way the tree does:
    // the innermost element holding `offset` is the last one starting at or
    // before it, or one of its ancestors.
    const auto after =
        std::upper_bound(m_elements.begin(), m_elements.end(), offset,
                         [](qint64 at, const Element& e) { return at < e.span.start; });
    int i = static_cast<int>(after - m_elements.begin()) - 1;
    while (i >= 0 && !at(i).span.contains(offset)) {
        i = at(i).parent;
    }
    return i;
}

int HtmlModel::tagAt(qint64 offset, bool* endTag) const {
    // An element's own tags lie in its span: the element whose tag holds
    // `offset` is the innermost element there or one of its ancestors.
    for (int i = innermostAt(offset); i >= 0; i = at(i).parent) {
        const Element& e = at(i);
        if (e.startTag.contains(offset) || e.endTag.contains(offset)) {
            if (endTag) {
                *endTag = e.endTag.contains(offset);
            }
            return i;
        }
    }
    // Else a tag that stands outside its element's span.
    const auto after =
        std::upper_bound(m_strayTags.begin(), m_strayTags.end(), offset,
                         [](qint64 at, const StrayTag& s) { return at < s.tag.start; });
    if (after != m_strayTags.begin() && std::prev(after)->tag.contains(offset)) {
        const StrayTag& stray = *std::prev(after);
        if (endTag) {
            *endTag = at(stray.element).endTag.start == stray.tag.start;
        }
        return stray.element;
    }
    return -1;
}

int HtmlModel::withStartTag(int i) const {
    while (i >= 0 && i < size() && !at(i).startTag.valid()) {
        i = at(i).parent;
    }
    return i < size() ? i : -1;
}

std::vector<int> HtmlModel::path(int i) const {
    // The browser keeps a template's contents out of its children: what
    // lies inside a template has the template's path.
    std::vector<int> steps;
    if (i < 0 || i >= size()) {
        return steps;
    }
    for (; i > 0; i = at(i).parent) {
        if (isTemplate(at(i).parent)) {
            steps.clear();
        } else {
            steps.push_back(at(i).childIndex);
        }
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
}

std::vector<QByteArray> HtmlModel::pathNames(int i) const {
    std::vector<QByteArray> names;
    if (i < 0 || i >= size()) {
        return names;
    }
    // The element path(i) leads to: the outermost template around i, if any.
    int reached = i;
    for (int j = i; j > 0; j = at(j).parent) {
        if (isTemplate(at(j).parent)) {
            reached = at(j).parent;
        }
    }
    for (; reached >= 0; reached = at(reached).parent) {
        names.push_back(name(reached));
    }
    std::reverse(names.begin(), names.end());
    return names;
}

int HtmlModel::atPath(const std::vector<int>& path, const std::vector<QByteArray>& names) const {
    if (m_elements.empty() || names.size() != path.size() + 1) {
        return -1;
    }
    const auto named = [&](int i, const QByteArray& expected) {
        return name(i).compare(expected, Qt::CaseInsensitive) == 0;
    };
    int i = 0;
    if (!named(i, names[0])) {
        return -1;
    }
    for (std::size_t step = 0; step < path.size(); ++step) {
        if (path[step] < 0 || isTemplate(i)) {
            return -1;
        }
        i = at(i).firstChild;
        for (int k = 0; k < path[step] && i >= 0; ++k) {
            i = at(i).nextSibling;
        }
        if (i < 0 || !named(i, names[step + 1])) {
            return -1;
        }
    }
    return i;
}

qint64 HtmlModel::memoryBytes() const {
    qint64 bytes = sizeof(*this) + qint64(m_elements.capacity() * sizeof(Element)) +
                   qint64(m_names.capacity() * sizeof(QByteArray)) +
                   qint64(m_strayTags.capacity() * sizeof(StrayTag)) +
                   qint64(m_templates.capacity() * sizeof(qint32)) +
                   qint64(m_attributes.capacity() * sizeof(Attribute)) +
                   qint64(m_attributeNames.capacity() * sizeof(QByteArray)) +
                   qint64(m_comments.capacity() * sizeof(Range)) +
                   qint64(m_copies.capacity() * sizeof(std::pair<qint32, qint32>));
    for (const auto& [attribute, value] : m_decodedValues) {
        bytes += qint64(sizeof(attribute) + sizeof(value)) + value.capacity();
    }
    for (const auto* names : {&m_names, &m_attributeNames}) {
        for (const QByteArray& name : *names) {
            bytes += name.capacity() + 2 * qint64(sizeof(void*)); // text and its header
        }
    }
    return bytes;
}

} // namespace markwright::html
