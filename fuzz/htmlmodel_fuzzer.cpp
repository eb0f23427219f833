// The HTML model of any page: every range lies within the page; spans nest
// the way the tree does and siblings' spans follow each other, so each
// offset has one innermost element, whose span holds it; every tag in the
// text is found at its place; and each element's path leads back to it (or,
// inside a template, to the outermost template, as in the browser's DOM).
// Attributes lie in the page, and the problems found in it stand in it too.
#include "Require.h"
#include "html/HtmlModel.h"
#include "html/PageCheck.h"

#include <cstddef>
#include <cstdint>

using markwright::html::HtmlModel;
using markwright::html::Range;

namespace {
bool within(Range inner, Range outer) {
    return inner.start >= outer.start && inner.end <= outer.end;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView page(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<HtmlModel> model = HtmlModel::parse(page);
    require(model && model->size() >= 3 && model->name(0) == "html", "<html> comes first");
    const Range whole{0, static_cast<qint32>(page.size())};
    for (int i = 0; i < model->size(); ++i) {
        const HtmlModel::Element& e = model->at(i);
        require(e.span.start <= e.span.end && within(e.span, whole), "the span lies in the page");
        for (const Range* tag : {&e.startTag, &e.endTag}) {
            require(!tag->valid() || (tag->start < tag->end && within(*tag, whole)),
                    "a tag lies in the page");
        }
        require(model->name(i) == model->name(i).toLower(), "names are in lower case");
        if (i > 0) {
            require(e.parent >= 0 && e.parent < i, "a parent comes before its children");
            require(within(e.span, model->at(e.parent).span), "a child's span is in its parent's");
        }
        if (e.nextSibling >= 0) {
            require(model->at(e.nextSibling).span.start >= e.span.end, "siblings do not overlap");
        }
        if (e.startTag.valid()) {
            require(page[e.startTag.start] == '<' && page[e.startTag.end - 1] == '>',
                    "a start tag is a whole tag");
            bool end = true;
            require(model->tagAt(e.startTag.start, &end) == i && !end,
                    "a start tag is found at its place");
        }
        if (e.endTag.valid()) {
            require(page.sliced(e.endTag.start).startsWith("</"), "an end tag is one");
            bool end = false;
            const int found = model->tagAt(e.endTag.end - 1, &end);
            require(found >= 0 && end && model->at(found).endTag.start == e.endTag.start,
                    "an end tag is found at its place");
        }
        // The path leads back to the element, or to a template it is in.
        const std::vector<int> path = model->path(i);
        const int target = model->atPath(path, model->pathNames(i));
        require(target == i || (target >= 0 && model->name(target) == "template"),
                "the path leads back, or to a template the element is in");
    }
    for (const HtmlModel::Attribute& a : model->attributes()) {
        require(within(a.name, whole) && a.name.start < a.name.end,
                "an attribute name is in the page");
        require(!a.value.valid() || within(a.value, whole), "a value is in the page");
    }
    markwright::html::CheckOptions options;
    options.obsoleteHints = size % 2 == 1;
    const auto problems = markwright::html::checkPage(*model, page, options);
    require(problems.has_value(), "the check ends");
    for (const markwright::html::Problem& p : *problems) {
        require(within(p.range, whole) && p.range.start <= p.range.end && p.line >= 1 &&
                    p.column >= 1 && !p.message.isEmpty(),
                "a problem stands in the page");
    }
    for (qint64 at = -1; at <= page.size(); ++at) {
        const int inner = model->innermostAt(at);
        if (inner < 0) {
            require(!model->at(0).span.contains(at), "no element holds an offset before all");
            continue;
        }
        require(model->at(inner).span.contains(at), "the innermost element holds the offset");
        for (int c = model->at(inner).firstChild; c >= 0; c = model->at(c).nextSibling) {
            require(!model->at(c).span.contains(at), "no child of the innermost holds it");
        }
        const int tag = model->tagAt(at);
        require(tag < 0 || model->at(tag).startTag.contains(at) ||
                    model->at(tag).endTag.contains(at),
                "a tag found holds the offset");
    }
    return 0;
}
