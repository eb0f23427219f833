#include "core/TextEncoding.h"

#include "core/CharsetPrescan.h"
#include "core/LegacyCharset.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>

namespace markwright {

namespace {
// Windows-1252 bytes 0x80 to 0x9F; the five unassigned ones map to the C1
// control character of the same number, so every byte reads and writes back.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decode1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

std::optional<QByteArray> encode1252(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *out++ = static_cast<char>(u);
            continue;
        }
        int found = -1;
        for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
            if (Cp1252High[i] == u) {
                found = static_cast<int>(i);
                break;
            }
        }
        if (found < 0) {
            return std::nullopt;
        }
        *out++ = static_cast<char>(0x80 + found);
    }
    return bytes;
}

bool startsWith(const QByteArray& bytes, const char* bom, int length) {
    return bytes.size() >= length && std::equal(bom, bom + length, bytes.constData());
}

std::optional<QString> decodeStrict(QStringConverter::Encoding encoding, QByteArrayView bytes) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

// Reads `bytes` as `encoding` when that gives the same bytes back.
std::optional<DecodedText> tryDecode(const QByteArray& bytes, TextEncoding encoding,
                                     QStringConverter::Encoding converter, int bomLength) {
    const std::optional<QString> text =
        decodeStrict(converter, QByteArrayView(bytes).sliced(bomLength));
    // A lone surrogate would not survive the pane (which holds UTF-8).
    if (!text || !QStringView(*text).isValidUtf16()) {
        return std::nullopt;
    }
    const std::optional<QByteArray> again = encodeText(*text, encoding);
    if (!again || *again != bytes) {
        return std::nullopt;
    }
    return DecodedText{*text, encoding, QString()};
}
// Reads `bytes` in the charset the page declares, when it is one this file
// does not read itself and gives the same bytes back.
std::optional<DecodedText> tryDeclared(const QByteArray& bytes) {
    const QString name = declaredCharset(bytes);
    if (name.isEmpty() || name == QLatin1String("UTF-8") || name == QLatin1String("windows-1252")) {
        return std::nullopt;
    }
    const std::optional<LegacyCharset> charset = LegacyCharset::forLabel(name.toLatin1());
    const std::optional<QString> text = charset ? charset->decode(bytes) : std::nullopt;
    if (!text || charset->encode(*text) != bytes) {
        return std::nullopt;
    }
    return DecodedText{*text, TextEncoding::Declared, name};
}
} // namespace

QString decodeWindows1252(QByteArrayView bytes) {
    return decode1252(bytes);
}

DecodedText decodeText(const QByteArray& bytes) {
    std::optional<DecodedText> decoded;
    if (startsWith(bytes, "\xEF\xBB\xBF", 3)) {
        decoded = tryDecode(bytes, TextEncoding::Utf8Bom, QStringConverter::Utf8, 3);
    } else if (startsWith(bytes, "\xFF\xFE", 2)) {
        decoded = tryDecode(bytes, TextEncoding::Utf16LE, QStringConverter::Utf16LE, 2);
    } else if (startsWith(bytes, "\xFE\xFF", 2)) {
        decoded = tryDecode(bytes, TextEncoding::Utf16BE, QStringConverter::Utf16BE, 2);
    }
    if (!decoded) {
        decoded = tryDecode(bytes, TextEncoding::Utf8, QStringConverter::Utf8, 0);
    }
    if (!decoded) {
        decoded = tryDeclared(bytes);
    }
    if (!decoded) {
        decoded = DecodedText{decode1252(bytes), TextEncoding::Windows1252, QString()};
    }
    return *decoded;
}

std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding,
                                     const QString& charset) {
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: {
        QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QByteArray bytes = encoder.encode(text);
        if (encoder.hasError()) {
            return std::nullopt;
        }
        return encoding == TextEncoding::Utf8Bom ? QByteArray("\xEF\xBB\xBF") + bytes : bytes;
    }
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool little = encoding == TextEncoding::Utf16LE;
        QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               QStringConverter::Flag::Stateless);
        QByteArray bytes = encoder.encode(text);
        if (encoder.hasError()) {
            return std::nullopt;
        }
        return QByteArray(little ? "\xFF\xFE" : "\xFE\xFF", 2) + bytes;
    }
    case TextEncoding::Windows1252:
        return encode1252(text);
    case TextEncoding::Declared: {
        const std::optional<LegacyCharset> legacy = LegacyCharset::forLabel(charset.toLatin1());
        return legacy ? legacy->encode(text) : std::nullopt;
    }
    }
    return std::nullopt;
}

QString encodingName(TextEncoding encoding, const QString& charset) {
    switch (encoding) {
    case TextEncoding::Declared:
        return charset;
    case TextEncoding::Utf16LE:
        return QStringLiteral("utf-16le");
    case TextEncoding::Utf16BE:
        return QStringLiteral("utf-16be");
    case TextEncoding::Windows1252:
        return QStringLiteral("windows-1252");
    default:
        return QStringLiteral("utf-8");
    }
}

} // namespace markwright
