#include "core/TextEncoding.h"
#include "core/CharsetPrescan.h"
#include "files/RtfText.h"
#include "support/TestData.h"

#include <QStringEncoder>

// Every fixture must come back byte for byte, in the encoding it was read in.
TEST(TextEncoding, FilesRoundTripByteForByte) {
    const QByteArrayList encodings{"Utf8",    "Utf8Bom",     "Utf16LE",
                                   "Utf16BE", "Windows1252", "Declared"};
    for (const QByteArray eol : {"\r\n", "\n", "\r", "\r\n\n\r"}) {
        for (const QByteArrayList& f : testdata::table("expected/encoding-fixtures.txt")) {
            SCOPED_TRACE(f[0].toStdString() + " eol " + eol.toHex().toStdString());
            QByteArray bytes = QByteArray(f[2]).replace("{eol}", eol);
            if (f[1] != "raw") {
                QStringEncoder utf16(f[1] == "le" ? QStringEncoder::Utf16LE
                                                  : QStringEncoder::Utf16BE,
                                     QStringEncoder::Flag::WriteBom);
                bytes = utf16(QString::fromUtf8(bytes));
            }
            const DecodedText decoded = decodeText(bytes);
            EXPECT_EQ(encodings.value(static_cast<int>(decoded.encoding)), f[3]);
            EXPECT_EQ(encodeText(decoded.text, decoded.encoding, decoded.charset), bytes);
        }
    }
    EXPECT_EQ(decodeText("caf\xE9").text, QStringLiteral("caf\u00e9"));
    EXPECT_EQ(decodeText("\x80").text, QStringLiteral("\u20ac"));
}

TEST(TextEncoding, FindsTheCharsetAPageDeclaresAsBrowsersDo) {
    for (const QByteArrayList& row : testdata::table("expected/declared-charsets.txt")) {
        SCOPED_TRACE(row[0].toStdString());
        EXPECT_EQ(declaredCharset(row[1]), QString::fromLatin1(row.value(2)));
    }
    // Browsers look no further than the first 1024 bytes.
    const QByteArray meta = "<meta charset=koi8-r>";
    EXPECT_EQ(declaredCharset(QByteArray(1024 - meta.size(), ' ') + meta), "KOI8-R");
    EXPECT_EQ(declaredCharset(QByteArray(1025 - meta.size(), ' ') + meta), "");
}

TEST(TextEncoding, LegacyEncodingRefusesCharactersItCannotHold) {
    EXPECT_EQ(encodeText(QStringLiteral("\u20ac\u00e9"), TextEncoding::Windows1252),
              QByteArray("\x80\xE9"));
    EXPECT_FALSE(encodeText(QStringLiteral("\u4e2d"), TextEncoding::Windows1252).has_value());
    EXPECT_FALSE(encodeText(QString::fromUcs4(U"\U0001F600"), TextEncoding::Windows1252));
    EXPECT_TRUE(encodeText(QString::fromUcs4(U"\U0001F600"), TextEncoding::Utf16LE).has_value());
    // A declared charset: the same, and a charset it does not know holds nothing.
    EXPECT_EQ(encodeText(QStringLiteral("\u4e2d\\"), TextEncoding::Declared, "Shift_JIS"),
              QByteArray("\x92\x86\\"));
    EXPECT_FALSE(encodeText(QStringLiteral("\u00e9"), TextEncoding::Declared, "KOI8-R"));
    EXPECT_FALSE(encodeText(QStringLiteral("a"), TextEncoding::Declared, "x-nonsense"));
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
