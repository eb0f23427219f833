#include "editor/Utf8Offsets.h"

#include <QString>
#include <gtest/gtest.h>

// Positions in the pane's UTF-8 bytes and in QString's UTF-16 units must map
// onto each other for every kind of character, or selections land in the
// middle of characters.
TEST(Utf8Offsets, MapsEveryCharacterBoundaryBothWays) {
    const QString text = QStringLiteral("a\u00e9\u4e2d") + QString::fromUcs4(U"\U0001F600") +
                         QStringLiteral("z") + QChar(0) + QStringLiteral("\r\n");
    const QByteArray bytes = text.toUtf8();
    struct Boundary {
        qsizetype utf16;
        qsizetype byte;
    };
    // a=1 byte, e-acute=2, CJK=3, emoji=4 bytes (2 units), z=1, NUL=1, CR LF=2.
    const Boundary boundaries[] = {{0, 0},  {1, 1},  {2, 3},  {3, 6}, {5, 10},
                                   {6, 11}, {7, 12}, {8, 13}, {9, 14}};
    for (const Boundary& b : boundaries) {
        EXPECT_EQ(utf8::utf16Length(bytes, b.byte), b.utf16) << "byte " << b.byte;
        EXPECT_EQ(utf8::byteOffset(bytes, b.utf16), b.byte) << "unit " << b.utf16;
    }
}

TEST(Utf8Offsets, ClampsPositionsPastTheEnd) {
    const QByteArray bytes = QStringLiteral("ab\u00e9").toUtf8();
    EXPECT_EQ(utf8::byteOffset(bytes, 100), bytes.size());
    EXPECT_EQ(utf8::utf16Length(bytes, 100), 3);
}
