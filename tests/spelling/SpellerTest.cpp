// Spelling through the system's Hunspell dictionaries (English and German
// are installed with the project): words right and wrong, what was meant,
// the user's own words, and which dictionary a page's lang asks for.
#include "spelling/Speller.h"
#include "support/TestData.h"

using markwright::Speller;

TEST(Speller, TellsWrongWordsAndWhatWasMeant) {
    const Speller english(QStringLiteral("en_US"));
    ASSERT_TRUE(english.valid());
    for (const char* right : {"garden", "Tomatoes", "don't", "color's", "reading"}) {
        EXPECT_TRUE(english.isCorrect(QString::fromUtf8(right))) << right;
    }
    for (const char* wrong : {"gardn", "tomatos", "recieve", "wrold"}) {
        EXPECT_FALSE(english.isCorrect(QString::fromUtf8(wrong))) << wrong;
    }
    const QStringList meant = english.suggestions(QStringLiteral("recieve"));
    EXPECT_TRUE(meant.contains("receive"));
    EXPECT_LE(meant.size(), 7);

    const Speller german(QStringLiteral("de_DE"));
    ASSERT_TRUE(german.valid());
    EXPECT_TRUE(german.isCorrect(QString::fromUtf8("Gärten")));
    EXPECT_FALSE(german.isCorrect(QStringLiteral("garden")));
}

TEST(Speller, TheUsersOwnWordsAreRight) {
    Speller english(QStringLiteral("en_US"));
    EXPECT_FALSE(english.isCorrect(QStringLiteral("Markwright")));
    english.addWord(QStringLiteral("Markwright"));
    EXPECT_TRUE(english.isCorrect(QStringLiteral("Markwright")));
}

TEST(Speller, APagesLangFindsItsDictionary) {
    const QStringList installed = Speller::installedLanguages();
    EXPECT_TRUE(installed.contains("en_US"));
    EXPECT_TRUE(installed.contains("de_DE"));
    const QStringList some{"de_AT", "de_DE", "en_GB", "en_US"};
    EXPECT_EQ(Speller::languageFor("en", some), "en_US");
    EXPECT_EQ(Speller::languageFor("en-GB", some), "en_GB");
    EXPECT_EQ(Speller::languageFor("EN-us", some), "en_US");
    EXPECT_EQ(Speller::languageFor("de-CH", some), "de_DE");
    EXPECT_EQ(Speller::languageFor("de", some), "de_DE");
    EXPECT_EQ(Speller::languageFor("fr", some), "");
    EXPECT_EQ(Speller::languageFor("", some), "");
    EXPECT_FALSE(Speller(QStringLiteral("xx_XX")).valid());
    EXPECT_TRUE(Speller(QStringLiteral("xx_XX")).isCorrect("anything"));
}
