#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace markwright {

// How a document's bytes are turned into text and back. A file opened and
// saved without edits gets exactly its bytes back: a file is only read in an
// encoding that gives those bytes again, and any byte sequence at all can be
// read as Windows-1252 (its five unassigned bytes become the control
// characters of the same number). `Declared` is the charset a page names in
// its <meta> tag (KOI8-R, Shift_JIS, GBK...); its name goes alongside.
enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252, Declared };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
    // For `Declared`, the charset's name (a LegacyCharset name); else empty.
    QString charset;
};

// Reads bytes in the encoding their byte-order mark names, else as UTF-8 when
// they are valid UTF-8, else in the charset the page declares when that
// gives the same bytes back, else as Windows-1252.
DecodedText decodeText(const QByteArray& bytes);

// The bytes of `text` in `encoding` (with its byte-order mark), or nullopt
// when the encoding cannot hold one of its characters. `charset` names the
// charset of `Declared`.
std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding,
                                     const QString& charset = QString());

// Reads every byte as its Windows-1252 character.
QString decodeWindows1252(QByteArrayView bytes);

// The name a browser knows the encoding by ("utf-8", "windows-1252"...);
// for `Declared`, the charset's.
QString encodingName(TextEncoding encoding, const QString& charset = QString());

} // namespace markwright
