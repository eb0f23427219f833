#include "editor/Utf8Offsets.h"
#include "support/TestData.h"

// Positions in the pane's UTF-8 bytes and in QString's UTF-16 units must map
// onto each other for every kind of character, or selections land in the
// middle of characters; positions past the end are clamped.
TEST(Utf8Offsets, MapsEveryCharacterBoundaryBothWays) {
    const QByteArray bytes = (QStringLiteral("a\u00e9\u4e2d") + QString::fromUcs4(U"\U0001F600") +
                              QStringLiteral("z") + QChar(0) + QStringLiteral("\r\n"))
                                 .toUtf8();
    for (const QByteArrayList& b : testdata::table("expected/utf8-offsets.txt")) {
        EXPECT_EQ(utf8::utf16Length(bytes, b[1].toLongLong()), b[0].toLongLong())
            << "byte " << b[1].data();
        EXPECT_EQ(utf8::byteOffset(bytes, b[0].toLongLong()), b[1].toLongLong())
            << "unit " << b[0].data();
    }
    EXPECT_EQ(utf8::byteOffset(bytes, 100), bytes.size());
    EXPECT_EQ(utf8::utf16Length(bytes, 100), 9);
}
