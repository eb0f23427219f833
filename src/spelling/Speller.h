#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class Hunspell;

namespace markwright {

// Spelling in one language, from a Hunspell dictionary installed on the
// system (Debian's hunspell-* packages), with the user's own words beside
// it. Words are whole words as a reader sees them (no markup).
class Speller {
  public:
    // The folders dictionaries are looked for in.
    static QStringList defaultFolders();
    // The languages with a dictionary in `folders` ("de_DE", "en_US"...),
    // sorted.
    static QStringList installedLanguages(const QStringList& folders = defaultFolders());
    // The installed language for a page's `lang` ("en", "en-GB", "de-AT"):
    // the same one if installed, else one of its language; empty if none.
    static QString languageFor(const QString& lang, const QStringList& installed);

    explicit Speller(const QString& language, const QStringList& folders = defaultFolders());
    ~Speller();
    Speller(const Speller&) = delete;
    Speller& operator=(const Speller&) = delete;

    // Whether the dictionary was found and read.
    bool valid() const { return m_hunspell != nullptr; }
    const QString& language() const { return m_language; }

    // Whether `word` is spelt right (the user's own and ignored words are).
    bool isCorrect(const QString& word) const;
    // Up to `max` words meant, best first.
    QStringList suggestions(const QString& word, int max = 7) const;
    // A word of the user's own: right from now on.
    void addWord(const QString& word);

  private:
    std::string encoded(const QString& word) const;
    QString decoded(const std::string& word) const;

    QString m_language;
    std::unique_ptr<Hunspell> m_hunspell;
    bool m_utf8 = true;
    QSet<QString> m_own;
};

} // namespace markwright
