// Any bytes at all, opened and saved again without edits, must give back
// exactly the same bytes, whatever encoding the reader settles on.
#include "Require.h"
#include "core/TextEncoding.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const DecodedText decoded = decodeText(bytes);
    const std::optional<QByteArray> saved =
        encodeText(decoded.text, decoded.encoding, decoded.charset);
    require(saved.has_value(), "the encoding a file was read in can hold its text");
    require(*saved == bytes, "decoding then encoding in the same encoding gives the bytes back");
    // The source pane holds UTF-8, which has no form for a lone surrogate.
    require(QStringView(decoded.text).isValidUtf16(), "decoded text is valid UTF-16");

    // Windows-1252 reads every byte as one character and writes it back.
    const QString windows = decodeWindows1252(bytes);
    require(windows.size() == bytes.size(), "Windows-1252 reads one character per byte");
    require(encodeText(windows, TextEncoding::Windows1252) == bytes,
            "Windows-1252 gives every byte back");
    return 0;
}
