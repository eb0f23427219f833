#include "spelling/Speller.h"

#include <QDir>
#include <QFileInfo>
#include <hunspell.hxx>

namespace markwright {

QStringList Speller::defaultFolders() {
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell/dicts")};
}

QStringList Speller::installedLanguages(const QStringList& folders) {
    QStringList languages;
    for (const QString& folder : folders) {
        for (const QFileInfo& dic :
             QDir(folder).entryInfoList({QStringLiteral("*.dic")}, QDir::Files)) {
            if (QFileInfo::exists(dic.absolutePath() + '/' + dic.completeBaseName() + ".aff") &&
                !languages.contains(dic.completeBaseName())) {
                languages << dic.completeBaseName();
            }
        }
    }
    languages.sort();
    return languages;
}

QString Speller::languageFor(const QString& lang, const QStringList& installed) {
    QString wanted = lang.trimmed();
    wanted.replace('-', '_');
    const QString base = wanted.section('_', 0, 0).toLower();
    if (base.isEmpty()) {
        return {};
    }
    for (const QString& language : installed) {
        if (language.compare(wanted, Qt::CaseInsensitive) == 0) {
            return language;
        }
    }
    // The language alone ("en", or "en_NZ" with no dictionary of its own):
    // its most common dictionary first.
    for (const QString& preferred : {base + '_' + base.toUpper(), QStringLiteral("en_US")}) {
        if (preferred.startsWith(base + '_') && installed.contains(preferred)) {
            return preferred;
        }
    }
    for (const QString& language : installed) {
        if (language.section('_', 0, 0).compare(base, Qt::CaseInsensitive) == 0) {
            return language;
        }
    }
    return {};
}

Speller::Speller(const QString& language, const QStringList& folders) : m_language(language) {
    for (const QString& folder : folders) {
        const QString aff = QDir(folder).filePath(language + QStringLiteral(".aff"));
        const QString dic = QDir(folder).filePath(language + QStringLiteral(".dic"));
        if (!language.isEmpty() && QFileInfo::exists(aff) && QFileInfo::exists(dic)) {
            m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                                    QFile::encodeName(dic).constData());
            m_utf8 = QString::fromStdString(m_hunspell->get_dict_encoding())
                         .compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0;
            return;
        }
    }
}

Speller::~Speller() = default;

std::string Speller::encoded(const QString& word) const {
    return m_utf8 ? word.toStdString() : word.toLatin1().toStdString();
}

QString Speller::decoded(const std::string& word) const {
    return m_utf8 ? QString::fromStdString(word)
                  : QString::fromLatin1(word.data(), qsizetype(word.size()));
}

bool Speller::isCorrect(const QString& word) const {
    if (!valid() || word.isEmpty() || m_own.contains(word)) {
        return true;
    }
    return m_hunspell->spell(encoded(word));
}

QStringList Speller::suggestions(const QString& word, int max) const {
    QStringList out;
    if (!valid()) {
        return out;
    }
    for (const std::string& suggestion : m_hunspell->suggest(encoded(word))) {
        if (out.size() >= max) {
            break;
        }
        out << decoded(suggestion);
    }
    return out;
}

void Speller::addWord(const QString& word) {
    m_own.insert(word);
    if (valid()) {
        m_hunspell->add(encoded(word));
    }
}

} // namespace markwright
