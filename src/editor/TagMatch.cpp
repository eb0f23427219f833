#include "editor/TagMatch.h"

#include <QByteArray>

namespace markwright {

namespace tagmatch {

namespace {
bool nameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == ':' || c == '_';
}

struct Tag {
    Span span;
    QByteArrayView name; // as written; compared without regard to case
    bool closing = false;
    bool selfClosing = false;
};

// The tag starting at `lt` (a '<'), if it is an element's opening or
// closing tag ending before `limit`.
std::optional<Tag> tagAt(QByteArrayView bytes, qsizetype lt, qsizetype limit) {
    qsizetype i = lt + 1;
    Tag tag;
    if (i < limit && bytes[i] == '/') {
        tag.closing = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < limit && nameChar(bytes[i])) {
        ++i;
    }
    if (i == nameStart) {
        return std::nullopt; // a comment, a declaration, a stray '<'
    }
    tag.name = bytes.sliced(nameStart, i - nameStart);
    while (i < limit && bytes[i] != '>' && bytes[i] != '<') {
        ++i;
    }
    if (i >= limit || bytes[i] != '>') {
        return std::nullopt;
    }
    tag.selfClosing = bytes[i - 1] == '/';
    tag.span = {lt, i + 1};
    return tag;
}
bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() &&
           qstrnicmp(a.data(), b.data(), static_cast<size_t>(a.size())) == 0;
}
} // namespace

std::optional<Pair> find(QByteArrayView bytes, qsizetype caret, qsizetype reach) {
    const qsizetype low = qMax<qsizetype>(0, caret - reach);
    const qsizetype high = qMin(bytes.size(), caret + reach);
    // The '<' of the tag the caret is in: right at the caret, or back from
    // it (just after a tag's '>' still counts as in it), stopping at a '>'.
    qsizetype lt = -1;
    if (caret < bytes.size() && bytes[caret] == '<') {
        lt = caret;
    } else {
        qsizetype i = caret - 1;
        if (i >= low && bytes[i] == '>') {
            --i;
        }
        for (; i >= low && bytes[i] != '>'; --i) {
            if (bytes[i] == '<') {
                lt = i;
                break;
            }
        }
    }
    if (lt < 0) {
        return std::nullopt;
    }
    const std::optional<Tag> here = tagAt(bytes, lt, high);
    if (!here || here->selfClosing || caret > here->span.end) {
        return std::nullopt;
    }
    int depth = 0;
    if (!here->closing) {
        for (qsizetype i = here->span.end; i < high; ++i) {
            if (bytes[i] != '<') {
                continue;
            }
            if (bytes.sliced(i).startsWith("<!--")) { // tags in comments do not count
                const qsizetype close = QByteArrayView(bytes.data(), high).indexOf("-->", i + 4);
                if (close < 0) {
                    return std::nullopt;
                }
                i = close + 2;
                continue;
            }
            const std::optional<Tag> tag = tagAt(bytes, i, high);
            if (!tag || !sameName(tag->name, here->name) || tag->selfClosing) {
                continue;
            }
            if (!tag->closing) {
                ++depth;
            } else if (depth-- == 0) {
                return Pair{here->span, tag->span};
            }
            i = tag->span.end - 1;
        }
        return std::nullopt;
    }
    // A closing tag: its opening tag lies before it. Walk back over '<'s.
    for (qsizetype i = here->span.start - 1; i >= low; --i) {
        if (bytes[i] == '>' && i >= 2 && bytes[i - 1] == '-' && bytes[i - 2] == '-') {
            // The end of a comment: go back over all of it.
            const qsizetype open = bytes.sliced(low, i - low).lastIndexOf("<!--");
            if (open < 0) {
                return std::nullopt;
            }
            i = low + open;
            continue;
        }
        if (bytes[i] != '<') {
            continue;
        }
        const std::optional<Tag> tag = tagAt(bytes, i, here->span.start);
        if (!tag || !sameName(tag->name, here->name) || tag->selfClosing) {
            continue;
        }
        if (tag->closing) {
            ++depth;
        } else if (depth-- == 0) {
            return Pair{here->span, tag->span};
        }
    }
    return std::nullopt;
}

} // namespace tagmatch

} // namespace markwright
