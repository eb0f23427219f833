// The rich-text reader on any bytes: it never gives more characters than it
// was given bytes (every escape is longer than what it stands for), and text
// written the way an RTF writer escapes it reads back as exactly that text.
#include "Require.h"
#include "core/TextEncoding.h"
#include "files/RtfText.h"

#include <cstddef>
#include <cstdint>

namespace {
// `text` as the body of an RTF document: "\", "{" and "}" escaped with a
// "\", bytes above 127 as "\'hh" hexadecimal escapes, TABs as "\tab", and
// line breaks (which are not text in RTF) left out.
QByteArray escaped(const QByteArray& text) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += c;
        } else if (b >= 0x80) {
            rtf += "\\'" + QByteArray::number(b, 16);
        } else if (c == '\t') {
            rtf += "\\tab ";
        } else if (c != '\r' && c != '\n') {
            rtf += c;
        }
    }
    return rtf + '}';
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    require(rtfPlainText(bytes).size() <= bytes.size(), "no more characters than bytes");

    QByteArray plain = bytes;
    plain.replace('\r', QByteArray()).replace('\n', QByteArray());
    require(rtfPlainText(escaped(bytes)) == decodeWindows1252(plain),
            "escaped text reads back as written");
    require(looksLikeRtf(escaped(bytes)), "an RTF document looks like one");
    return 0;
}
