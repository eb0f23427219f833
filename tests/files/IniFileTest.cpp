#include "files/IniFile.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <optional>
#include <vector>

TEST(IniFileRead, ProfileRules) {
    struct Case {
        const char* name;
        QByteArray contents;
        std::optional<QString> expected; // value of Path in [Markwright]
    };
    const std::vector<Case> cases = {
        {"plain", "[Markwright]\nPath=C:\\Web\n", "C:\\Web"},
        {"section and key any case", "[markWRIGHT]\npATH=x\n", "x"},
        {"blanks around everything", "  [ Markwright ]  \n \t Path \t=\t  a b  \n", "a b"},
        {"value keeps later equals signs", "[Markwright]\nPath=a=b==c\n", "a=b==c"},
        {"quotes removed", "[Markwright]\nPath=\" spaced \"\n", " spaced "},
        {"unmatched quotes kept", "[Markwright]\nPath=\"x'\n", "\"x'"},
        {"first of two keys", "[Markwright]\nPath=first\nPath=second\n", "first"},
        {"commented key ignored", "[Markwright]\n;Path=old\nPath=new\n", "new"},
        {"key of another section", "[Other]\nPath=x\n[Markwright]\nName=y\n", std::nullopt},
        {"key before any section", "Path=x\n[Markwright]\n", std::nullopt},
        {"only the first of two sections", "[Markwright]\nA=1\n[MARKWRIGHT]\nPath=x\n",
         std::nullopt},
        {"section name must match whole", "[Markwright2]\nPath=x\n", std::nullopt},
        {"line without equals is no key", "[Markwright]\nPath\n", std::nullopt},
        {"empty value is still there", "[Markwright]\nPath=\n", ""},
        {"empty file", "", std::nullopt},
        {"CR LF line ends", "[A]\r\nx=1\r\n[Markwright]\r\nPath=C:\\Web\r\nNext=2\r\n", "C:\\Web"},
        {"mixed line ends, none at the end", "[Markwright]\r\nA=1\rB=2\nPath=3", "3"},
        {"byte order mark skipped", "\xEF\xBB\xBF[Markwright]\r\nPath=x\r\n", "x"},
        {"Windows code page text", "[Markwright]\nPath=Caf\xE9 \x80\x93\n",
         QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C")},
        {"UTF-8 line beside code page line", "[Markwright]\nA=\xE9\nPath=\xC3\xA9\n",
         QString::fromUtf8("\xC3\xA9")},
        {"header without closing bracket", "[Markwright\nPath=x\n", "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini::readValue(c.contents, "Markwright", "Path"), c.expected) << c.name;
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
    struct Case {
        const char* name;
        QByteArray before;
        QString value;
        QByteArray after;
    };
    const std::vector<Case> cases = {
        {"replace in CR LF file",
         "; settings\r\n[Other]\r\nPath=keep\r\n\r\n[Markwright]\r\nA=1\r\nPath=old\r\nB=2\r\n",
         "new",
         "; settings\r\n[Other]\r\nPath=keep\r\n\r\n[Markwright]\r\nA=1\r\nPath=new\r\nB=2\r\n"},
        {"replace in LF file", "[Markwright]\n;c\nPath = \"old\"\n[Z]\nPath=z\n", "new",
         "[Markwright]\n;c\nPath=new\n[Z]\nPath=z\n"},
        {"key found in any case, written as given", "[markwright]\r\n  path=old  \r\n", "new",
         "[markwright]\r\nPath=new\r\n"},
        {"only the first of two keys", "[Markwright]\nPath=1\nPath=2\n", "9",
         "[Markwright]\nPath=9\nPath=2\n"},
        {"commented key left alone", "[Markwright]\n;Path=old\n", "new",
         "[Markwright]\n;Path=old\nPath=new\n"},
        {"add after last filled line of section", "[Markwright]\r\nA=1\r\n\r\n[Other]\r\nB=2\r\n",
         "x", "[Markwright]\r\nA=1\r\nPath=x\r\n\r\n[Other]\r\nB=2\r\n"},
        {"add at end of file without line end", "[Markwright]\r\nA=1", "x",
         "[Markwright]\r\nA=1\r\nPath=x\r\n"},
        {"add section to CR LF file", "[Other]\r\nA=1\r\n", "x",
         "[Other]\r\nA=1\r\n[Markwright]\r\nPath=x\r\n"},
        {"add section to LF file without line end", "[Other]\nA=1", "x",
         "[Other]\nA=1\n[Markwright]\nPath=x\n"},
        {"byte order mark kept before header", "\xEF\xBB\xBF[Markwright]\nPath=old\n", "new",
         "\xEF\xBB\xBF[Markwright]\nPath=new\n"},
        {"value stored raw as UTF-8", "[Markwright]\nPath=x\n",
         QString::fromUtf8("a=\"b\" \xC3\xA9"), "[Markwright]\nPath=a=\"b\" \xC3\xA9\n"},
        {"code page lines kept byte for byte", "[Markwright]\nA=\xE9\x80\nPath=old\n", "new",
         "[Markwright]\nA=\xE9\x80\nPath=new\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini::writeValue(c.before, "Markwright", "Path", c.value), c.after) << c.name;
    }
}

TEST(IniFileWrite, EmptyFileGetsPlatformLineEnds) {
#ifdef Q_OS_WIN
    const QByteArray expected = "[Markwright]\r\nPath=x\r\n";
#else
    const QByteArray expected = "[Markwright]\nPath=x\n";
#endif
    EXPECT_EQ(ini::writeValue(QByteArray(), "Markwright", "Path", "x"), expected);
}
