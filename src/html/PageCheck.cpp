// Finds a page's mistakes from its HTML model. The model is the tree a
// browser builds, with where each tag stands; what the parser did with each
// tag tells whether it was written right:
// - an element whose end tag HTML requires and that has none of its own was
//   closed by something else: an outer end tag (then its own end tag, if it
//   comes later, is out of order) or the end of the page (never closed);
// - a tag the parser ignored left no element behind: it is found as a tag
//   opening ('<' and a letter, or "</" and a letter) that no element's own
//   tag, comment or text-only content (<script>, <textarea>...) accounts for;
// - names and attributes are looked up in HTML's tables (HtmlTables);
// - an attribute the parser dropped (a repeated one) leaves text in its
//   start tag that none of its kept attributes accounts for.
// End tags HTML lets a page leave out (</p>, </li>, </td>...) are never
// asked for, so a valid page gets no report.
#include "html/PageCheck.h"

#include "html/Characters.h"
#include "html/HtmlTables.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QUrl>
#include <algorithm>
#include <cstring>

namespace markwright::html {

namespace {

using Rule = Problem::Rule;

QString tagText(const QByteArray& name, bool end = false) {
    return QStringLiteral("<%1%2>").arg(end ? QStringLiteral("/") : QString(),
                                        QString::fromUtf8(name));
}

// Line starts of a text, for line and column numbers (a line ends at LF,
// CR LF or a lone CR, as in the source pane).
class LineIndex {
  public:
    explicit LineIndex(QByteArrayView page) : m_page(page) {
        m_starts.push_back(0);
        for (qsizetype i = 0; i < page.size(); ++i) {
            const char c = page[i];
            if (c == '\n' || (c == '\r' && (i + 1 >= page.size() || page[i + 1] != '\n'))) {
                m_starts.push_back(static_cast<qint32>(i + 1));
            }
        }
    }
    int line(qint64 at) const {
        return static_cast<int>(std::upper_bound(m_starts.begin(), m_starts.end(), at) -
                                m_starts.begin());
    }
    int column(qint64 at) const {
        const qint64 start = m_starts[static_cast<std::size_t>(line(at) - 1)];
        int column = 1;
        for (qint64 i = start; i < at && i < m_page.size(); ++i) {
            column += (static_cast<unsigned char>(m_page[i]) & 0xc0) != 0x80 ? 1 : 0;
        }
        return column;
    }

  private:
    QByteArrayView m_page;
    std::vector<qint32> m_starts;
};

// A tag the parser ignored.
struct SetAside {
    Range tag;
    QByteArray name; // lower case
    bool end = false;
    bool used = false;
};

class Checker {
  public:
    Checker(const HtmlModel& model, QByteArrayView page, const CheckOptions& options,
            const std::atomic<bool>* cancel)
        : m_model(model), m_page(page), m_options(options), m_cancel(cancel), m_lines(page),
          m_tables(HtmlTables::standard()) {}

    bool run() {
        m_usesBase = usesBase();
        for (int i = 0; i < m_model.size(); ++i) {
            if ((i & 0x3ff) == 0 && cancelled()) {
                return false;
            }
            checkElement(i);
        }
        if (!findSetAside()) {
            return false;
        }
        checkEndTags();
        for (const SetAside& s : m_setAside) {
            if (s.used) {
                continue;
            }
            if (s.end) {
                add(Rule::StrayEndTag, s.tag,
                    QStringLiteral("%1 has no open %2 to close: remove it")
                        .arg(tagText(s.name, true), tagText(s.name)));
            } else if (s.name == "body" || s.name == "html") {
                add(Rule::StrayStartTag, s.tag,
                    QStringLiteral("%1 appears a second time: browsers give its attributes to "
                                   "the first one and drop it; merge the two tags")
                        .arg(tagText(s.name)));
            } else {
                add(Rule::StrayStartTag, s.tag,
                    QStringLiteral("%1 is ignored by browsers here: remove it or move it where "
                                   "it belongs")
                        .arg(tagText(s.name)));
            }
        }
        if (!checkAmpersands()) {
            return false;
        }
        std::stable_sort(
            m_problems.begin(), m_problems.end(),
            [](const Problem& a, const Problem& b) { return a.range.start < b.range.start; });
        return true;
    }

    std::vector<Problem> take() { return std::move(m_problems); }

  private:
    bool cancelled() const { return m_cancel && m_cancel->load(std::memory_order_relaxed); }

    QByteArrayView text(Range r) const { return m_page.sliced(r.start, r.end - r.start); }

    void add(Rule rule, Range range, QString message) {
        Problem p;
        p.rule = rule;
        p.range = range;
        p.line = m_lines.line(range.start);
        p.column = m_lines.column(range.start);
        p.message = std::move(message);
        m_problems.push_back(std::move(p));
    }

    // What HTML knows of element i, or null (looked up once per name).
    const HtmlTables::ElementInfo* info(int i) {
        const HtmlModel::Element& e = m_model.at(i);
        if (e.space != HtmlModel::Space::Html) {
            return nullptr;
        }
        if (m_infoOf.empty()) {
            m_infoOf.assign(m_model.names().size(), nullptr);
            m_looked.assign(m_model.names().size(), false);
        }
        if (!m_looked[e.name]) {
            m_looked[e.name] = true;
            m_infoOf[e.name] = m_tables.element(m_model.names()[e.name]);
        }
        return m_infoOf[e.name];
    }

    bool usesBase() const {
        for (int i = 0; i < m_model.size(); ++i) {
            if (m_model.name(i) == "base" && m_model.findAttribute(i, "href") >= 0) {
                return true;
            }
        }
        return false;
    }

    // Names, attributes, ids, images and links of element i; and whether
    // it still waits for an end tag it requires.
    void checkElement(int i) {
        const HtmlModel::Element& e = m_model.at(i);
        const QByteArray& name = m_model.name(i);
        const bool html = e.space == HtmlModel::Space::Html;
        const HtmlTables::ElementInfo* known = info(i);
        if (!e.startTag.valid()) {
            // A </p> or </br> with nothing open makes the parser put an
            // element of its own there: the end tag is the mistake.
            if (html && e.endTag.valid() && (name == "p" || name == "br") && !isCopy(i)) {
                m_setAside.push_back({e.endTag, name, true, false});
            }
            return;
        }
        if (html && !known && !name.isEmpty() && !name.contains('-')) {
            add(Rule::UnknownElement, e.startTag,
                QStringLiteral("%1 is not an HTML element: check the spelling (a custom "
                               "element needs a hyphen, like <my-%2>)")
                    .arg(tagText(name), QString::fromUtf8(name)));
        }
        if (known && known->obsolete && m_options.obsoleteHints) {
            add(Rule::Obsolete, e.startTag,
                QStringLiteral("%1 is obsolete: use CSS or current HTML instead")
                    .arg(tagText(name)));
        }
        checkAttributes(i, known);
        if (html && name == "img" && m_model.findAttribute(i, "alt") < 0) {
            add(Rule::ImageWithoutAlt, e.startTag,
                QStringLiteral("<img> has no alt: describe the image in alt, or write alt=\"\" "
                               "if it is only decoration"));
        }
        if (!e.endTag.valid() && needsEndTag(i, known)) {
            m_waiting.push_back(i);
        }
    }

    bool isCopy(int i) const {
        const auto& copies = m_model.copies();
        const auto found =
            std::lower_bound(copies.begin(), copies.end(), std::pair<qint32, qint32>(i, -1));
        return found != copies.end() && found->first == i;
    }

    bool needsEndTag(int i, const HtmlTables::ElementInfo* known) const {
        const HtmlModel::Element& e = m_model.at(i);
        if (e.space != HtmlModel::Space::Html) {
            // SVG and MathML elements close themselves with "/>".
            return !text(e.startTag).endsWith("/>");
        }
        if (known) {
            return !known->isVoid && !known->optionalEnd;
        }
        return true; // custom and unknown elements have end tags
    }

    void checkAttributes(int i, const HtmlTables::ElementInfo* known) {
        const HtmlModel::Element& e = m_model.at(i);
        const auto [first, last] = m_model.attributesOf(i);
        const auto& attributes = m_model.attributes();
        qint64 from = e.startTag.start + 1;
        while (from < e.startTag.end && !isSpace(m_page[from]) && m_page[from] != '/' &&
               m_page[from] != '>') {
            ++from; // the tag name
        }
        for (int a = first; a < last; ++a) {
            const HtmlModel::Attribute& attribute = attributes[static_cast<std::size_t>(a)];
            const QByteArray& name = m_model.attributeName(attribute);
            // A second <body> or <html> tag gives the element the attributes
            // it lacks: those stand in the other tag.
            const bool here = e.startTag.contains(attribute.name.start);
            if (here) {
                dropped(from, attribute.name.start, i);
                from = attribute.name.end;
                if (attribute.value.valid()) {
                    from = attribute.value.end;
                    if (from < e.startTag.end && (m_page[from] == '"' || m_page[from] == '\'')) {
                        ++from;
                    }
                }
            }
            if (known && !m_tables.takes(*known, name)) {
                if (!m_tables.isObsoleteAttribute(*known, name)) {
                    add(Rule::UnknownAttribute, attribute.name,
                        QStringLiteral("%1 takes no attribute %2: check the spelling")
                            .arg(tagText(m_model.name(i)), QString::fromUtf8(name)));
                } else if (m_options.obsoleteHints && !known->obsolete) {
                    // (An obsolete element's own hint covers its attributes.)
                    add(Rule::Obsolete, attribute.name,
                        QStringLiteral("%1 on %2 is obsolete: use CSS instead")
                            .arg(QString::fromUtf8(name), tagText(m_model.name(i))));
                }
            }
            if (name == "id") {
                checkId(a);
            } else if (e.space == HtmlModel::Space::Html && !m_options.folder.isEmpty() &&
                       !m_usesBase && isLink(m_model.name(i), name)) {
                checkTarget(a, name);
            }
        }
        dropped(from, e.startTag.end - 1, i);
    }

    // Text in a start tag between `from` and `to` that no kept attribute
    // accounts for: an attribute the parser dropped for repeating one.
    void dropped(qint64 from, qint64 to, int element) {
        while (from < to && (isSpace(m_page[from]) || m_page[from] == '/')) {
            ++from;
        }
        if (from >= to || m_page[from] == '>') {
            return;
        }
        qint64 end = from;
        while (end < to && !isSpace(m_page[end]) && m_page[end] != '=' && m_page[end] != '>' &&
               m_page[end] != '/') {
            ++end;
        }
        const Range name{static_cast<qint32>(from), static_cast<qint32>(std::max(end, from + 1))};
        add(Rule::DuplicateAttribute, name,
            QStringLiteral("%1 appears twice in this %2 tag: browsers keep only the first")
                .arg(QString::fromUtf8(text(name).toByteArray().toLower()),
                     tagText(m_model.name(element))));
    }

    void checkId(int a) {
        const QByteArray id = m_model.attributeValue(a, m_page);
        if (id.isEmpty()) {
            return;
        }
        const Range name = m_model.attributes()[static_cast<std::size_t>(a)].name;
        const auto found = m_ids.constFind(id);
        if (found == m_ids.cend()) {
            m_ids.insert(id, name.start);
            return;
        }
        add(Rule::DuplicateId, name,
            QStringLiteral("id \"%1\" is already used on line %2: each id must be unique")
                .arg(QString::fromUtf8(id))
                .arg(m_lines.line(*found)));
    }

    static bool isLink(const QByteArray& element, const QByteArray& attribute) {
        if (attribute == "href") {
            return element == "a" || element == "area" || element == "link";
        }
        if (attribute == "src") {
            static const QSet<QByteArray> sources{"img",   "script", "iframe", "embed", "audio",
                                                  "video", "source", "track",  "input", "frame"};
            return sources.contains(element);
        }
        return attribute == "action" && element == "form";
    }

    // The local file a link value names, or an empty string when it names
    // none this check can look at (another scheme, a fragment, a path from
    // the site's root).
    QString localPath(const QByteArray& raw) const {
        const QByteArray value = raw.trimmed();
        if (value.isEmpty() || value.startsWith('#') || value.startsWith('/') ||
            value.startsWith('\\') || value.contains("{{")) {
            return {};
        }
        const qsizetype colon = value.indexOf(':');
        qsizetype special = value.size();
        for (const char c : {'/', '?', '#'}) {
            if (const qsizetype at = value.indexOf(c); at >= 0) {
                special = std::min(special, at);
            }
        }
        if (colon >= 0 && colon < special) {
            if (!value.first(colon).compare("file", Qt::CaseInsensitive)) {
                return QUrl(QString::fromUtf8(value)).toLocalFile();
            }
            return {}; // http:, mailto:, data:...
        }
        QByteArray path = value;
        for (const char c : {'?', '#'}) {
            if (const qsizetype at = path.indexOf(c); at >= 0) {
                path.truncate(at);
            }
        }
        if (path.isEmpty()) {
            return {};
        }
        return QDir(m_options.folder)
            .filePath(QString::fromUtf8(QByteArray::fromPercentEncoding(path)));
    }

    void checkTarget(int a, const QByteArray& attribute) {
        const QByteArray value = m_model.attributeValue(a, m_page);
        const QString path = localPath(value);
        if (path.isEmpty()) {
            return;
        }
        auto found = m_exists.constFind(path);
        if (found == m_exists.cend()) {
            found = m_exists.insert(path, QFileInfo::exists(path));
        }
        if (*found) {
            return;
        }
        const HtmlModel::Attribute& at = m_model.attributes()[static_cast<std::size_t>(a)];
        Range where = at.value.valid() && at.value.end > at.value.start ? at.value : at.name;
        add(Rule::MissingTarget, where,
            QStringLiteral("%1 \"%2\" points to no file: %3 does not exist")
                .arg(QString::fromUtf8(attribute), QString::fromUtf8(value.trimmed()),
                     QDir::toNativeSeparators(QDir::cleanPath(path))));
    }

    // The tags the parser ignored: tag openings no element's own tag,
    // comment or text-only content accounts for.
    bool findSetAside() {
        std::vector<Range> covered;
        covered.reserve(static_cast<std::size_t>(m_model.size()) * 2 + m_model.comments().size());
        for (int i = 0; i < m_model.size(); ++i) {
            const HtmlModel::Element& e = m_model.at(i);
            for (const Range& tag : {e.startTag, e.endTag}) {
                if (tag.valid()) {
                    covered.push_back(tag);
                }
            }
            const HtmlTables::ElementInfo* known = info(i);
            if (known && known->raw && e.startTag.valid()) {
                const qint32 end =
                    e.endTag.valid() ? e.endTag.start : std::max(e.closedAt, e.span.end);
                if (end > e.startTag.end) {
                    covered.push_back({e.startTag.end, end});
                }
            }
        }
        covered.insert(covered.end(), m_model.comments().begin(), m_model.comments().end());
        std::sort(covered.begin(), covered.end(),
                  [](const Range& a, const Range& b) { return a.start < b.start; });

        const char* data = m_page.data();
        const qint64 size = m_page.size();
        std::size_t k = 0;
        qint64 reach = 0; // the end of the covered text at or before the search
        int steps = 0;
        for (qint64 at = next('<', 0); at < size; at = next('<', at)) {
            if ((++steps & 0xfff) == 0 && cancelled()) {
                return false;
            }
            while (k < covered.size() && covered[k].start <= at) {
                reach = std::max<qint64>(reach, covered[k].end);
                ++k;
            }
            if (at < reach) {
                at = reach;
                continue;
            }
            const bool end = at + 1 < size && data[at + 1] == '/';
            const qint64 nameAt = at + (end ? 2 : 1);
            if (nameAt >= size || !isAlpha(data[nameAt])) {
                ++at;
                continue;
            }
            const qint64 tagEnd = endOfTag(at, end);
            qint64 nameEnd = nameAt;
            while (nameEnd < tagEnd && !isSpace(data[nameEnd]) && data[nameEnd] != '/' &&
                   data[nameEnd] != '>') {
                ++nameEnd;
            }
            m_setAside.push_back({{static_cast<qint32>(at), static_cast<qint32>(tagEnd)},
                                  m_page.sliced(nameAt, nameEnd - nameAt).toByteArray().toLower(),
                                  end,
                                  false});
            at = tagEnd;
        }
        std::sort(m_setAside.begin(), m_setAside.end(),
                  [](const SetAside& a, const SetAside& b) { return a.tag.start < b.tag.start; });
        return true;
    }

    // Where the first `c` at or after `from` stands, or the page's end.
    qint64 next(char c, qint64 from) const {
        const qint64 size = m_page.size();
        if (from >= size) {
            return size;
        }
        const void* found =
            std::memchr(m_page.data() + from, c, static_cast<std::size_t>(size - from));
        return found ? static_cast<const char*>(found) - m_page.data() : size;
    }

    // Where the tag opening at `at` ends: after its '>' (one inside a quoted
    // value does not count), or at the end of the page.
    qint64 endOfTag(qint64 at, bool end) const {
        char quote = 0;
        bool afterEquals = false;
        for (qint64 i = at + 1; i < m_page.size(); ++i) {
            const char c = m_page[i];
            if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '>') {
                return i + 1;
            } else if (c == '=') {
                afterEquals = true;
            } else if (!end && afterEquals && (c == '"' || c == '\'')) {
                quote = c;
                afterEquals = false;
            } else if (!isSpace(c)) {
                afterEquals = false;
            }
        }
        return m_page.size();
    }

    // The elements still waiting for their end tag: closed too early by an
    // outer end tag (their own coming later), or never closed.
    void checkEndTags() {
        QHash<qint32, std::vector<qint32>> copiesOf;
        for (const auto& [copy, original] : m_model.copies()) {
            if (m_model.at(copy).endTag.valid()) {
                copiesOf[original].push_back(copy);
            }
        }
        QSet<qint32> reported; // end tags already said to be out of order
        for (const int i : m_waiting) {
            const HtmlModel::Element& e = m_model.at(i);
            const QByteArray& name = m_model.name(i);
            const std::vector<qint32> copies = copiesOf.value(i);
            // The outer element whose end tag closed this one, if any.
            int closer = e.parent;
            while (closer >= 0 && m_model.at(closer).endTag.start != e.closedAt) {
                closer = m_model.at(closer).parent;
            }
            if (closer >= 0 && e.closedAt >= 0) {
                const int outside = m_model.at(closer).parent;
                const qint64 bound = outside >= 0 ? m_model.at(outside).span.end : m_page.size();
                bool later = false;
                for (const qint32 copy : copies) {
                    const qint32 end = m_model.at(copy).endTag.start;
                    later |= end > e.closedAt && end < bound;
                }
                if (!later) {
                    later = useLaterEndTag(name, e.closedAt, bound);
                }
                if (later) {
                    if (!reported.contains(e.closedAt)) {
                        reported.insert(e.closedAt);
                        outOfOrder(m_model.at(closer).endTag, m_model.name(closer), i);
                    }
                    continue;
                }
            }
            if (!copies.empty()) {
                // The parser split the element around a block its end tag
                // came inside: that end tag came too early.
                const HtmlModel::Element& copy = m_model.at(copies.front());
                if (!reported.contains(copy.endTag.start)) {
                    reported.insert(copy.endTag.start);
                    const int inner = m_model.withStartTag(copy.parent);
                    if (inner >= 0) {
                        outOfOrder(copy.endTag, name, inner);
                    }
                }
                continue;
            }
            add(Rule::Unclosed, e.startTag,
                QStringLiteral("%1 opened on line %2 is never closed: add %3 where it ends")
                    .arg(tagText(name))
                    .arg(m_lines.line(e.startTag.start))
                    .arg(tagText(name, true)));
        }
    }

    // Marks the first ignored end tag named `name` in (after, before) used;
    // false when there is none.
    bool useLaterEndTag(const QByteArray& name, qint64 after, qint64 before) {
        auto it = std::upper_bound(m_setAside.begin(), m_setAside.end(), after,
                                   [](qint64 at, const SetAside& s) { return at < s.tag.start; });
        for (; it != m_setAside.end() && it->tag.start < before; ++it) {
            if (it->end && !it->used && it->name == name) {
                it->used = true;
                return true;
            }
        }
        return false;
    }

    void outOfOrder(Range endTag, const QByteArray& outer, int inner) {
        const QByteArray& innerName = m_model.name(inner);
        add(Rule::OutOfOrder, endTag,
            QStringLiteral("%1 comes while %2 opened on line %3 is still open inside it: write "
                           "%4 first")
                .arg(tagText(outer, true), tagText(innerName))
                .arg(m_lines.line(m_model.at(inner).startTag.start))
                .arg(tagText(innerName, true)));
    }

    // "&name;" where name is no character reference, in text and in
    // attribute values (not in comments, scripts or styles).
    bool checkAmpersands() {
        const char* data = m_page.data();
        const qint64 size = m_page.size();
        int steps = 0;
        for (qint64 at = next('&', 0); at < size; at = next('&', at)) {
            if ((++steps & 0xfff) == 0 && cancelled()) {
                return false;
            }
            qint64 end = at + 1;
            while (end < size && isAlnum(data[end])) {
                ++end;
            }
            const QByteArrayView name = m_page.sliced(at + 1, end - at - 1);
            if (end == at + 1 || end >= size || data[end] != ';' ||
                m_tables.isCharacterReference(name) || !readsReferenceAt(at, name)) {
                at = end;
                continue;
            }
            const Range where{static_cast<qint32>(at), static_cast<qint32>(end + 1)};
            add(Rule::AmbiguousAmpersand, where,
                QStringLiteral("%1 is no character reference: check the spelling, or write "
                               "&amp; for a plain &")
                    .arg(QString::fromUtf8(text(where))));
            at = end + 1;
        }
        return true;
    }

    // Whether the browser reads "&name;" at `at` as a reference that is no
    // reference: in text and attribute values, not in comments or in
    // text-only content other than <title> and <textarea>. In an attribute
    // value an old reference followed by more letters ("&copyx;") is text
    // by HTML's rules (URLs are full of them); in text it is a reference
    // without its ';', and a mistake.
    bool readsReferenceAt(qint64 at, QByteArrayView name) {
        const auto& comments = m_model.comments();
        const auto after = std::upper_bound(comments.begin(), comments.end(), at,
                                            [](qint64 a, const Range& r) { return a < r.start; });
        if (after != comments.begin() && std::prev(after)->contains(at)) {
            return false;
        }
        const int i = m_model.innermostAt(at);
        if (i < 0) {
            return true;
        }
        const HtmlModel::Element& e = m_model.at(i);
        if (e.startTag.contains(at)) {
            const auto [first, last] = m_model.attributesOf(i);
            for (int a = first; a < last; ++a) {
                if (m_model.attributes()[static_cast<std::size_t>(a)].value.contains(at)) {
                    return !m_tables.startsWithOldReference(name);
                }
            }
            return false;
        }
        if (e.endTag.contains(at)) {
            return false;
        }
        const HtmlTables::ElementInfo* known = info(i);
        return !known || !known->raw || m_model.name(i) == "title" || m_model.name(i) == "textarea";
    }

    const HtmlModel& m_model;
    QByteArrayView m_page;
    const CheckOptions& m_options;
    const std::atomic<bool>* m_cancel;
    LineIndex m_lines;
    const HtmlTables& m_tables;
    bool m_usesBase = false;
    std::vector<Problem> m_problems;
    std::vector<int> m_waiting; // elements without the end tag they require
    std::vector<SetAside> m_setAside;
    QHash<QByteArray, qint32> m_ids; // where each id was first given
    QHash<QString, bool> m_exists;
    std::vector<const HtmlTables::ElementInfo*> m_infoOf; // by name index
    std::vector<bool> m_looked;
};

} // namespace

const char* ruleName(Problem::Rule rule) {
    switch (rule) {
    case Rule::Unclosed:
        return "unclosed";
    case Rule::OutOfOrder:
        return "out-of-order";
    case Rule::StrayEndTag:
        return "stray-end-tag";
    case Rule::StrayStartTag:
        return "stray-start-tag";
    case Rule::UnknownElement:
        return "unknown-element";
    case Rule::UnknownAttribute:
        return "unknown-attribute";
    case Rule::DuplicateAttribute:
        return "duplicate-attribute";
    case Rule::DuplicateId:
        return "duplicate-id";
    case Rule::MissingTarget:
        return "missing-target";
    case Rule::ImageWithoutAlt:
        return "img-alt";
    case Rule::AmbiguousAmpersand:
        return "ambiguous-ampersand";
    case Rule::Obsolete:
        return "obsolete";
    }
    return "";
}

std::optional<std::vector<Problem>> checkPage(const HtmlModel& model, QByteArrayView page,
                                              const CheckOptions& options,
                                              const std::atomic<bool>* cancel) {
    if (!options.isPage) {
        return std::vector<Problem>();
    }
    Checker checker(model, page, options, cancel);
    if (!checker.run()) {
        return std::nullopt;
    }
    return checker.take();
}

} // namespace markwright::html
