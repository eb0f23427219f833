#include "settings/SettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "support/TestData.h"

namespace {

struct ProgramFolder {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    SettingsStore store{dir.path(), prompts};

    void write(const QByteArray& contents) { ASSERT_TRUE(writeBytes(store.iniPath(), contents)); }
    QByteArray contents() const { return readBytes(store.iniPath()); }
};

} // namespace

TEST(SettingsStoreIni, ReadGivesTheWholeValueOrTellsThereIsNone) {
    for (const QByteArrayList& c : testdata::table("expected/settings-read.txt")) {
        ProgramFolder folder;
        if (c[0] != "(no file)") {
            folder.write(c[0]);
        }
        const bool none = c.value(1).isEmpty();
        if (none) {
            folder.prompts.expectMessage("PROBLEM WITH INI FILE");
        }
        EXPECT_EQ(folder.store.readIniKey("Path"), QString::fromUtf8(c.value(1)))
            << c[0].toPercentEncoding().data();
        ASSERT_EQ(folder.prompts.seen().size(), none ? 1u : 0u);
        EXPECT_TRUE(!none || folder.prompts.last().icon == Prompts::Icon::Information);
    }
}

// The caller's variable holds the trimmed text afterwards, even on failure.
TEST(SettingsStoreIni, WriteTrimsEvenWhenTheFileCannotBeWritten) {
    ProgramFolder folder;
    EXPECT_EQ(folder.store.iniPath(), folder.dir.path() + "/Markwright.ini");
    QString value = QStringLiteral("  C:\\My Site  ");
    EXPECT_TRUE(folder.store.writeIniKey("Path", value));
    EXPECT_EQ(value, QStringLiteral("C:\\My Site"));
    EXPECT_TRUE(folder.contents().startsWith("[Markwright]"));
    EXPECT_EQ(folder.store.readIniKey("Path"), value);

    ASSERT_TRUE(writeBytes(folder.dir.filePath("plain"), ""));
    const SettingsStore unwritable(folder.dir.filePath("plain/sub"), folder.prompts);
    QString other = QStringLiteral(" x ");
    EXPECT_FALSE(unwritable.writeIniKey("Path", other));
    EXPECT_EQ(other, QStringLiteral("x"));
    EXPECT_TRUE(folder.prompts.seen().empty());
}

TEST(SettingsStoreIni, WriteKeepsOtherLinesAndLineEnds) {
    for (const QByteArray eol : {"\r\n", "\n"}) {
        ProgramFolder folder;
        for (const QByteArrayList& step : testdata::table("expected/settings-write.txt")) {
            const QByteArray file = QByteArray(step.last()).replace("{eol}", eol);
            SCOPED_TRACE(step[0].toStdString() + " " + eol.toHex().toStdString());
            if (step[0] == "start") {
                folder.write(file);
                continue;
            }
            QString value = QString::fromUtf8(step[1]);
            EXPECT_TRUE(folder.store.writeIniKey(QString::fromUtf8(step[0]), value));
            EXPECT_EQ(folder.contents(), file);
        }
    }
}
