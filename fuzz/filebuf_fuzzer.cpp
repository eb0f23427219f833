// The text forms of an open/save dialog request on any UTF-16 text. A filter
// converts to its NUL-separated list and back; the name filters made from a
// list are well formed; a returned buffer is cut exactly at its first end
// marker, with the single NULs before it turned into blanks.
#include "Require.h"
#include "dialogs/FileDialogBuffers.h"

#include <cstddef>
#include <cstdint>

namespace {
const QChar Nul(0);

// Two NULs in a row at `i`, the second not being the buffer's last character.
bool endMarkerAt(const QString& text, qsizetype i) {
    return i + 2 < text.size() && text[i] == Nul && text[i + 1] == Nul;
}

void checkConvertFilter(const QString& filter) {
    const QString list = filebuf::convertFilter(filter);
    require(list.size() == filter.size() + 2 && list.endsWith(QString(2, Nul)),
            "two NULs appended");
    require(!list.contains(QLatin1Char('|')), "every | turned into a NUL");
    require(QString(list).chopped(2).replace(Nul, QLatin1Char('|')) ==
                QString(filter).replace(Nul, QLatin1Char('|')),
            "nothing else changed");

    const QStringList names = filebuf::nameFiltersFromList(list);
    require(names.size() <= (list.count(Nul) + 1) / 2, "at most one per pair");
    for (const QString& name : names) {
        require(!name.contains(Nul), "no NUL in a name filter");
        require(name.indexOf(QLatin1String(" ("), 1) > 0 && name.endsWith(QLatin1Char(')')),
                "a description, then patterns in brackets");
    }
}

void checkTrimNulls(const QString& buffer) {
    const QString trimmed = filebuf::trimNulls(buffer);
    qsizetype marker = 0;
    while (marker < buffer.size() && !endMarkerAt(buffer, marker)) {
        ++marker;
    }
    if (marker == buffer.size()) {
        require(trimmed == buffer, "a buffer without an end marker is unchanged");
        return;
    }
    require(trimmed.size() == marker, "cut at the first end marker");
    for (qsizetype i = 0; i < marker; ++i) {
        require(trimmed[i] == (buffer[i] == Nul ? QChar(QLatin1Char(' ')) : buffer[i]),
                "single NULs become blanks, all else is kept");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    checkConvertFilter(text);
    checkTrimNulls(text);
    checkTrimNulls(filebuf::convertFilter(text));
    return 0;
}
