#include "settings/IniFile.h"
#include "support/TestData.h"

#include <QRandomGenerator>
#include <optional>

TEST(IniFileRead, ProfileRules) {
    const QList<QByteArrayList> cases = testdata::table("expected/ini-read.txt");
    ASSERT_EQ(cases.size(), 21);
    for (const QByteArrayList& c : cases) {
        ASSERT_EQ(c.size(), 3);
        const std::optional<QString> expected =
            c[2] == "(none)" ? std::nullopt : std::optional(QString::fromUtf8(c[2]));
        EXPECT_EQ(ini::readValue(c[1], "Markwright", "Path"), expected) << c[0].toStdString();
    }
}

TEST(IniFileRead, LongValuesWrittenAndReadWhole) {
    for (const int length : {80, 260, 5000}) {
        const QString path = "C:\\" + QString(length - 3, QLatin1Char('p'));
        const QByteArray contents =
            ini::writeValue("[Markwright]\r\nPath=x\r\nNext=1\r\n", "Markwright", "Path", path);
        EXPECT_EQ(ini::readValue(contents, "Markwright", "Path"), path) << length;
        EXPECT_EQ(ini::readValue(contents, "Markwright", "Next"), QStringLiteral("1"));
    }
}

TEST(IniFileRead, BinaryContentIsSurvived) {
    const QByteArray withNuls =
        QByteArrayLiteral("\0\0\n[Markwright]\0\nPath=\0x\n\xFF\xFE\0\r\r\n");
    EXPECT_EQ(ini::readValue(withNuls, "Markwright", "Path"), QString(QChar(0)) + "x");

    // Garbage of every byte value: neither crashes, and real lines after it count.
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray junk(random.bounded(1, 400), '\0');
        for (char& c : junk) {
            c = static_cast<char>(random.bounded(256));
        }
        EXPECT_TRUE(ini::writeValue(junk, "Markwright", "Path", "v").startsWith(junk));
        EXPECT_EQ(ini::readValue(junk + "\n[Markwright]\nPath=ok\n", "Markwright", "Path"),
                  QStringLiteral("ok"));
    }
}

TEST(IniFileWrite, ChangesOnlyTheKeyLine) {
    const QList<QByteArrayList> cases = testdata::table("expected/ini-write.txt");
    ASSERT_EQ(cases.size(), 13);
    for (const QByteArrayList& c : cases) {
        ASSERT_EQ(c.size(), 4);
        EXPECT_EQ(ini::writeValue(c[1], "Markwright", "Path", QString::fromUtf8(c[2])), c[3])
            << c[0].toStdString();
    }
}
