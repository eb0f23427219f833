#include "settings/SettingsStore.h"

#include "dialogs/Prompts.h"
#include "files/DocumentFile.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace markwright {

namespace {

constexpr QLatin1String kIniFileName("Markwright.ini");
constexpr QLatin1String kIniSection("Markwright");

// Removes spaces from both ends; tabs and other blanks are kept.
QString trimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) {
        ++begin;
    }
    while (end > begin && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return text.mid(begin, end - begin);
}

} // namespace

SettingsStore::SettingsStore(QString programFolder, Prompts& prompts, QString userFolder)
    : m_programFolder(std::move(programFolder)), m_prompts(prompts),
      m_userFolder(std::move(userFolder)) {}

QString SettingsStore::iniPath() const {
    const QString beside = QDir(m_programFolder).filePath(kIniFileName);
    const QFileInfo folder(m_programFolder);
    // A copy that may write beside itself keeps its settings there; an
    // installed one, whose folder is the system's, keeps the same file in
    // the user's configuration folder. Settings are written by replacing the
    // file, which needs the folder, not only the file, to be writable.
    if ((folder.isDir() && folder.isWritable()) || m_userFolder.isEmpty()) {
        return beside;
    }
    return QDir(m_userFolder).filePath(kIniFileName);
}

QString SettingsStore::readIniKey(const QString& key) const {
    QByteArray contents;
    QFile file(iniPath());
    if (file.open(QIODevice::ReadOnly)) {
        contents = file.readAll();
    }
    const std::optional<QString> value = ini::readValue(contents, kIniSection, key);
    if (!value || value->isEmpty()) {
        m_prompts.message(QStringLiteral("PROBLEM WITH INI FILE"), QString(),
                          Prompts::Icon::Information);
        return QString();
    }
    return *value;
}

bool SettingsStore::writeIniKey(const QString& key, QString& value) const {
    value = trimSpaces(value);

    const QString path = iniPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QByteArray contents;
    QFile existing(path);
    if (existing.exists()) {
        // A file that is there but cannot be read is left alone rather than
        // replaced by one holding only this key.
        if (!existing.open(QIODevice::ReadOnly)) {
            return false;
        }
        contents = existing.readAll();
        existing.close();
    }

    return docfile::writeAtomically(path, ini::writeValue(contents, kIniSection, key, value));
}

QString asFolderPrefix(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ||
        folder.endsWith(QLatin1Char('\\'))) {
        return folder;
    }
    return folder + QLatin1Char('/');
}

} // namespace markwright
