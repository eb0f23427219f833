#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <atomic>
#include <optional>
#include <utility>
#include <vector>

namespace markwright::html {

// A byte range [start, end) in the page's UTF-8 text; start < 0 for none.
// Offsets are 32-bit: the model of a page takes less memory than the page
// does twice over, and no page the editor holds is 2 GB.
struct Range {
    qint32 start = -1;
    qint32 end = -1;
    bool valid() const { return start >= 0; }
    bool contains(qint64 at) const { return valid() && at >= start && at < end; }
};

// The page's elements as an HTML5 browser builds them (implied <html>,
// <head>, <body> and <tbody>, <p> and <li> closed where HTML closes them,
// misnested formatting elements mended), each with where its tags stand in
// the text. Made from the page by a conformant tree-construction parser;
// the parser's own tree is freed at once and only this compact form kept.
class HtmlModel {
  public:
    // The namespace an element belongs to: HTML, or SVG and MathML inline.
    enum class Space : quint8 { Html, Svg, MathMl };

    struct Element {
        // Where the start tag and the end tag stand in the text; none when
        // the parser implied the tag (an implied <tbody>, an omitted </p>, a
        // formatting element the parser reopened).
        Range startTag;
        Range endTag;
        // Where the element's content begins and ends: from its start tag (or
        // its first content) to the end of its end tag (or of its last
        // content). Spans nest as the elements do and siblings' spans do not
        // overlap; where the parser moved an element away from its text (out
        // of a table, or a misnested formatting element split) a span is cut
        // to keep that, and a tag may then stand outside its element's span.
        Range span;
        qint32 parent = -1;      // index of the parent element; -1 for <html>
        qint32 firstChild = -1;  // first child element, -1 for none
        qint32 nextSibling = -1; // next element with the same parent, -1 for none
        qint32 childIndex = 0;   // place among the parent's element children
        quint16 name = 0;        // index into names()
        // The start tag has an event-handler attribute (onclick=...).
        bool handlesEvents = false;
        Space space = Space::Html;
        // The first of the element's attributes in attributes(); they run
        // up to the next element's first.
        qint32 attributes = 0;
        // Where the parser closed the element: the start of the token that
        // ended it (its own end tag, another element's end or start tag, or
        // the end of the page); -1 for a copy the parser made.
        qint32 closedAt = -1;
    };

    // An attribute as written in a start tag. A repeated attribute is not
    // kept (the browser keeps the first).
    struct Attribute {
        Range name;
        Range value;        // inside the quotes; none for a bare attribute
        quint16 nameId = 0; // index into attributeNames(), lower case
    };

    HtmlModel() = default;

    // Parses `page` (UTF-8). When `cancel` becomes true the parse is given up
    // and nullopt returned.
    static std::optional<HtmlModel> parse(QByteArrayView page,
                                          const std::atomic<bool>* cancel = nullptr);

    // Elements in document order; element 0 is <html> (when there are any).
    const std::vector<Element>& elements() const { return m_elements; }
    int size() const { return static_cast<int>(m_elements.size()); }
    const Element& at(int i) const { return m_elements[static_cast<std::size_t>(i)]; }
    // The element's tag name in lower case ("p", "tbody", "my-widget"...).
    const QByteArray& name(int i) const { return m_names[at(i).name]; }
    const std::vector<QByteArray>& names() const { return m_names; }

    // Element i's attributes: [first, last) into attributes().
    std::pair<int, int> attributesOf(int i) const;
    const std::vector<Attribute>& attributes() const { return m_attributes; }
    const QByteArray& attributeName(const Attribute& a) const { return m_attributeNames[a.nameId]; }
    // Attribute a's value with character references decoded, from `page`
    // (the text the model was made from).
    QByteArray attributeValue(int a, QByteArrayView page) const;
    // The first attribute of element i named `name` (lower case), or -1.
    int findAttribute(int i, QByteArrayView name) const;

    // Comments and CDATA sections, in text order: what lies in them is no
    // markup.
    const std::vector<Range>& comments() const { return m_comments; }
    // Formatting elements the parser copied to mend misnested tags, each
    // with the element it copied: (copy, original), by copy.
    const std::vector<std::pair<qint32, qint32>>& copies() const { return m_copies; }

    // The innermost element whose span holds `offset`, or -1.
    int innermostAt(qint64 offset) const;
    // The element whose start or end tag holds `offset`, or -1; `endTag`
    // says which of its tags it is.
    int tagAt(qint64 offset, bool* endTag = nullptr) const;
    // The nearest element from i up (i itself included) that has a start
    // tag in the text, or -1.
    int withStartTag(int i) const;

    // The child-index path from <html> down to element i (empty for <html>).
    // The browser keeps a <template>'s contents out of its children: inside
    // a template, this is the path of the outermost template around i.
    std::vector<int> path(int i) const;
    // The names of the elements along path(i), <html>'s first, as atPath
    // takes them.
    std::vector<QByteArray> pathNames(int i) const;
    // The element at `path` whose names along the way are `names` (one per
    // step, <html>'s first, so one more than the path); -1 when the path
    // leads nowhere or a name differs.
    int atPath(const std::vector<int>& path, const std::vector<QByteArray>& names) const;

    // Bytes the model takes in memory (for the benchmark's ratio).
    qint64 memoryBytes() const;

  private:
    friend class ModelBuilder;
    // A start or end tag that lies outside its element's span, where the
    // text does not follow the tree (see HtmlModel.cpp); sorted by position.
    struct StrayTag {
        Range tag;
        qint32 element = -1;
    };
    bool isTemplate(int i) const;

    std::vector<Element> m_elements;
    std::vector<QByteArray> m_names;
    std::vector<StrayTag> m_strayTags;
    std::vector<qint32> m_templates; // the <template> elements, ascending
    std::vector<Attribute> m_attributes;
    std::vector<QByteArray> m_attributeNames;
    // Values whose decoded text differs from the text written: (attribute,
    // value), by attribute.
    std::vector<std::pair<qint32, QByteArray>> m_decodedValues;
    std::vector<Range> m_comments;
    std::vector<std::pair<qint32, qint32>> m_copies;
};

} // namespace markwright::html
