#include "files/IniFile.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <optional>
#include <vector>

namespace {

// Bytes of a literal, embedded NULs included.
template <std::size_t N> QByteArray bytes(const char (&text)[N]) {
    return QByteArray(text, static_cast<qsizetype>(N - 1));
}

std::string shown(const std::optional<QString>& value) {
    return value ? "\"" + value->toStdString() + "\"" : std::string("(none)");
}

struct ReadCase {
    const char* name;
    QByteArray contents;
    QString section;
    QString key;
    std::optional<QString> expected;
};

} // namespace

TEST(IniFileRead, ProfileRules) {
    const std::vector<ReadCase> cases = {
        {"plain", "[Markwright]\nPath=C:\\Web\n", "Markwright", "Path", "C:\\Web"},
        {"section and key any case", "[markWRIGHT]\npATH=x\n", "Markwright", "Path", "x"},
        {"blanks around everything", "  [ Markwright ]  \n \t Path \t=\t  a b  \n", "Markwright",
         "Path", "a b"},
        {"value keeps later equals signs", "[Markwright]\nq=a=b==c\n", "Markwright", "q", "a=b==c"},
        {"double quotes removed", "[Markwright]\nPath=\" spaced \"\n", "Markwright", "Path",
         " spaced "},
        {"single quotes removed", "[Markwright]\nPath='x'\n", "Markwright", "Path", "x"},
        {"unmatched quotes kept", "[Markwright]\nPath=\"x'\n", "Markwright", "Path", "\"x'"},
        {"first of two keys", "[Markwright]\nPath=first\nPath=second\n", "Markwright", "Path",
         "first"},
        {"commented key ignored", "[Markwright]\n;Path=old\nPath=new\n", "Markwright", "Path",
         "new"},
        {"key of another section", "[Other]\nPath=x\n[Markwright]\nName=y\n", "Markwright", "Path",
         std::nullopt},
        {"key before any section", "Path=x\n[Markwright]\n", "Markwright", "Path", std::nullopt},
        {"only the first of two sections", "[Markwright]\nA=1\n[Markwright]\nPath=x\n",
         "Markwright", "Path", std::nullopt},
        {"first of two sections wins", "[Markwright]\nPath=1\n[MARKWRIGHT]\nPath=2\n", "Markwright",
         "Path", "1"},
        {"section name must match whole", "[Markwright2]\nPath=x\n", "Markwright", "Path",
         std::nullopt},
        {"line without equals is no key", "[Markwright]\nPath\n", "Markwright", "Path",
         std::nullopt},
        {"empty value is still there", "[Markwright]\nPath=\n", "Markwright", "Path", ""},
        {"no section", "Path=x\n", "Markwright", "Path", std::nullopt},
        {"empty file", "", "Markwright", "Path", std::nullopt},
        {"CR LF line ends", "[A]\r\nx=1\r\n[Markwright]\r\nPath=C:\\Web\r\nNext=2\r\n",
         "Markwright", "Path", "C:\\Web"},
        {"lone CR line ends", "[A]\rPath=1\r[Markwright]\rPath=2\r", "Markwright", "Path", "2"},
        {"mixed line ends", "[Markwright]\r\nA=1\rB=2\nPath=3", "Markwright", "Path", "3"},
        {"last line without line end", "[Markwright]\nPath=end", "Markwright", "Path", "end"},
        {"byte order mark skipped", "\xEF\xBB\xBF[Markwright]\r\nPath=x\r\n", "Markwright", "Path",
         "x"},
        {"UTF-8 text", "[Markwright]\nPath=C:\\Caf\xC3\xA9 \xE2\x82\xAC\n", "Markwright", "Path",
         QString::fromUtf8("C:\\Caf\xC3\xA9 \xE2\x82\xAC")},
        {"Windows code page text", "[Markwright]\nPath=Caf\xE9 \x80\x93\n", "Markwright", "Path",
         QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C")},
        {"code page line beside UTF-8 line", "[Markwright]\nA=\xE9\nPath=\xC3\xA9\n", "Markwright",
         "Path", QString::fromUtf8("\xC3\xA9")},
        {"header without closing bracket", "[Markwright\nPath=x\n", "Markwright", "Path", "x"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QString> got = ini::readValue(c.contents, c.section, c.key);
        EXPECT_EQ(got, c.expected) << "got " << shown(got) << ", wanted " << shown(c.expected);
    }
}

TEST(IniFileRead, LongValuesComeBackWhole) {
    for (const int length : {79, 80, 100, 260, 5000}) {
        SCOPED_TRACE(length);
        QString path = QStringLiteral("C:\\");
        while (path.size() < length) {
            path += QStringLiteral("Folder%1\\").arg(path.size());
        }
        path.truncate(length);
        const QByteArray contents = "[Markwright]\r\nPath=" + path.toUtf8() + "\r\nNext=1\r\n";
        EXPECT_EQ(ini::readValue(contents, "Markwright", "Path"), path);
        EXPECT_EQ(ini::readValue(contents, "Markwright", "Next"), QStringLiteral("1"));
    }
}

TEST(IniFileRead, BinaryContentIsSurvived) {
    const QByteArray withNuls = bytes("\0\0\n[Markwright]\0\nPath=\0x\n\xFF\xFE\0\r\r\n");
    EXPECT_EQ(ini::readValue(withNuls, "Markwright", "Path"), QString(QChar(0)) + "x");

    // Garbage of every byte value, sometimes with real lines mixed in: the
    // reader and writer must neither crash nor lose the mixed-in key.
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray junk(random.bounded(1, 400), '\0');
        for (char& c : junk) {
            c = static_cast<char>(random.bounded(256));
        }
        (void)ini::readValue(junk, "Markwright", "Path");
        const QByteArray written = ini::writeValue(junk, "Markwright", "Path", "v");
        EXPECT_TRUE(written.startsWith(junk));
        EXPECT_EQ(ini::readValue(junk + "\n[Markwright]\nPath=ok\n", "Markwright", "Path"),
                  QStringLiteral("ok"));
    }
}

namespace {

struct WriteCase {
    const char* name;
    QByteArray before;
    QString key;
    QString value;
    QByteArray after;
};

} // namespace

TEST(IniFileWrite, ChangesOnlyTheKeyLine) {
    const std::vector<WriteCase> cases = {
        {"replace in CR LF file",
         "; settings\r\n[Other]\r\nPath=keep\r\n\r\n[Markwright]\r\nA=1\r\nPath=old\r\nB=2\r\n",
         "Path", "new",
         "; settings\r\n[Other]\r\nPath=keep\r\n\r\n[Markwright]\r\nA=1\r\nPath=new\r\nB=2\r\n"},
        {"replace in LF file", "[Markwright]\n;c\nPath = \"old\"\n[Z]\nPath=z\n", "Path", "new",
         "[Markwright]\n;c\nPath=new\n[Z]\nPath=z\n"},
        {"replace keeps lone CR ends", "[Markwright]\rPath=old\rB=2\r", "Path", "new",
         "[Markwright]\rPath=new\rB=2\r"},
        {"key spelled as given", "[markwright]\r\n  path=old  \r\n", "Path", "new",
         "[markwright]\r\nPath=new\r\n"},
        {"only the first of two keys", "[Markwright]\nPath=1\nPath=2\n", "Path", "9",
         "[Markwright]\nPath=9\nPath=2\n"},
        {"replace on last line without line end", "[Markwright]\nPath=old", "Path", "new",
         "[Markwright]\nPath=new"},
        {"commented key left alone", "[Markwright]\n;Path=old\n", "Path", "new",
         "[Markwright]\n;Path=old\nPath=new\n"},
        {"add after last filled line of section",
         "[Markwright]\r\nA=1\r\n\r\n\r\n[Other]\r\nB=2\r\n", "Path", "x",
         "[Markwright]\r\nA=1\r\nPath=x\r\n\r\n\r\n[Other]\r\nB=2\r\n"},
        {"add to section holding only its header", "[Markwright]\n[Other]\n", "Path", "x",
         "[Markwright]\nPath=x\n[Other]\n"},
        {"add to first of two sections", "[Markwright]\nA=1\n[Markwright]\nPath=2\n", "Path", "x",
         "[Markwright]\nA=1\nPath=x\n[Markwright]\nPath=2\n"},
        {"add at end of file without line end", "[Markwright]\r\nA=1", "Path", "x",
         "[Markwright]\r\nA=1\r\nPath=x\r\n"},
        {"add section to CR LF file", "[Other]\r\nA=1\r\n", "Path", "x",
         "[Other]\r\nA=1\r\n[Markwright]\r\nPath=x\r\n"},
        {"add section to LF file without line end", "[Other]\nA=1", "Path", "x",
         "[Other]\nA=1\n[Markwright]\nPath=x\n"},
        {"add section after blank lines", "[Other]\n\n\n", "Path", "x",
         "[Other]\n\n\n[Markwright]\nPath=x\n"},
        {"byte order mark kept when adding section", "\xEF\xBB\xBFPath=old\n", "Path", "new",
         "\xEF\xBB\xBFPath=old\n[Markwright]\nPath=new\n"},
        {"byte order mark kept before header", "\xEF\xBB\xBF[Markwright]\nPath=old\n", "Path",
         "new", "\xEF\xBB\xBF[Markwright]\nPath=new\n"},
        {"value stored raw as UTF-8", "[Markwright]\nPath=x\n", "Path",
         QString::fromUtf8("a=\"b\" \xC3\xA9"), "[Markwright]\nPath=a=\"b\" \xC3\xA9\n"},
        {"code page lines kept byte for byte", "[Markwright]\nA=\xE9\x80\nPath=old\n", "Path",
         "new", "[Markwright]\nA=\xE9\x80\nPath=new\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ini::writeValue(c.before, "Markwright", c.key, c.value), c.after);
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

TEST(IniFileWrite, WrittenValuesReadBack) {
    const QString longPath = QStringLiteral("D:\\") + QString(300, QLatin1Char('p'));
    const QString values[] = {longPath, QStringLiteral("a=b"),
                              QString::fromUtf8("\xC3\xA9\xE2\x82\xAC"), QStringLiteral("x")};
    QByteArray contents = "[Other]\r\nPath=other\r\n";
    for (const QString& value : values) {
        contents = ini::writeValue(contents, "Markwright", "Path", value);
        EXPECT_EQ(ini::readValue(contents, "Markwright", "Path"), value);
        EXPECT_EQ(ini::readValue(contents, "Other", "Path"), QStringLiteral("other"));
    }
    EXPECT_EQ(contents, QByteArray("[Other]\r\nPath=other\r\n[Markwright]\r\nPath=x\r\n"));
}
