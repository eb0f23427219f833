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

} // namespace

// Copies gumbo's tree into a model: elements, names, tags and raw extents,
// then shapes the spans (see the top of this file).
class ModelBuilder {
  public:
    ModelBuilder(QByteArrayView page, HtmlModel& model, const std::atomic<bool>* cancel)
        : m_page(page), m_model(model), m_cancel(cancel) {
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
        // The open elements (path[d] stands at depth d) and the last child
        // added under each of them (last[d] at depth d).
        std::vector<qint32> path;
        std::vector<qint32> last;
        return walk(root, [&](const GumboNode* node, std::size_t depth) {
            if (!isElement(node)) {
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
        const char* begin = m_page.data();
        if (!data || length == 0 || data < begin || data > begin + m_page.size() ||
            length > static_cast<std::size_t>(begin + m_page.size() - data)) {
            return {};
        }
        return {static_cast<qint32>(data - begin),
                static_cast<qint32>(data - begin + qint64(length))};
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
            if (closed <= size && closed >= std::min<qint64>(e.span.start, fallback)) {
                e.span.end = static_cast<qint32>(std::max<qint64>(e.span.end, closed));
            }
        } else if (e.endTag.valid()) {
            fallback = e.endTag.start;
        }
        m_fallback.push_back(fallback);
        elements.push_back(e);
        return index;
    }

    quint16 nameIndex(GumboTag tag, Range opening) {
        if (tag != GUMBO_TAG_UNKNOWN && tag < GUMBO_TAG_LAST) {
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
    HtmlModel& m_model;
    const std::atomic<bool>* m_cancel;
    std::vector<qint64> m_fallback; // per element: where it stands when empty
    qint32 m_known[GUMBO_TAG_LAST + 1];
    qint32 m_unknown = -1;
    QHash<QByteArray, quint16> m_index;
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
    ModelBuilder builder(QByteArrayView(text, page.size()), model, cancel);
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
            gumbo_parse_with_options(&options, text, static_cast<std::size_t>(page.size()));
        if (!builder.copy(output->root)) {
            return std::nullopt;
        }
        // Leaving this block frees gumbo's tree with the arena.
    }
    builder.shape();
    return model;
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
                   qint64(m_templates.capacity() * sizeof(qint32));
    for (const QByteArray& name : m_names) {
        bytes += name.capacity() + 2 * qint64(sizeof(void*)); // text and its header
    }
    return bytes;
}

} // namespace markwright::html
