#include "files/SettingsStore.h"

#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>
#include <vector>

namespace {

const QString kProblem = QStringLiteral("PROBLEM WITH INI FILE");

// Bytes of a literal, embedded NULs included.
template <std::size_t N> QByteArray bytes(const char (&text)[N]) {
    return QByteArray(text, static_cast<qsizetype>(N - 1));
}

void writeBytes(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(contents), contents.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ProgramFolder {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    SettingsStore store{dir.path(), prompts};
};

} // namespace

TEST(SettingsStoreIni, FileSitsInProgramFolder) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.dir.isValid());
    EXPECT_EQ(folder.store.iniPath(), folder.dir.path() + "/Markwright.ini");
}

TEST(SettingsStoreIni, MissingOrEmptyValueIsReported) {
    struct Case {
        const char* name;
        std::optional<QByteArray> contents; // nullopt: no file at all
    };
    const std::vector<Case> cases = {
        {"no file", std::nullopt},
        {"empty file", QByteArray()},
        {"no section", "[Other]\r\nPath=C:\\Web\r\n"},
        {"no key", "[Markwright]\r\nOther=1\r\n"},
        {"empty value", "[Markwright]\r\nPath=\r\n"},
        {"blank value", "[Markwright]\nPath=  \t \n"},
        {"quoted empty value", "[Markwright]\nPath=\"\"\n"},
        {"binary file", bytes("\0\x01\xFF[Markwright\0]\r\0Path\0=x\n\xC3\0")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        if (c.contents) {
            writeBytes(folder.store.iniPath(), *c.contents);
        }
        folder.prompts.expectMessage(kProblem);
        EXPECT_EQ(folder.store.readIniKey("Path"), QString());
        folder.prompts.verifyDone();
        ASSERT_EQ(folder.prompts.seen().size(), 1u);
        EXPECT_EQ(folder.prompts.seen().front().icon, Prompts::Icon::Information);
    }
}

TEST(SettingsStoreIni, PresentValueIsReadWhole) {
    const QByteArray longPath =
        "C:\\Program Files\\Tollvane Web Design\\Customer Sites\\Spring Catalogue 1999\\"
        "Pages\\Drafts\\Approved by Marketing\\Images";
    ASSERT_GT(longPath.size(), 100);
    const QByteArray hugeLine(5000, 'w');
    struct Case {
        const char* name;
        QByteArray contents;
        QByteArray expected;
    };
    const std::vector<Case> cases = {
        {"long folder path, CR LF", "[Markwright]\r\nPath=" + longPath + "\r\n", longPath},
        {"long folder path, LF", "[Markwright]\nPath=" + longPath + "\n", longPath},
        {"5000 characters", "[Markwright]\nPath=" + hugeLine + "\nNext=1\n", hugeLine},
        {"any case", "[MARKWRIGHT]\r\npath = C:\\Web \r\n", "C:\\Web"},
        {"first of two", "[Markwright]\nPath=one\nPath=two\n", "one"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        writeBytes(folder.store.iniPath(), c.contents);
        EXPECT_EQ(folder.store.readIniKey("Path"), QString::fromUtf8(c.expected));
        EXPECT_TRUE(folder.prompts.seen().empty());
    }
}

TEST(SettingsStoreIni, WriteTrimsSpacesForFileAndCaller) {
    ProgramFolder folder;
    QString value = QStringLiteral("  C:\\My Site  ");
    EXPECT_TRUE(folder.store.writeIniKey("Path", value));
    EXPECT_EQ(value, QStringLiteral("C:\\My Site"));
    const QByteArray contents = readBytes(folder.store.iniPath());
    EXPECT_TRUE(contents.contains("\nPath=C:\\My Site\n") ||
                contents.contains("\nPath=C:\\My Site\r\n"))
        << contents.toStdString();
    EXPECT_EQ(folder.store.readIniKey("Path"), QStringLiteral("C:\\My Site"));
}

TEST(SettingsStoreIni, WriteKeepsOtherLinesByteForByte) {
    for (const QByteArray& eol : {QByteArray("\r\n"), QByteArray("\n")}) {
        SCOPED_TRACE(eol == "\n" ? "LF" : "CR LF");
        const auto file = [&eol](const QByteArray& path) {
            const QByteArray lines[] = {
                "; Markwright settings",
                "[Colours]",
                "Path=not this one",
                "",
                "[Markwright]",
                "  ;Path=commented out",
                "Template=C:\\Templates\\page.htm",
                "Path=" + path,
                "LastFile = \"C:\\Web\\index.htm\"",
                "",
                "[Other]",
                "x=\xE9",
            };
            QByteArray joined;
            for (const QByteArray& line : lines) {
                joined += line + eol;
            }
            return joined;
        };
        ProgramFolder folder;
        writeBytes(folder.store.iniPath(), file("C:\\Old"));
        QString value = QStringLiteral("C:\\New Folder\\");
        EXPECT_TRUE(folder.store.writeIniKey("Path", value));
        EXPECT_EQ(readBytes(folder.store.iniPath()), file("C:\\New Folder\\"));

        QString added = QStringLiteral("D:\\Backup");
        EXPECT_TRUE(folder.store.writeIniKey("Backup", added));
        QByteArray expected = file("C:\\New Folder\\");
        expected.replace("\"C:\\Web\\index.htm\"" + eol,
                         "\"C:\\Web\\index.htm\"" + eol + "Backup=D:\\Backup" + eol);
        EXPECT_EQ(readBytes(folder.store.iniPath()), expected);
        EXPECT_TRUE(folder.prompts.seen().empty());
    }
}

TEST(SettingsStoreIni, WriteCreatesMissingFile) {
    ProgramFolder folder;
    ASSERT_FALSE(QFile::exists(folder.store.iniPath()));
    QString value = QStringLiteral("C:\\Sites");
    EXPECT_TRUE(folder.store.writeIniKey("Path", value));
    QString other = QStringLiteral("2");
    EXPECT_TRUE(folder.store.writeIniKey("Count", other));
    EXPECT_EQ(folder.store.readIniKey("Path"), QStringLiteral("C:\\Sites"));
    EXPECT_EQ(folder.store.readIniKey("Count"), QStringLiteral("2"));
    EXPECT_TRUE(readBytes(folder.store.iniPath()).startsWith("[Markwright]"));
    EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files), QStringList{"Markwright.ini"});
}

TEST(SettingsStoreIni, WriteIntoMissingFolderFails) {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    const QString missing = dir.path() + "/not/there";
    SettingsStore store(missing, prompts);
    QString value = QStringLiteral(" x ");
    EXPECT_FALSE(store.writeIniKey("Path", value));
    EXPECT_EQ(value, QStringLiteral("x"));
    EXPECT_FALSE(QDir(missing).exists());
    EXPECT_TRUE(prompts.seen().empty());
}

namespace {

// Per-user values go to the test area of the user's settings, started empty.
void useTestSettings() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName("Markwright");
    QCoreApplication::setApplicationName("Markwright");
    QSettings("Markwright", "Markwright").remove("Settings");
}

} // namespace

TEST(SettingsStoreBrowsers, DefaultsWhenNothingStored) {
    useTestSettings();
    const BrowserPaths defaults = defaultBrowserPaths();
#ifdef Q_OS_WIN
    EXPECT_EQ(defaults.netscape, QStringLiteral("C:\\Program Files\\Netscape\\Netscape.exe"));
    EXPECT_EQ(defaults.ie, QStringLiteral("C:\\Program Files\\Internet Explorer\\ie.exe"));
#else
    EXPECT_EQ(defaults.netscape, QStringLiteral("/usr/bin/firefox"));
    EXPECT_EQ(defaults.ie, QStringLiteral("/usr/bin/chromium"));
#endif
    const BrowserPaths read = readBrowserPaths();
    EXPECT_EQ(read.netscape, defaults.netscape);
    EXPECT_EQ(read.ie, defaults.ie);
}

TEST(SettingsStoreBrowsers, StoredPathsRoundTrip) {
    useTestSettings();
    writeNetscapePath("/opt/nav/navigator");
    BrowserPaths read = readBrowserPaths();
    EXPECT_EQ(read.netscape, QStringLiteral("/opt/nav/navigator"));
    EXPECT_EQ(read.ie, defaultBrowserPaths().ie);

    writeIePath("/opt/other browser/run");
    read = readBrowserPaths();
    EXPECT_EQ(read.netscape, QStringLiteral("/opt/nav/navigator"));
    EXPECT_EQ(read.ie, QStringLiteral("/opt/other browser/run"));

    QSettings settings("Markwright", "Markwright");
    EXPECT_EQ(settings.value("Settings/netscapePath").toString(),
              QStringLiteral("/opt/nav/navigator"));
    EXPECT_EQ(settings.value("Settings/iePath").toString(),
              QStringLiteral("/opt/other browser/run"));
    settings.remove("Settings");
}
