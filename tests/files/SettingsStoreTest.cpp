#include "files/SettingsStore.h"

#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include "core/AppState.h"
#include "support/MemorySettings.h"
#include <QFile>
#include <QTemporaryDir>

namespace {

struct ProgramFolder {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    SettingsStore store{dir.path(), prompts};

    void write(const QByteArray& contents) {
        QFile file(store.iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }
    QByteArray contents() const {
        QFile file(store.iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

TEST(SettingsStoreIni, ReadReportsMissingOrEmptyValue) {
    const QByteArray cases[] = {
        QByteArray(), // null: no file at all
        "[Markwright]\r\nOther=1\r\n",
        "[Markwright]\r\nPath=\r\n",
        QByteArrayLiteral("\0\x01\xFF[Markwright\0]\r\0Path\0=x\n\xC3\0"),
    };
    for (const QByteArray& contents : cases) {
        ProgramFolder folder;
        if (!contents.isNull()) {
            folder.write(contents);
        }
        folder.prompts.expectMessage("PROBLEM WITH INI FILE");
        EXPECT_EQ(folder.store.readIniKey("Path"), QString())
            << contents.toPercentEncoding().data();
        ASSERT_EQ(folder.prompts.seen().size(), 1u);
        EXPECT_EQ(folder.prompts.seen().front().icon, Prompts::Icon::Information);
    }
}

// Section and key in any case, the first of two keys, and over 100 characters.
TEST(SettingsStoreIni, ReadGivesWholeValue) {
    const QByteArray path = "C:\\Program Files\\Tollvane Web Design\\Customer Sites\\Spring "
                            "Catalogue 1999\\Pages\\Drafts\\Approved by Marketing\\Images";
    ProgramFolder folder;
    folder.write("[MARKWRIGHT]\r\npath = " + path + " \r\nPath=two\r\n");
    EXPECT_EQ(folder.store.readIniKey("Path"), QString::fromUtf8(path));
    EXPECT_TRUE(folder.prompts.seen().empty());
}

// The caller's variable holds the trimmed text afterwards, even on failure.
TEST(SettingsStoreIni, WriteTrimsAndCreatesFileOnlyInExistingFolder) {
    ProgramFolder folder;
    EXPECT_EQ(folder.store.iniPath(), folder.dir.path() + "/Markwright.ini");
    QString value = QStringLiteral("  C:\\My Site  ");
    EXPECT_TRUE(folder.store.writeIniKey("Path", value));
    EXPECT_EQ(value, QStringLiteral("C:\\My Site"));
    EXPECT_TRUE(folder.contents().startsWith("[Markwright]"));
    EXPECT_EQ(folder.store.readIniKey("Path"), value);

    const SettingsStore missing(folder.dir.path() + "/not/there", folder.prompts);
    QString other = QStringLiteral(" x ");
    EXPECT_FALSE(missing.writeIniKey("Path", other));
    EXPECT_EQ(other, QStringLiteral("x"));
    EXPECT_TRUE(folder.prompts.seen().empty());
}

TEST(SettingsStoreIni, WriteKeepsOtherLinesAndLineEnds) {
    for (const QByteArray eol : {"\r\n", "\n"}) {
        const auto file = [&eol](const QByteArray& path, const QByteArray& added) {
            return "; notes" + eol + "[Other]" + eol + "Path=not this" + eol + eol +
                   "[Markwright]" + eol + " ;Path=old" + eol + "Path=" + path + eol +
                   "Last = \"C:\\x.htm\"" + eol + added + eol + "[Z]" + eol + "x=\xE9" + eol;
        };
        ProgramFolder folder;
        folder.write(file("C:\\Old", ""));
        QString value = QStringLiteral("C:\\New Folder\\");
        EXPECT_TRUE(folder.store.writeIniKey("Path", value));
        EXPECT_EQ(folder.contents(), file("C:\\New Folder\\", ""));
        QString added = QStringLiteral("D:\\Backup");
        EXPECT_TRUE(folder.store.writeIniKey("Backup", added));
        EXPECT_EQ(folder.contents(), file("C:\\New Folder\\", "Backup=D:\\Backup" + eol));
    }
}

// Browser programs: the platform's defaults until one is stored, under the
// keys earlier versions stored them with.
TEST(AppStateBrowsers, DefaultsThenStoredPaths) {
    MemorySettings settings;
    AppState state(settings);
#ifdef Q_OS_WIN
    const QString defaults = "C:\\Program Files\\Netscape\\Netscape.exe | "
                             "C:\\Program Files\\Internet Explorer\\ie.exe";
#else
    const QString defaults = "/usr/bin/firefox | /usr/bin/chromium";
#endif
    const auto both = [&] {
        return state.browserPath(AppState::Browser::Netscape) + " | " +
               state.browserPath(AppState::Browser::IE);
    };
    EXPECT_EQ(both(), defaults);
    state.setBrowserPath(AppState::Browser::IE, "/opt/other browser/run");
    EXPECT_EQ(settings.values.value("Settings/iePath"), "/opt/other browser/run");
    EXPECT_EQ(both(), defaults.section(" | ", 0, 0) + " | /opt/other browser/run");
}
