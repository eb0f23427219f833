#pragma once

#include "html/HtmlModel.h"

#include <QByteArrayView>
#include <QString>
#include <atomic>
#include <optional>
#include <vector>

namespace markwright::html {

// A mistake in a page, where it stands and what to do about it.
struct Problem {
    enum class Rule : quint8 {
        Unclosed,           // an element whose end tag is required never gets one
        OutOfOrder,         // an end tag that comes before an inner element's
        StrayEndTag,        // an end tag with nothing of its name open
        StrayStartTag,      // a start tag browsers ignore where it stands
        UnknownElement,     // not an HTML element and no custom one
        UnknownAttribute,   // an attribute the element does not take
        DuplicateAttribute, // the same attribute twice in one tag
        DuplicateId,        // an id used before
        MissingTarget,      // a local link or source that does not exist
        ImageWithoutAlt,    // <img> without alt
        AmbiguousAmpersand, // &name; where name is no character reference
        Obsolete,           // obsolete markup (a hint, off unless asked for)
    };
    Rule rule = Rule::Unclosed;
    Range range;     // bytes of the page
    int line = 0;    // 1 for the first
    int column = 0;  // in characters, 1 for the first
    QString message; // one sentence in plain words
};

// The rule's short name, as the tests' data files write it ("unclosed").
const char* ruleName(Problem::Rule rule);

struct CheckOptions {
    // The page's folder, for local links; empty for a page never saved
    // (its links are then not looked at).
    QString folder;
    // Also point out obsolete markup (<font>, bgcolor=...). Off by default:
    // the insertion commands write such markup on purpose.
    bool obsoleteHints = false;
    // Whether the text is a page at all: a stylesheet or a text file open
    // in the editor gets no report.
    bool isPage = true;
};

// The problems of `page`, in text order, found from its HTML model `model`
// (made from the same text). Nothing is reported that HTML allows: end tags
// left out where HTML lets them be are no problem. nullopt when `cancel`
// became true.
std::optional<std::vector<Problem>> checkPage(const HtmlModel& model, QByteArrayView page,
                                              const CheckOptions& options,
                                              const std::atomic<bool>* cancel = nullptr);

} // namespace markwright::html
