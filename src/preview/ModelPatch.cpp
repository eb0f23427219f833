// The patch planner for pages that do not nest strictly, on the HTML model.
#include "html/HtmlModel.h"
#include "preview/PagePatch.h"

#include <QRegularExpression>

namespace markwright::pagepatch {

namespace {
using html::HtmlModel;

// A script element or an event-handler attribute: a page that may run a
// script is always loaded in full.
bool mayRunScripts(const HtmlModel& model) {
    for (int i = 0; i < model.size(); ++i) {
        if (model.at(i).handlesEvents || model.name(i) == "script" ||
            model.name(i) == "plaintext") {
            return true;
        }
    }
    return false;
}

// Whether the element's outer text, or what the parser made of it, holds
// something an element replaced alone would not show as a full load does: a
// formatting element the parser reopened there (it belongs to one left open
// before), or a second <html> or <body> tag (its attributes go to the page's
// own).
bool dependsOnTheRest(const HtmlModel& model, int element, int end, QByteArrayView text) {
    static const QByteArrayList formatting{"a",    "b", "big",   "code",   "em",     "font", "i",
                                           "nobr", "s", "small", "strike", "strong", "tt",   "u"};
    for (int i = element; i < end; ++i) {
        if (!model.at(i).startTag.valid() && formatting.contains(model.name(i))) {
            return true;
        }
    }
    static const QRegularExpression outerTags(QStringLiteral("<\\s*(html|body)\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    const html::Range span = model.at(element).span;
    const QByteArrayView outer = text.sliced(span.start, span.end - span.start);
    return outerTags.match(QString::fromLatin1(outer.data(), outer.size())).hasMatch();
}

int elementChildren(const HtmlModel& model, int i) {
    int count = 0;
    for (int c = model.at(i).firstChild; c >= 0; c = model.at(c).nextSibling) {
        ++count;
    }
    return count;
}

// The element that is replaced in `model` (of the new text): the innermost
// one below <body> that has both tags in the text and whose content holds
// [from, to); -1 when there is none.
int replaced(const HtmlModel& model, qint64 from, qint64 to) {
    for (int i = model.innermostAt(from); i >= 0; i = model.at(i).parent) {
        const HtmlModel::Element& e = model.at(i);
        const std::vector<QByteArray> names = model.pathNames(i);
        if (names.size() < 3 || names[1] != "body" || model.path(i).size() + 1 != names.size()) {
            return -1; // not below <body>, or inside a template
        }
        if (e.startTag.valid() && e.endTag.valid() && e.span.start == e.startTag.start &&
            e.span.end == e.endTag.end && e.startTag.end <= from && e.endTag.start >= to) {
            return i;
        }
    }
    return -1;
}

// The elements after `i` in document order that are not inside it.
int pastSubtree(const HtmlModel& model, int i) {
    for (; i >= 0; i = model.at(i).parent) {
        if (model.at(i).nextSibling >= 0) {
            return model.at(i).nextSibling;
        }
    }
    return model.size();
}

// Whether the two models have the same elements outside `a` and `b` (the
// element replaced in each): the same names under the same parents at the
// same places, with their tags where they were (moved by `shift` bytes when
// they come after the element replaced).
bool sameOutside(const HtmlModel& one, int a, const HtmlModel& two, int b, qint64 shift) {
    const int oneAfter = pastSubtree(one, a);
    const int twoAfter = pastSubtree(two, b);
    if (a != b || one.size() - oneAfter != two.size() - twoAfter) {
        return false;
    }
    const qint64 end = one.at(a).span.end;
    const auto moved = [&](html::Range r) {
        return r.valid() && r.start >= end ? html::Range{static_cast<qint32>(r.start + shift),
                                                         static_cast<qint32>(r.end + shift)}
                                           : r;
    };
    const auto sameRange = [](html::Range x, html::Range y) {
        return x.start == y.start && x.end == y.end;
    };
    const auto same = [&](int i, int j) {
        const HtmlModel::Element& x = one.at(i);
        const HtmlModel::Element& y = two.at(j);
        const int parent = x.parent < oneAfter ? x.parent : x.parent - oneAfter + twoAfter;
        return one.name(i) == two.name(j) && x.childIndex == y.childIndex && parent == y.parent &&
               sameRange(moved(x.startTag), y.startTag) && sameRange(moved(x.endTag), y.endTag);
    };
    for (int i = 0; i < a; ++i) {
        if (!same(i, i)) {
            return false;
        }
    }
    for (int i = oneAfter, j = twoAfter; i < one.size(); ++i, ++j) {
        if (!same(i, j)) {
            return false;
        }
    }
    return true;
}
} // namespace

std::optional<Plan> planFromModels(QByteArrayView before, QByteArrayView after) {
    const std::optional<Change> changed = change(before, after);
    if (!changed) {
        return std::nullopt;
    }
    const std::optional<HtmlModel> old = HtmlModel::parse(before);
    if (!old || mayRunScripts(*old)) {
        return std::nullopt;
    }
    const std::optional<HtmlModel> now = HtmlModel::parse(after);
    if (!now || mayRunScripts(*now)) {
        return std::nullopt;
    }
    const int e = replaced(*now, changed->head, after.size() - changed->tail);
    if (e < 0) {
        return std::nullopt;
    }
    const int f = old->atPath(now->path(e), now->pathNames(e));
    if (f < 0 || replaced(*old, changed->head, before.size() - changed->tail) < 0) {
        return std::nullopt;
    }
    const HtmlModel::Element& was = old->at(f);
    const HtmlModel::Element& is = now->at(e);
    const qint64 shift = after.size() - before.size();
    // The element replaced starts and ends at the same places, but for the
    // change inside it, and holds it in the old text too.
    if (!was.startTag.valid() || !was.endTag.valid() || was.span.start != is.span.start ||
        was.span.end + shift != is.span.end || was.startTag.end > changed->head ||
        was.endTag.start < before.size() - changed->tail || !sameOutside(*old, f, *now, e, shift) ||
        dependsOnTheRest(*old, f, pastSubtree(*old, f), before) ||
        dependsOnTheRest(*now, e, pastSubtree(*now, e), after)) {
        return std::nullopt;
    }
    // The way down as the page on show (the old text) has it.
    Plan result;
    const std::vector<int> path = old->path(f);
    int at = 0;
    for (std::size_t step = 0; step < path.size(); ++step) {
        at = old->at(at).firstChild;
        for (int k = 0; k < path[step]; ++k) {
            at = old->at(at).nextSibling;
        }
        if (step == 0) {
            result.bodyChildren = elementChildren(*old, at);
        } else {
            result.path.push_back({path[step], old->name(at), elementChildren(*old, at)});
        }
    }
    result.start = is.span.start;
    result.end = is.span.end;
    return result;
}

} // namespace markwright::pagepatch
