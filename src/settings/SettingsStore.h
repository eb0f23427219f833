#pragma once

#include <QString>

namespace markwright {

class Prompts;

// The INI file "Markwright.ini" (section "Markwright"), beside the program or
// in the user's configuration folder, read and written on every call,
// nothing cached.
class SettingsStore {
  public:
    // `userFolder`: where the file goes when the program's folder cannot be
    // written (empty: always beside the program).
    SettingsStore(QString programFolder, Prompts& prompts, QString userFolder = QString());

    // Beside the program when that folder may be written, else in
    // `userFolder`.
    QString iniPath() const;

    // The key's value; a missing file, section or key, or an empty value, is
    // reported with "PROBLEM WITH INI FILE" and read as the empty text.
    QString readIniKey(const QString& key) const;

    // Stores the value with leading and trailing blanks removed; `value` holds
    // the trimmed text afterwards. Returns false when the file could not be
    // written (callers may ignore it; nothing is shown).
    bool writeIniKey(const QString& key, QString& value) const;

  private:
    QString m_programFolder;
    Prompts& m_prompts;
    QString m_userFolder;
};

// A folder read from the settings is used as a prefix of file names, so it
// must end with a separator; one typed by hand without it would otherwise put
// files beside the folder instead of inside it. Empty stays empty.
QString asFolderPrefix(const QString& folder);

} // namespace markwright
