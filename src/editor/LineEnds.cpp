#include "editor/LineEnds.h"

namespace markwright {

namespace lineends {

namespace {
// The line end starting at `i` (a CR or LF there), and its length.
Style endAt(QByteArrayView bytes, qsizetype i, qsizetype& length) {
    if (bytes[i] == '\r') {
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            length = 2;
            return Style::CrLf;
        }
        length = 1;
        return Style::Cr;
    }
    length = 1;
    return Style::Lf;
}

// The next CR or LF at or after `from`, or -1. One forward scan, so a whole
// pass over the page stays linear whatever mix of line ends it holds.
qsizetype nextEnd(QByteArrayView bytes, qsizetype from) {
    const char* const data = bytes.data();
    for (qsizetype i = from; i < bytes.size(); ++i) {
        if (data[i] == '\r' || data[i] == '\n') {
            return i;
        }
    }
    return -1;
}
} // namespace

Style first(QByteArrayView bytes) {
    const qsizetype at = nextEnd(bytes, 0);
    if (at < 0) {
        return Style::None;
    }
    qsizetype length = 0;
    return endAt(bytes, at, length);
}

Style overall(QByteArrayView bytes) {
    Style seen = Style::None;
    for (qsizetype at = nextEnd(bytes, 0); at >= 0;) {
        qsizetype length = 0;
        const Style here = endAt(bytes, at, length);
        if (seen == Style::None) {
            seen = here;
        } else if (seen != here) {
            return Style::Mixed;
        }
        at = at + length < bytes.size() ? nextEnd(bytes, at + length) : -1;
    }
    return seen;
}

QString name(Style style) {
    switch (style) {
    case Style::CrLf:
        return QStringLiteral("CR LF");
    case Style::Lf:
        return QStringLiteral("LF");
    case Style::Cr:
        return QStringLiteral("CR");
    case Style::Mixed:
        return QStringLiteral("mixed");
    case Style::None:
        break;
    }
    return QStringLiteral("none");
}

} // namespace lineends

} // namespace markwright
