#include "core/TextEncoding.h"
#include "files/RtfText.h"

#include <gtest/gtest.h>

namespace {
QByteArray utf16(const QString& text, bool little) {
    QByteArray bytes(little ? "\xFF\xFE" : "\xFE\xFF", 2);
    for (const QChar c : text) {
        const char hi = static_cast<char>(c.unicode() >> 8);
        const char lo = static_cast<char>(c.unicode() & 0xFF);
        bytes.append(little ? lo : hi);
        bytes.append(little ? hi : lo);
    }
    return bytes;
}
} // namespace

// Every fixture must come back byte for byte, in the encoding it was read in.
TEST(TextEncoding, FilesRoundTripByteForByte) {
    const char* const lineEnds[] = {"\r\n", "\n", "\r", "\r\n\n\r"};
    for (const char* eol : lineEnds) {
        const QString text = QStringLiteral("<p>caf\u00e9 \u20ac \u4e2d</p>") + eol + "end" + eol;
        struct Fixture {
            const char* name;
            QByteArray bytes;
            TextEncoding expected;
        };
        const Fixture fixtures[] = {
            {"utf-8", text.toUtf8(), TextEncoding::Utf8},
            {"utf-8 bom", "\xEF\xBB\xBF" + text.toUtf8(), TextEncoding::Utf8Bom},
            {"utf-16le bom", utf16(text, true), TextEncoding::Utf16LE},
            {"utf-16be bom", utf16(text, false), TextEncoding::Utf16BE},
            {"windows-1252", QByteArray("<p>caf\xE9 \x80 \x81\x8D\x8F\x90\x9D</p>") + eol,
             TextEncoding::Windows1252},
            {"invalid utf-8", QByteArray("a\xC3(b\xFF") + eol, TextEncoding::Windows1252},
            {"nul bytes", QByteArray("a\0b\0\0c", 6) + eol, TextEncoding::Utf8},
            {"empty", QByteArray(), TextEncoding::Utf8},
            {"utf-16 odd length", QByteArray("\xFF\xFE\x41", 3), TextEncoding::Windows1252},
            {"utf-16 lone surrogate", QByteArray("\xFF\xFE\x3D\xD8\x61\x00", 6),
             TextEncoding::Windows1252},
        };
        for (const Fixture& f : fixtures) {
            SCOPED_TRACE(std::string(f.name) + " eol " + QByteArray(eol).toHex().toStdString());
            const DecodedText decoded = decodeText(f.bytes);
            EXPECT_EQ(decoded.encoding, f.expected);
            const std::optional<QByteArray> again = encodeText(decoded.text, decoded.encoding);
            ASSERT_TRUE(again.has_value());
            EXPECT_EQ(*again, f.bytes);
        }
    }
    EXPECT_EQ(decodeText("caf\xE9").text, QStringLiteral("caf\u00e9"));
    EXPECT_EQ(decodeText("\x80").text, QStringLiteral("\u20ac"));
}

TEST(TextEncoding, LegacyEncodingRefusesCharactersItCannotHold) {
    EXPECT_EQ(encodeText(QStringLiteral("\u20ac\u00e9"), TextEncoding::Windows1252),
              QByteArray("\x80\xE9"));
    EXPECT_FALSE(encodeText(QStringLiteral("\u4e2d"), TextEncoding::Windows1252).has_value());
    EXPECT_FALSE(encodeText(QString::fromUcs4(U"\U0001F600"), TextEncoding::Windows1252));
    EXPECT_TRUE(encodeText(QString::fromUcs4(U"\U0001F600"), TextEncoding::Utf16LE).has_value());
}

TEST(RtfText, ShowsThePlainTextOfARichTextFile) {
    const QByteArray rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
        "{\\*\\generator Writer;}\\f0 Hello \\b bold\\b0\\par\n"
        "caf\\'e9 \\u20013?x\\tab y\\{z\\}}";
    ASSERT_TRUE(looksLikeRtf(rtf));
    EXPECT_EQ(rtfPlainText(rtf), QStringLiteral("Hello bold\r\ncaf\u00e9 \u4e2dx\ty{z}"));
    EXPECT_FALSE(looksLikeRtf("<html>"));
}
